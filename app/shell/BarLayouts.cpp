#include "BarLayouts.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>

#include "FrameActions.h"
#include "output/OutputCommands.h"
#include "view3d/ViewActions.h"

namespace BarLayouts {

QList<QAction *> Standard(const FrameActions &f, const OutputActions &o)
{
    return {f.fileNew, f.fileOpen, f.fileSave, nullptr, o.copy, nullptr, o.print, nullptr, f.about};
}

QList<QAction *> ThreeD(const ViewActions &v)
{
    return {v.pickMode, v.cameraReset, nullptr, v.cameraForward, v.cameraBack, nullptr, v.cameraUp, v.cameraDown,
            v.cameraLeft, v.cameraRight, nullptr, v.pitchUp, v.pitchDown, v.yawLeft, v.yawRight};
}

QList<QAction *> Animation(const ViewActions &v, const FrameActions &f)
{
    return {v.play, v.stop, v.rewind, v.stepBack, v.stepForward, nullptr, f.closeTraceAnimation};
}

QList<QAction *> Trace(const ViewActions &v, const FrameActions &f)
{
    return {v.traceFirstUp, v.traceFirstDown, v.traceSecondUp, v.traceSecondDown, nullptr, f.closeTraceAnimation};
}

void SetImages(const QString &stripResource, const QList<QAction *> &buttons)
{
    const QPixmap strip(stripResource);
    constexpr int kWidth = 16, kHeight = 15;
    int index = 0;
    for (QAction *button : buttons) {
        if (!button)
            continue;
        button->setIcon(QIcon(strip.copy(index * kWidth, 0, kWidth, kHeight)));
        ++index;
    }
}

}  // namespace BarLayouts
