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

Direction LineOfSight(const Camera &c)
{
    const double pitch = c.pitch * kDegree, yaw = c.yaw * kDegree;
    return {-std::cos(pitch) * std::sin(yaw), std::sin(pitch), -std::cos(pitch) * std::cos(yaw)};
}

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

namespace {

// Rotates (x, z) by angle a (radians) about the vertical axis, as a yaw
// does: positive turns +Z towards +X.
void RotateAboutVertical(double &x, double &z, double a)
{
    const double c = std::cos(a), s = std::sin(a);
    const double nx = x * c + z * s, nz = -x * s + z * c;
    x = nx;
    z = nz;
}

} // namespace

void OrbitByDrag(Camera &c, double s, int dx, int dy)
{
    // About the vertical axis: the eye and its yaw turn together.
    const double around = s * dx;
    RotateAboutVertical(c.posX, c.posZ, around * kDegree);
    c.yaw += around;
    // About the eye's horizontal axis through the centre: turn into the
    // camera's frame (yaw undone), tilt there about X, turn back.
    const double tilt = s * dy;
    RotateAboutVertical(c.posX, c.posZ, -c.yaw * kDegree);
    const double t = tilt * kDegree, cy = std::cos(t), sy = std::sin(t);
    const double ny = c.posY * cy - c.posZ * sy, nz = c.posY * sy + c.posZ * cy;
    c.posY = ny;
    c.posZ = nz;
    RotateAboutVertical(c.posX, c.posZ, c.yaw * kDegree);
    c.pitch += tilt;
}

bool ApplyHeldKey(Camera &c, int vk, double d, bool traceOn)
{
    switch (vk) {
    case VkRight: if (traceOn) return false; c.yaw -= d; return true;
    case VkLeft: if (traceOn) return false; c.yaw += d; return true;
    case VkUp: if (traceOn) return false; Forward(c, d); return true;
    case VkDown: if (traceOn) return false; Forward(c, -d); return true;
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
