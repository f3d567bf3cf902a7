#include "view3d/Camera.h"

#include <cmath>

#include <Qt>

namespace {

void Forward(Camera &c, double d)
{
    const double a = c.yaw * kDegree;
    c.posX -= d * std::sin(a);
    c.posZ -= d * std::cos(a);
}

void Sideways(Camera &c, double d)   // positive d steps right
{
    const double a = c.yaw * kDegree;
    c.posX += d * std::cos(a);
    c.posZ -= d * std::sin(a);
}

} // namespace

bool ApplyCameraCommand(Camera &c, int id, double d)
{
    switch (id) {
    case CmdCameraReset: c = Camera(); return true;
    case CmdCameraForward: Forward(c, d); return true;
    case CmdCameraBackward: Forward(c, -d); return true;
    case CmdCameraUp: c.posY += d; return true;
    case CmdCameraDown: c.posY -= d; return true;
    case CmdCameraLeft: Sideways(c, -d); return true;
    case CmdCameraRight: Sideways(c, d); return true;
    case CmdLookUp: c.pitch += d; return true;
    case CmdLookDown: c.pitch -= d; return true;
    case CmdTurnLeft: c.yaw += d; return true;
    case CmdTurnRight: c.yaw -= d; return true;
    default: return false;
    }
}

void TurnByDrag(Camera &c, double s, int dx, int dy)
{
    c.yaw += s * dx;
    c.pitch += s * dy;
}

void WalkByDrag(Camera &c, double s, int dx, int dy)
{
    const double a = c.yaw * kDegree;
    c.posX -= s * dy * std::sin(a);
    c.posZ -= s * dy * std::cos(a);
    c.posX -= s * dx * std::cos(a);
    c.posZ += s * dx * std::sin(a);
}

void RiseByDrag(Camera &c, double s, int dy)
{
    c.posY += s * dy;
}

bool ApplyHeldKey(Camera &c, int vk, double d, bool traceOn)
{
    switch (vk) {
    case VkRight: if (!traceOn) c.yaw -= d; return true;
    case VkLeft: if (!traceOn) c.yaw += d; return true;
    case VkUp: if (!traceOn) Forward(c, d); return true;
    case VkDown: if (!traceOn) Forward(c, -d); return true;
    case VkPageUp: c.pitch += d; return true;
    case VkPageDown: c.pitch -= d; return true;
    case VkHome: c.posY += d; return true;
    case VkEnd: c.posY -= d; return true;
    case VkMinus: Sideways(c, d); return true;
    case VkPeriod: Sideways(c, -d); return true;
    default: return false;
    }
}

int VirtualKeyFromQt(int qtKey, bool keypad)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return VkPageUp;
    case Qt::Key_PageDown: return VkPageDown;
    case Qt::Key_End: return VkEnd;
    case Qt::Key_Home: return VkHome;
    case Qt::Key_Left: return VkLeft;
    case Qt::Key_Up: return VkUp;
    case Qt::Key_Right: return VkRight;
    case Qt::Key_Down: return VkDown;
    case Qt::Key_Minus: return keypad ? 0 : VkMinus;
    case Qt::Key_Period: return keypad ? 0 : VkPeriod;
    case Qt::Key_Escape: return VkEscape;
    default: return 0;
    }
}
