#include "view3d/ViewActions.h"

#include <QAction>

#include "view3d/CommandAction.h"

namespace {

struct TraceStep {
    bool first;     // along the first plotted variable, else the second
    bool forward;
    const char *key;
};

// Texts of a trace step for the variable `variable` ("" for none in particular).
void Name(QAction *action, const TraceStep &step, const QString &variable)
{
    const QString named = variable.isEmpty()
                              ? QString::fromLatin1(step.first ? "the first variable" : "the second variable")
                              : variable;
    const QString tipName =
        variable.isEmpty() ? QString::fromLatin1(step.first ? "First variable" : "Second variable") : variable;
    const QString sign = step.forward ? QStringLiteral("+") : QStringLiteral("-");
    action->setText(tipName + QLatin1Char(' ') + sign);
    action->setToolTip(tipName + QLatin1Char(' ') + sign + QStringLiteral(" 1 step"));
    action->setStatusTip(QStringLiteral("Move the cursor one step %1 along %2 (%3 arrow in the 3D view)")
                             .arg(step.forward ? QStringLiteral("forward") : QStringLiteral("back"), named,
                                  QString::fromLatin1(step.key)));
}

constexpr TraceStep kFirstUp{true, true, "Up"};
constexpr TraceStep kFirstDown{true, false, "Down"};
constexpr TraceStep kSecondUp{false, true, "Right"};
constexpr TraceStep kSecondDown{false, false, "Left"};

}  // namespace

ViewActions ViewActions::Make(QObject *owner)
{
    ViewActions a;
    a.pickMode = MakeCommandAction(owner, "pickMode", QStringLiteral("Pick"),
                                   QStringLiteral("Pick a function with the mouse\nPick mode"));
    a.pickMode->setCheckable(true);
    a.cameraReset = MakeCommandAction(owner, "cameraReset", QStringLiteral("Reset"),
                                      QStringLiteral("Put the camera back at its start position\nReset camera"));
    a.cameraForward = MakeCommandAction(owner, "cameraForward", QStringLiteral("Forward"),
                                        QStringLiteral("Move the camera forward\nForward"));
    a.cameraBack = MakeCommandAction(owner, "cameraBack", QStringLiteral("Back"),
                                     QStringLiteral("Move the camera back\nBack"));
    a.cameraUp = MakeCommandAction(owner, "cameraUp", QStringLiteral("Up"), QStringLiteral("Move the camera up\nUp"));
    a.cameraDown = MakeCommandAction(owner, "cameraDown", QStringLiteral("Down"),
                                     QStringLiteral("Move the camera down\nDown"));
    a.cameraLeft = MakeCommandAction(owner, "cameraLeft", QStringLiteral("Left"),
                                     QStringLiteral("Move the camera sideways to the left\nLeft"));
    a.cameraRight = MakeCommandAction(owner, "cameraRight", QStringLiteral("Right"),
                                      QStringLiteral("Move the camera sideways to the right\nRight"));
    a.pitchUp = MakeCommandAction(owner, "pitchUp", QStringLiteral("Pitch up"),
                                  QStringLiteral("Turn the camera upwards\nPitch up"));
    a.pitchDown = MakeCommandAction(owner, "pitchDown", QStringLiteral("Pitch down"),
                                    QStringLiteral("Turn the camera downwards\nPitch down"));
    a.yawLeft = MakeCommandAction(owner, "yawLeft", QStringLiteral("Yaw left"),
                                  QStringLiteral("Turn the camera to the left\nYaw left"));
    a.yawRight = MakeCommandAction(owner, "yawRight", QStringLiteral("Yaw right"),
                                   QStringLiteral("Turn the camera to the right\nYaw right"));

    a.play = MakeCommandAction(owner, "play", QStringLiteral("Play"), QStringLiteral("Play the animation\nPlay"));
    // Stays pressed while the animation plays.
    a.play->setCheckable(true);
    a.stop = MakeCommandAction(owner, "stop", QStringLiteral("Stop"), QStringLiteral("Pause the animation\nStop"));
    a.rewind = MakeCommandAction(owner, "rewind", QStringLiteral("Rewind"),
                                 QStringLiteral("Back to the first position\nRewind"));
    a.stepBack = MakeCommandAction(owner, "stepBack", QStringLiteral("Step back"),
                                   QStringLiteral("One step back\nStep back"));
    a.stepForward = MakeCommandAction(owner, "stepForward", QStringLiteral("Step forward"),
                                      QStringLiteral("One step forward\nStep forward"));

    a.traceFirstUp = MakeCommandAction(owner, "traceFirstUp", QString(), QString());
    a.traceFirstDown = MakeCommandAction(owner, "traceFirstDown", QString(), QString());
    a.traceSecondUp = MakeCommandAction(owner, "traceSecondUp", QString(), QString());
    a.traceSecondDown = MakeCommandAction(owner, "traceSecondDown", QString(), QString());
    a.NameTraceSteps(QString(), QString());
    return a;
}

void ViewActions::NameTraceSteps(const QString &first, const QString &second) const
{
    Name(traceFirstUp, kFirstUp, first);
    Name(traceFirstDown, kFirstDown, first);
    Name(traceSecondUp, kSecondUp, second);
    Name(traceSecondDown, kSecondDown, second);
}
