// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TraceStatusBar.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOption>

#include "model/FormatGeneral.h"

const QString TraceStatusBar::kIdleText = QStringLiteral("Ready");

namespace {
// Distances of the panes' right edges from W - 20, in widths of "A".
constexpr std::array<int, TraceStatusBar::kPaneCount> kEdgeChars = {64, 54, 43, 39, 37, 26, 24, 13, 11, 0};
constexpr int kGripRoom = 20;
constexpr int kGap = 2;
constexpr int kValuePanes[] = {2, 5, 7, 9};

bool IsValuePane(int i)
{
    return i == 2 || i == 5 || i == 7 || i == 9;
}

// The number in the ten-digit form, or with fewer digits when the pane
// cannot show that whole: a cut-off exponent would show another number.
QString FittingNumber(double v, const QLabel *pane)
{
    const int room = pane->contentsRect().width() - pane->indent();
    QString text = FormatGeneral(v, 10);
    if (room <= 0)
        return text;   // not laid out yet
    for (int digits = 9; digits >= 1 && pane->fontMetrics().horizontalAdvance(text) > room; --digits)
        text = FormatGeneral(v, digits);
    return text;
}

// The widest text of ten significant digits in the font: the exponent form
// with a sign, "-d.ddddddddde-ddd", in the widest digit and sign.
QString WidestTenDigitNumber(const QFontMetrics &metrics)
{
    QChar digit = QLatin1Char('0');
    for (char c = '1'; c <= '9'; ++c)
        if (metrics.horizontalAdvance(QLatin1Char(c)) > metrics.horizontalAdvance(digit))
            digit = QLatin1Char(c);
    const QChar sign = metrics.horizontalAdvance(QLatin1Char('+')) > metrics.horizontalAdvance(QLatin1Char('-'))
                           ? QLatin1Char('+')
                           : QLatin1Char('-');
    return QStringLiteral("-") + digit + QLatin1Char('.') + QString(9, digit) + QLatin1Char('e') + sign +
           QString(3, digit);
}
}  // namespace

TraceStatusBar::TraceStatusBar(QWidget *parent) : QStatusBar(parent)
{
    const char *fixedTexts[kPaneCount] = {"", "Function value", "", "", "x", "", "y", "", "z", ""};
    for (int i = 0; i < kPaneCount; ++i) {
        auto *pane = new QLabel(QString::fromLatin1(fixedTexts[i]), this);
        pane->setTextFormat(Qt::PlainText);
        const bool bordered = IsValuePane(i);
        if (bordered || i == 0)
            pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The fixed captions get exactly the room the layout gives them.
        pane->setIndent(bordered || i == 0 ? 3 : 0);
        panes_[i] = pane;
    }
    ShowMessage(QString());
    connect(this, &QStatusBar::messageChanged, this, &TraceStatusBar::ShowMessage);
    Layout();
}

std::array<int, TraceStatusBar::kPaneCount> TraceStatusBar::PaneRightEdges(int width, int charWidth, int valueWidth,
                                                                           int captionWidth)
{
    // From the right end leftwards, each pane as wide as designed or as it
    // needs; the message pane takes what is left.
    std::array<int, kPaneCount> edges{};
    edges[kPaneCount - 1] = width - kGripRoom - kEdgeChars[kPaneCount - 1] * charWidth;
    for (int i = kPaneCount - 1; i >= 1; --i) {
        const int need = IsValuePane(i) ? valueWidth : i == 1 ? captionWidth
                                                              : 0;
        edges[i - 1] = edges[i] - qMax((kEdgeChars[i - 1] - kEdgeChars[i]) * charWidth, need);
    }
    return edges;
}

int TraceStatusBar::ValuePaneWidth() const
{
    const QLabel *pane = panes_[kValuePanes[0]];
    const QMargins margins = pane->contentsMargins();
    return pane->fontMetrics().horizontalAdvance(WidestTenDigitNumber(pane->fontMetrics())) + pane->indent() +
           2 * pane->frameWidth() + margins.left() + margins.right() + 1;
}

void TraceStatusBar::SetTraceLayout(bool traceShown)
{
    traceShown_ = traceShown;
    // A new trace starts without the last one's read-out.
    hasValues_ = false;
    for (int i : kValuePanes) {
        panes_[i]->clear();
        panes_[i]->setToolTip(QString());
    }
    Layout();
    repaint();
}

void TraceStatusBar::SetTraceValues(double value, double x, double y, double z)
{
    values_ = {value, x, y, z};
    hasValues_ = true;
    ShowValues();
    repaint();
}

void TraceStatusBar::ShowValues()
{
    if (!hasValues_)
        return;
    for (size_t k = 0; k < values_.size(); ++k) {
        QLabel *pane = panes_[kValuePanes[k]];
        pane->setText(FittingNumber(values_[k], pane));
        pane->setToolTip(FormatGeneral(values_[k], 10));
    }
}

void TraceStatusBar::ShowMessage(const QString &message)
{
    panes_[0]->setText(message.isEmpty() ? kIdleText : message);
}

void TraceStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    Layout();
}

void TraceStatusBar::changeEvent(QEvent *event)
{
    QStatusBar::changeEvent(event);
    // The panes' distances are counted in the font's characters.
    if (event->type() == QEvent::FontChange)
        Layout();
}

void TraceStatusBar::paintEvent(QPaintEvent *)
{
    // The panes draw the texts, the message included; the base class would
    // paint the message a second time underneath them.
    QPainter painter(this);
    QStyleOption opt;
    opt.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &opt, &painter, this);
}

void TraceStatusBar::Layout()
{
    const int top = 2;
    const int h = qMax(0, height() - 3);
    if (!traceShown_) {
        panes_[0]->setGeometry(0, top, qMax(0, width() - kGripRoom), h);
        for (int i = 1; i < kPaneCount; ++i)
            panes_[i]->hide();
        return;
    }
    // "Function value" is wider than its ten "A"s in many fonts, and ten
    // digits than the value panes' eleven: the message pane before them
    // gives way, as it does when the bar narrows.
    const int caption = panes_[1]->fontMetrics().horizontalAdvance(panes_[1]->text()) + 1;
    const auto edges = PaneRightEdges(width(), fontMetrics().horizontalAdvance(QLatin1Char('A')),
                                      ValuePaneWidth() + kGap, caption + kGap);
    int left = 0;
    for (int i = 0; i < kPaneCount; ++i) {
        const int right = edges[i];
        panes_[i]->setGeometry(left, top, qMax(0, right - left), h);
        panes_[i]->setVisible(right > left);
        left = qMax(left, right + kGap);
    }
    panes_[0]->show();
    ShowValues();
}
