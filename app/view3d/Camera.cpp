#include "view3d/Camera.h"

#include <cmath>

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

void MoveCamera(Camera &c, CameraMove move, double d)
{
    switch (move) {
    case CameraMove::Forward: Forward(c, d); break;
    case CameraMove::Backward: Forward(c, -d); break;
    case CameraMove::Up: c.posY += d; break;
    case CameraMove::Down: c.posY -= d; break;
    case CameraMove::Left: Sideways(c, -d); break;
    case CameraMove::Right: Sideways(c, d); break;
    case CameraMove::LookUp: c.pitch += d; break;
    case CameraMove::LookDown: c.pitch -= d; break;
    case CameraMove::TurnLeft: c.yaw += d; break;
    case CameraMove::TurnRight: c.yaw -= d; break;
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
