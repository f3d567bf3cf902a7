#include "CommandRouting.h"

#include "CommandIds.h"

CommandTarget TargetOfCommand(int id)
{
    using namespace Cmd;
    if ((id >= AnimRewind && id <= TraceIndex2Down) || (id >= CameraReset && id <= PickMode))
        return CommandTarget::View;
    if (id == EditCopy)
        return CommandTarget::ActiveView;
    return CommandTarget::Frame;
}
