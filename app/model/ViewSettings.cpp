#include "ViewSettings.h"

bool ViewSettings::operator==(const ViewSettings &o) const
{
    return sensitivity == o.sensitivity && cubeDimension == o.cubeDimension &&
           nearPlane == o.nearPlane && farPlane == o.farPlane && fieldOfView == o.fieldOfView &&
           cameraX == o.cameraX && cameraY == o.cameraY && cameraZ == o.cameraZ &&
           cameraPitch == o.cameraPitch && cameraYaw == o.cameraYaw && showCube == o.showCube &&
           showReferenceMarks == o.showReferenceMarks && showAxes == o.showAxes &&
           backgroundColor == o.backgroundColor && cubeColor == o.cubeColor &&
           axesColor == o.axesColor && cursorColor == o.cursorColor &&
           cursorKind == o.cursorKind && axisLabelX == o.axisLabelX &&
           axisLabelY == o.axisLabelY && axisLabelZ == o.axisLabelZ &&
           printBufferMB == o.printBufferMB && animationIntervalMs == o.animationIntervalMs;
}

// Written as "value > limit" so that NaN also falls back to the default.
void ApplySettingsRanges(ViewSettings &s)
{
    if (!(s.nearPlane > 0))
        s.nearPlane = 0.0001;
    if (!(s.farPlane > 0))
        s.farPlane = 1000.0;
    if (s.nearPlane >= s.farPlane)
        s.farPlane = s.nearPlane + 1;
    if (!(s.fieldOfView > 0 && s.fieldOfView < 180))
        s.fieldOfView = 45.0;
    if (!(s.sensitivity > 0))
        s.sensitivity = 0.08;
    if (!(s.cubeDimension > 0))
        s.cubeDimension = 10.0;
    if (s.animationIntervalMs < 1 || s.animationIntervalMs > 60000)
        s.animationIntervalMs = 1;
    if (s.printBufferMB < 5 || s.printBufferMB > 1000)
        s.printBufferMB = 5;
}

ViewSettings KeepingCamera(const ViewSettings &edited, const ViewSettings &current)
{
    ViewSettings result = edited;
    result.cameraX = current.cameraX;
    result.cameraY = current.cameraY;
    result.cameraZ = current.cameraZ;
    result.cameraPitch = current.cameraPitch;
    result.cameraYaw = current.cameraYaw;
    return result;
}
