#pragma once

class QAction;
class QObject;

// The main window's own commands: the document, the bars, the panes, help,
// and closing trace and animation.  The panes own theirs (GLView::Actions,
// CVeltrix2View::Actions, OutputCommands::Actions); the main window only
// places those in its menus and bars.
struct FrameActions {
    QAction *fileNew = nullptr;
    QAction *fileOpen = nullptr;
    QAction *fileSave = nullptr;
    QAction *fileSaveAs = nullptr;
    QAction *exit = nullptr;
    QAction *settings = nullptr;

    QAction *standardBar = nullptr;   // checked while the bar is shown
    QAction *toolBar3d = nullptr;     // checked while the bar is shown
    QAction *statusBar = nullptr;     // checked while the bar is shown
    QAction *parameters = nullptr;    // checked while the Parameters pane is shown
    QAction *fullScreen = nullptr;    // a key only, no menu item

    QAction *summary = nullptr;
    QAction *about = nullptr;

    QAction *nextPane = nullptr;      // keys only
    QAction *prevPane = nullptr;
    // The last button of both floating bars.
    QAction *closeTraceAnimation = nullptr;

    // Every action, texts and keys included, as children of `owner`.
    static FrameActions Make(QObject *owner);
};
