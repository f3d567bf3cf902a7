#include "TraceStatusBar.h"

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
}  // namespace

TraceStatusBar::TraceStatusBar(QWidget *parent) : QStatusBar(parent)
{
    const char *fixedTexts[kPaneCount] = {"", "Function value", "", "", "x", "", "y", "", "z", ""};
    for (int i = 0; i < kPaneCount; ++i) {
        auto *pane = new QLabel(QString::fromLatin1(fixedTexts[i]), this);
        pane->setTextFormat(Qt::PlainText);
        const bool bordered = i == 2 || i == 5 || i == 7 || i == 9;
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

std::array<int, TraceStatusBar::kPaneCount> TraceStatusBar::PaneRightEdges(int width, int charWidth)
{
    std::array<int, kPaneCount> edges{};
    for (int i = 0; i < kPaneCount; ++i)
        edges[i] = width - kGripRoom - kEdgeChars[i] * charWidth;
    return edges;
}

void TraceStatusBar::SetTraceLayout(bool traceShown)
{
    traceShown_ = traceShown;
    // A new trace starts without the last one's read-out.
    for (int i : {2, 5, 7, 9})
        panes_[i]->clear();
    Layout();
    repaint();
}

void TraceStatusBar::SetTraceValues(double value, double x, double y, double z)
{
    panes_[2]->setText(FormatGeneral(value, 10));
    panes_[5]->setText(FormatGeneral(x, 10));
    panes_[7]->setText(FormatGeneral(y, 10));
    panes_[9]->setText(FormatGeneral(z, 10));
    repaint();
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
    const auto edges = PaneRightEdges(width(), fontMetrics().horizontalAdvance(QLatin1Char('A')));
    int left = 0;
    for (int i = 0; i < kPaneCount; ++i) {
        const int right = edges[i];
        panes_[i]->setGeometry(left, top, qMax(0, right - left), h);
        panes_[i]->setVisible(right > left);
        left = qMax(left, right + kGap);
    }
    panes_[0]->show();
}
