#pragma once

#include "model/CameraLink.h"

// Radians per degree for the camera's angles.  A single-precision constant:
// keep its exact value so that long walks end where they always did.
constexpr double kDegree = double(0.0174532924f);

// The eye of the 3D view, in GL coordinates (user x, z, y), angles in
// degrees.  Angles are neither wrapped nor clamped.
struct Camera {
    double posX = 4.0, posY = 7.0, posZ = 20.0;
    double pitch = -20.0;   // about GL X; positive looks up
    double yaw = 15.0;      // about GL Y; positive turns left

    CameraPose Pose() const { return {posX, posY, posZ, pitch, yaw}; }
    void SetPose(const CameraPose &p)
    {
        posX = p.x;
        posY = p.y;
        posZ = p.z;
        pitch = p.pitch;
        yaw = p.yaw;
    }
};

// Unit vector along which the camera looks (GL coordinates): -Z turned by
// pitch about X, then by yaw about Y.
struct Direction {
    double x = 0, y = 0, z = 0;
};
Direction LineOfSight(const Camera &camera);

// The steps of the 3D tool bar and the navigation keys.
enum class CameraMove {
    Forward,
    Backward,     // along the line of sight, level
    Up,
    Down,              // straight up and down
    Left,
    Right,           // sideways
    LookUp,
    LookDown,      // pitch
    TurnLeft,
    TurnRight,   // yaw
};

// Moves the camera one step of length (or angle) d.
void MoveCamera(Camera &camera, CameraMove move, double d);

// Mouse drags; s is the sensitivity (without the factor 10) and dx, dy the
// anchor minus the current position.
void TurnByDrag(Camera &camera, double s, int dx, int dy);
void WalkByDrag(Camera &camera, double s, int dx, int dy);
void RiseByDrag(Camera &camera, double s, int dy);
// Turns the camera rigidly about the cube's centre: by s * dx degrees about
// the vertical axis and s * dy about the camera's horizontal axis, so that
// the distance to the centre and what lies in front of the eye are kept
// (the scene turns with the mouse).
void OrbitByDrag(Camera &camera, double s, int dx, int dy);
