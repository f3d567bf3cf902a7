// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// veltrix -e: the plot from the command line in an untitled, unmodified
// document, and the refusals that end the start.
#include <gtest/gtest.h>

#include "PlotStart.h"
#include "model/CVeltrix2Doc.h"

TEST(PlotStart, PlotOpensUntitledAndUnmodified)
{
    const QStringList plot{"veltrix", "-e", "z(x,y)=cosx*siny", "--mode", "chess", "--colors", "00FF00"};
    EXPECT_TRUE(AsksForPlot(plot));
    EXPECT_FALSE(AsksForPlot({"veltrix", "tour.vxf"}));
    EXPECT_FALSE(AsksForPlot({"veltrix"}));

    CVeltrix2Doc doc;
    QString message;
    ASSERT_TRUE(StartWithPlot(doc, plot, &message)) << message.toStdString();
    ASSERT_EQ(doc.Count(), 1);
    const FunctionRecord r = doc.Get(doc.First());
    EXPECT_EQ(r.text, "z(x,y)=cosx*siny");
    EXPECT_EQ(r.mode, ChessBoard);
    EXPECT_EQ(r.color1, 0x00FF00u);
    EXPECT_EQ(r.color2, 0u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.PathName().isEmpty());
}

TEST(PlotStart, RefusalsEndTheStartWithTheirMessage)
{
    CVeltrix2Doc doc;
    QString message;
    EXPECT_FALSE(StartWithPlot(doc, {"veltrix", "-e", "z(x,y)=x+"}, &message));
    EXPECT_EQ(message, QStringLiteral("-e: Syntax error\n    z(x,y)=x+\n             ^"));
    EXPECT_FALSE(StartWithPlot(doc, {"veltrix", "-e", "z(x,y)=x", "tour.vxf"}, &message));
    EXPECT_EQ(message, QStringLiteral("Give a document or -e definitions, not both."));
    EXPECT_FALSE(StartWithPlot(doc, {"veltrix", "-e", "z(x,y)=x", "--bogus"}, &message));
    EXPECT_EQ(message, QStringLiteral("Unknown option 'bogus'."));
    EXPECT_EQ(doc.Count(), 0);
}
