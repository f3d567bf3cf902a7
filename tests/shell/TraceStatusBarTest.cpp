// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>

#include "PointReadout.h"
#include "TraceStatusBar.h"

namespace {
int CharWidth(const TraceStatusBar &bar)
{
    return bar.fontMetrics().horizontalAdvance(QLatin1Char('A'));
}

int RightEdge(const QLabel *pane)
{
    return pane->geometry().x() + pane->geometry().width();
}
}  // namespace

TEST(TraceStatusBar, IdleShowsReadyAndHoverPromptsReplaceIt)
{
    TraceStatusBar bar;
    EXPECT_EQ(bar.Pane(0)->text(), QStringLiteral("Ready"));
    bar.showMessage(QStringLiteral("Create a new document"));
    EXPECT_EQ(bar.Pane(0)->text(), QStringLiteral("Create a new document"));
    bar.clearMessage();
    EXPECT_EQ(bar.Pane(0)->text(), QStringLiteral("Ready"));
}

TEST(TraceStatusBar, TracePanesKeepTheirDistanceFromTheRightEnd)
{
    QMainWindow window;
    auto *bar = new TraceStatusBar;
    window.setStatusBar(bar);
    window.resize(1100, 300);
    window.show();
    bar->SetTraceLayout(true);

    for (int width : {1100, 900}) {
        window.resize(width, 300);
        QCoreApplication::processEvents();
        const int W = bar->width();
        const int w = CharWidth(*bar);
        const int distances[] = {64, 54, 43, 39, 37, 26, 24, 13, 11, 0};
        for (int i = 1; i < TraceStatusBar::kPaneCount; ++i)
            EXPECT_EQ(RightEdge(bar->Pane(i)), W - 20 - distances[i] * w) << "pane " << i << " at " << W;
        // The message pane ends where the caption after it has room.
        EXPECT_LE(RightEdge(bar->Pane(0)), W - 20 - 64 * w);
        EXPECT_EQ(RightEdge(bar->Pane(0)), bar->Pane(1)->x() - 2);
        for (int i = 1; i < TraceStatusBar::kPaneCount; ++i)
            EXPECT_TRUE(bar->Pane(i)->isVisible()) << i;
    }
    EXPECT_EQ(bar->Pane(1)->text(), QStringLiteral("Function value"));
    EXPECT_EQ(bar->Pane(4)->text(), QStringLiteral("x"));
    EXPECT_EQ(bar->Pane(6)->text(), QStringLiteral("y"));
    EXPECT_EQ(bar->Pane(8)->text(), QStringLiteral("z"));

    // Back to one pane that spans the bar.
    bar->SetTraceLayout(false);
    for (int i = 1; i < TraceStatusBar::kPaneCount; ++i)
        EXPECT_FALSE(bar->Pane(i)->isVisible()) << i;
    EXPECT_GT(bar->Pane(0)->width(), bar->width() - 30);
}

// The captions show whole whatever the font: "Function value" was cut to
// "Function valu" where it is wider than the ten "A"s of its pane.
TEST(TraceStatusBar, CaptionsAreNeverCut)
{
    QMainWindow window;
    auto *bar = new TraceStatusBar;
    window.setStatusBar(bar);
    window.resize(1000, 300);
    window.show();
    bar->SetTraceLayout(true);
    for (const char *family : {"DejaVu Sans", "Liberation Sans", "Liberation Serif", "Liberation Mono"}) {
        for (int points : {8, 9, 11, 14}) {
            bar->setFont(QFont(QString::fromLatin1(family), points));
            QCoreApplication::processEvents();
            for (int i : {1, 4, 6, 8}) {
                const QLabel *caption = bar->Pane(i);
                EXPECT_GE(caption->contentsRect().width(), caption->fontMetrics().horizontalAdvance(caption->text()))
                    << family << " " << points << " pane " << i;
            }
        }
    }
}

TEST(TraceStatusBar, NarrowFrameShrinksTheMessagePaneFirst)
{
    QMainWindow window;
    auto *bar = new TraceStatusBar;
    window.setStatusBar(bar);
    window.resize(1000, 300);
    window.show();
    bar->SetTraceLayout(true);
    QCoreApplication::processEvents();
    const int before = bar->Pane(0)->width();
    const int valueWidth = bar->Pane(2)->width();
    window.resize(800, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->Pane(0)->width(), before - (1000 - 800));
    EXPECT_EQ(bar->Pane(2)->width(), valueWidth);
}

TEST(TraceStatusBar, TraceValuesUseTheTenDigitNumberForm)
{
    TraceStatusBar bar;
    bar.SetTraceLayout(true);
    bar.SetTraceValues(5.0, 0.05, -1234567.0, 1e12);
    EXPECT_EQ(bar.Pane(2)->text(), QStringLiteral("5."));
    EXPECT_EQ(bar.Pane(5)->text(), QStringLiteral("5.e-002"));
    EXPECT_EQ(bar.Pane(7)->text(), QStringLiteral("-1234567."));
    EXPECT_EQ(bar.Pane(9)->text(), QStringLiteral("1.e+012"));
}

// The value panes are about eleven "A"s wide: a long number loses digits,
// never its exponent or sign, and the tool tip keeps all ten.
TEST(TraceStatusBar, LongNumbersKeepTheirExponentInTheNarrowPanes)
{
    QMainWindow window;
    auto *bar = new TraceStatusBar;
    window.setStatusBar(bar);
    window.resize(1100, 300);
    window.show();
    bar->SetTraceLayout(true);
    QCoreApplication::processEvents();
    bar->SetTraceValues(-0.07056000403, -1.5, 123456789.25, 0);
    const QLabel *value = bar->Pane(2);
    EXPECT_TRUE(value->text().startsWith(QStringLiteral("-7.")));
    EXPECT_TRUE(value->text().endsWith(QStringLiteral("e-002"))) << value->text().toStdString();
    EXPECT_LE(value->fontMetrics().horizontalAdvance(value->text()),
              value->contentsRect().width() - value->indent());
    EXPECT_EQ(value->toolTip(), QStringLiteral("-7.056000403e-002"));
    EXPECT_EQ(bar->Pane(5)->text(), QStringLiteral("-1.5"));
    EXPECT_TRUE(bar->Pane(7)->text().startsWith(QStringLiteral("12345"))) << "rounded, still the same size";

    bar->SetTraceLayout(false);
    EXPECT_TRUE(value->text().isEmpty());
    EXPECT_TRUE(value->toolTip().isEmpty());
}

TEST(PointReadout, ShowsAsManyDecimalsAsAPixelTells)
{
    // A pixel 0.03 apart: hundredths; the depth buffer's noise on a flat
    // z = 0 goes.
    EXPECT_EQ(PointReadout::Text(QStringLiteral("Wave"), 1.23456, -0.5, -1.2e-4, 0.03),
              QStringLiteral("Wave:  x = 1.23   y = -0.5   z = 0."));
    EXPECT_EQ(PointReadout::Text(QStringLiteral("Far"), 1234.56, 0.004, 7, 2.5),
              QStringLiteral("Far:  x = 1235.   y = 0.   z = 7."));
    EXPECT_EQ(PointReadout::Text(QStringLiteral("Tiny"), 2.5e-5, 1e-6, 0, 3e-7),
              QStringLiteral("Tiny:  x = 2.5e-005   y = 1.e-006   z = 0."));
}
