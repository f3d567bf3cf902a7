#include "FullScreenView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QWidget>

FullScreenView::FullScreenView(QWidget *frame, QSplitter *splitter, QWidget *view)
    : QObject(frame), frame_(frame), splitter_(splitter), view_(view)
{
}

void FullScreenView::Toggle()
{
    if (on_)
        Leave();
    else
        Enter();
}

void FullScreenView::Enter()
{
    const QScreen *screen = frame_->screen() ? frame_->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QSize growth = area.size() - view_->size();
    savedFrameRect_ = frame_->geometry();
    savedSplitterSizes_ = splitter_->sizes();
    savedSplitterSize_ = splitter_->size();
    QList<int> sizes = savedSplitterSizes_;
    const int pane = splitter_->indexOf(view_);
    if (pane >= 0)
        sizes[pane] += splitter_->orientation() == Qt::Horizontal ? growth.width() : growth.height();
    ExpectSplitter(sizes, splitter_->size() + growth);
    const QPoint offset = view_->mapTo(frame_, QPoint(0, 0));
    frame_->setGeometry(QRect(area.topLeft() - offset, frame_->size() + growth));
    on_ = true;
}

void FullScreenView::Leave()
{
    if (!savedSplitterSizes_.isEmpty())
        ExpectSplitter(savedSplitterSizes_, savedSplitterSize_);
    frame_->setGeometry(savedFrameRect_);
    frame_->show();
    on_ = false;
}

void FullScreenView::ExpectSplitter(const QList<int> &sizes, QSize size)
{
    pendingSplitterSizes_ = sizes;
    pendingSplitterSize_ = size;
    splitter_->installEventFilter(this);
}

bool FullScreenView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == splitter_ && event->type() == QEvent::Resize && !pendingSplitterSizes_.isEmpty() &&
        splitter_->size() == pendingSplitterSize_) {
        splitter_->removeEventFilter(this);
        const QList<int> sizes = pendingSplitterSizes_;
        pendingSplitterSizes_.clear();
        // After the splitter has laid out its panes for the new size.
        QSplitter *splitter = splitter_;
        QTimer::singleShot(0, splitter, [splitter, sizes] { splitter->setSizes(sizes); });
    }
    return QObject::eventFilter(watched, event);
}
