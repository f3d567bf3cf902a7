#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QSize>

class QSplitter;
class QWidget;

// The full-screen mode of the main window: the window grows and moves so
// that the 3D view covers the screen, the window's other parts lying beyond
// the screen's edges; in the splitter the whole growth goes to the view.
// Toggled again, the window and the panes go back to where they were.
class FullScreenView : public QObject {
    Q_OBJECT
public:
    // `view` is a pane of `splitter`, inside the window `frame`.
    FullScreenView(QWidget *frame, QSplitter *splitter, QWidget *view);

    void Toggle();
    bool IsOn() const { return on_; }
    // The window's rectangle from before full screen, while it lasts.
    QRect SavedFrameRect() const { return savedFrameRect_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Enter();
    void Leave();
    void ExpectSplitter(const QList<int> &sizes, QSize size);

    QWidget *frame_;
    QSplitter *splitter_;
    QWidget *view_;
    bool on_ = false;
    QRect savedFrameRect_;
    QList<int> savedSplitterSizes_;
    QSize savedSplitterSize_;
    // Pane sizes to give the splitter once the window has its new size
    // (top-level resizes arrive later on X11).
    QList<int> pendingSplitterSizes_;
    QSize pendingSplitterSize_;
};
