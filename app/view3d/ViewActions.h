#pragma once

#include <QList>
#include <QString>

class QAction;
class QObject;

// The commands the 3D view carries out, made and owned by the view.  The
// main window only places them: the camera and pick mode on its 3D tool bar,
// the animation and trace steps on its floating bars.
struct ViewActions {
    QAction *pickMode = nullptr;   // checked while a left click picks a function
    QAction *cameraReset = nullptr;
    QAction *cameraForward = nullptr;
    QAction *cameraBack = nullptr;
    QAction *cameraUp = nullptr;
    QAction *cameraDown = nullptr;
    QAction *cameraLeft = nullptr;
    QAction *cameraRight = nullptr;
    QAction *pitchUp = nullptr;
    QAction *pitchDown = nullptr;
    QAction *yawLeft = nullptr;
    QAction *yawRight = nullptr;

    QAction *play = nullptr;   // checked while the animation plays
    QAction *stop = nullptr;
    QAction *rewind = nullptr;
    QAction *stepBack = nullptr;
    QAction *stepForward = nullptr;

    // One step of the trace cursor along the traced function's first or
    // second plotted variable (the Up and Down, Right and Left arrows).
    QAction *traceFirstUp = nullptr;
    QAction *traceFirstDown = nullptr;
    QAction *traceSecondUp = nullptr;
    QAction *traceSecondDown = nullptr;

    // Every action, texts included, as children of `owner`.
    static ViewActions Make(QObject *owner);
    // The trace steps name the plotted variables ("x + 1 step"); empty names
    // give the texts of no particular function ("First variable + 1 step").
    void NameTraceSteps(const QString &first, const QString &second) const;
};
