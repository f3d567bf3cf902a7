// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

// The status bar: one message pane ("Ready" when idle) and, while a function
// is traced, nine more panes at fixed distances from the right end showing
// the function value and the cursor's x, y and z.  A value pane is eleven
// "A"s wide, or wider where the font needs more for a number of ten
// significant digits; the message pane gives way.
class TraceStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 10;
    static const QString kIdleText;   // "Ready"

    explicit TraceStatusBar(QWidget *parent = nullptr);

    // One pane, or all ten with an empty read-out.
    void SetTraceLayout(bool traceShown);
    bool TraceLayout() const { return traceShown_; }
    // Value and coordinates in panes 2, 5, 7 and 9 with ten significant
    // digits (fewer only when the bar is too narrow to lay the panes out;
    // the tool tip has all ten); repainted at once.
    void SetTraceValues(double value, double x, double y, double z);

    QLabel *Pane(int index) const { return panes_[index]; }
    // Right edges of the ten panes for a bar `width` wide and a font whose
    // "A" is `charWidth` wide, when a value pane needs `valueWidth` and the
    // "Function value" caption `captionWidth` (both counted with the gap
    // before the pane).  Narrower needs give the designed distances.
    static std::array<int, kPaneCount> PaneRightEdges(int width, int charWidth, int valueWidth = 0,
                                                      int captionWidth = 0);
    // The width a value pane needs for every number of ten significant
    // digits in its font, frame and indent included.
    int ValuePaneWidth() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Layout();
    void ShowMessage(const QString &message);
    void ShowValues();

    std::array<QLabel *, kPaneCount> panes_{};
    bool traceShown_ = false;
    bool hasValues_ = false;
    std::array<double, 4> values_{};   // value, x, y, z
};
