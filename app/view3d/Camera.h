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
        posX = p.x; posY = p.y; posZ = p.z; pitch = p.pitch; yaw = p.yaw;
    }
};

// Unit vector along which the camera looks (GL coordinates): -Z turned by
// pitch about X, then by yaw about Y.
struct Direction {
    double x = 0, y = 0, z = 0;
};
Direction LineOfSight(const Camera &camera);

// Ids of the 3D tool bar commands.
enum CameraCommand {
    CmdCameraReset = 500,
    CmdCameraForward = 501,
    CmdCameraBackward = 502,
    CmdCameraUp = 505,
    CmdCameraDown = 506,
    CmdCameraLeft = 507,
    CmdCameraRight = 508,
    CmdLookUp = 509,
    CmdLookDown = 510,
    CmdTurnLeft = 511,
    CmdTurnRight = 512,
    CmdPickMode = 513,
};

// Applies one camera command (500..512) with step d; false for other ids.
bool ApplyCameraCommand(Camera &camera, int id, double d);

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

// Virtual key codes of the navigation keys.
enum VirtualKey {
    VkPageUp = 33, VkPageDown = 34, VkEnd = 35, VkHome = 36,
    VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40,
    VkMinus = 189, VkPeriod = 190, VkEscape = 27,
};

// Held-key step: moves the camera for one held navigation key.  Returns true
// when the camera moved: false for other keys, and for the arrows while
// they move the trace cursor instead.
bool ApplyHeldKey(Camera &camera, int vk, double d, bool traceOn);

// Virtual key code of a Qt key (0 when it is none of the view's keys).
// Keypad minus and period are other keys than the main-block ones.
int VirtualKeyFromQt(int qtKey, bool keypad);
