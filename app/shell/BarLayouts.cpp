#include "BarLayouts.h"

#include "CommandIds.h"

namespace BarLayouts {
using namespace Cmd;

QList<int> Standard()
{
    return {FileNew, FileOpen, FileSave, Separator, EditCopy, Separator, FilePrint, Separator, AppAbout};
}

QList<int> ThreeD()
{
    return {PickMode, CameraReset, Separator, CameraForward, CameraBack, Separator, CameraUp,
            CameraDown, CameraLeft, CameraRight, Separator, PitchUp, PitchDown, YawLeft, YawRight};
}

QList<int> Animation()
{
    return {AnimPlay, AnimStop, AnimRewind, AnimStepBack, AnimStepForward, Separator, CloseTraceAnimation};
}

QList<int> Trace()
{
    return {TraceIndex1Up, TraceIndex1Down, TraceIndex2Up, TraceIndex2Down, Separator, CloseTraceAnimation};
}
}  // namespace BarLayouts
