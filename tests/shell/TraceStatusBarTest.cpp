// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>

#include <vector>

#include "PointReadout.h"
#include "TraceStatusBar.h"
#include "model/FormatGeneral.h"

namespace {
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

TEST(TraceStatusBar, PanesKeepTheDesignedDistancesUnlessTheyNeedMoreRoom)
{
    const int w = 7, W = 1000;
    const int distances[] = {64, 54, 43, 39, 37, 26, 24, 13, 11, 0};
    const auto designed = TraceStatusBar::PaneRightEdges(W, w, 11 * w, 10 * w);
    for (int i = 0; i < TraceStatusBar::kPaneCount; ++i)
        EXPECT_EQ(designed[size_t(i)], W - 20 - distances[i] * w) << i;

    // Value panes of 100 pixels: each one 23 pixels wider than designed, the
    // panes left of it move by that much, the last one keeps the right end.
    const auto wide = TraceStatusBar::PaneRightEdges(W, w, 100, 10 * w);
    const int moved[] = {92, 92, 69, 69, 69, 46, 46, 23, 23, 0};
    for (int i = 0; i < TraceStatusBar::kPaneCount; ++i)
        EXPECT_EQ(wide[size_t(i)], designed[size_t(i)] - moved[i]) << i;
    // A wide caption pushes only the message pane.
    const auto caption = TraceStatusBar::PaneRightEdges(W, w, 11 * w, 10 * w + 15);
    EXPECT_EQ(caption[0], designed[0] - 15);
    EXPECT_EQ(caption[1], designed[1]);
}

TEST(TraceStatusBar, TracePanesKeepTheirPlacesFromTheRightEnd)
{
    QMainWindow window;
    auto *bar = new TraceStatusBar;
    window.setStatusBar(bar);
    window.resize(1100, 300);
    window.show();
    bar->SetTraceLayout(true);

    std::vector<int> first;
    for (int width : {1100, 900}) {
        window.resize(width, 300);
        QCoreApplication::processEvents();
        const int W = bar->width();
        EXPECT_EQ(RightEdge(bar->Pane(9)), W - 20);
        std::vector<int> fromRight;
        for (int i = 0; i < TraceStatusBar::kPaneCount; ++i)
            fromRight.push_back(W - RightEdge(bar->Pane(i)));
        // The panes stay where they are from the right end; the message
        // pane ends where the caption after it begins.
        if (first.empty())
            first = fromRight;
        EXPECT_EQ(fromRight, first) << W;
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

// The captions and ten-digit numbers show whole whatever the font:
// "Function value" was cut to "Function valu" where it is wider than the
// ten "A"s of its pane, and numbers lost digits in the eleven of theirs.
TEST(TraceStatusBar, CaptionsAndTenDigitNumbersAreNeverCut)
{
    QMainWindow window;
    auto *bar = new TraceStatusBar;
    window.setStatusBar(bar);
    window.resize(1800, 300);
    window.show();
    bar->SetTraceLayout(true);
    const double values[] = {-0.03386704563, -1.5, 123456789.25, -8.888888888e-300};
    for (const char *family : {"DejaVu Sans", "Liberation Sans", "Liberation Serif", "Liberation Mono"}) {
        for (int points : {8, 9, 11, 14}) {
            bar->setFont(QFont(QString::fromLatin1(family), points));
            QCoreApplication::processEvents();
            for (int i : {1, 4, 6, 8}) {
                const QLabel *caption = bar->Pane(i);
                EXPECT_GE(caption->contentsRect().width(), caption->fontMetrics().horizontalAdvance(caption->text()))
                    << family << " " << points << " pane " << i;
            }
            bar->SetTraceValues(values[0], values[1], values[2], values[3]);
            const int panes[] = {2, 5, 7, 9};
            for (int k = 0; k < 4; ++k) {
                const QLabel *pane = bar->Pane(panes[k]);
                EXPECT_EQ(pane->text(), FormatGeneral(values[k], 10)) << family << " " << points;
                EXPECT_LE(pane->fontMetrics().horizontalAdvance(pane->text()),
                          pane->contentsRect().width() - pane->indent())
                    << family << " " << points << " pane " << panes[k];
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

// A bar too narrow for all the panes cuts the first value pane: its number
// loses digits, never its exponent or sign, and the tool tip keeps all ten.
TEST(TraceStatusBar, ACutPaneKeepsTheExponent)
{
    QMainWindow window;
    auto *bar = new TraceStatusBar;
    window.setStatusBar(bar);
    window.resize(1100, 300);
    window.show();
    bar->SetTraceLayout(true);
    QCoreApplication::processEvents();
    // Where pane 2's left end lies at a bar width of 0, and so the window
    // width at which only two thirds of it show.
    const int fromLeft = bar->Pane(2)->x() - bar->width();
    const int paneWidth = bar->Pane(2)->width();
    window.resize(window.width() - bar->width() - fromLeft - paneWidth / 3, 300);
    QCoreApplication::processEvents();
    bar->SetTraceValues(-0.07056000403, -1.5, 123456789.25, 0);
    const QLabel *value = bar->Pane(2);
    ASSERT_LT(value->width(), paneWidth);
    EXPECT_TRUE(value->text().startsWith(QStringLiteral("-7.")));
    EXPECT_TRUE(value->text().endsWith(QStringLiteral("e-002"))) << value->text().toStdString();
    EXPECT_LE(value->fontMetrics().horizontalAdvance(value->text()),
              value->contentsRect().width() - value->indent());
    EXPECT_EQ(value->toolTip(), QStringLiteral("-7.056000403e-002"));
    EXPECT_EQ(bar->Pane(5)->text(), QStringLiteral("-1.5"));
    EXPECT_EQ(bar->Pane(7)->text(), FormatGeneral(123456789.25, 10));

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
