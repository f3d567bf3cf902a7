#pragma once

#include <QList>

class QAction;
class QObject;

// The commands of the function tree, made and owned by the tree pane.  The
// main window's "F&unctions" menu shows them as they are; the context menus
// stand in for them under their own texts ("Edit...").  Each works on the
// tree's selected node; the pane keeps their enabled and checked states
// up to date with the selection and with trace and animation.
struct TreeActions {
    QAction *refreshTree = nullptr;
    QAction *addFunction = nullptr;
    // A function's label node.
    QAction *deleteFunction = nullptr;
    QAction *editLabel = nullptr;
    QAction *visible = nullptr;   // checked while the function is shown
    // Its definition text.
    QAction *editText = nullptr;
    QAction *evaluate = nullptr;
    QAction *trace = nullptr;     // checked while tracing this function
    QAction *animate = nullptr;   // checked while animating this function
    // Its variables, mode and colours.
    QAction *editValue = nullptr;
    QAction *editRange = nullptr;
    QAction *editSteps = nullptr;
    QAction *changeMode = nullptr;
    QAction *changeColor = nullptr;

    // Every action, texts and pictures included, as children of `owner`.
    static TreeActions Make(QObject *owner);
    QList<QAction *> All() const;
};
