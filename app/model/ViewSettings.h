#pragma once

#include <cstdint>
#include <string>

// Colours are 0x00BBGGRR: red in the low byte.
using Color = uint32_t;

inline int ColorRed(Color c) { return int(c & 0xFF); }
inline int ColorGreen(Color c) { return int((c >> 8) & 0xFF); }
inline int ColorBlue(Color c) { return int((c >> 16) & 0xFF); }
inline Color MakeColor(int r, int g, int b)
{
    return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}

enum CursorKind : int32_t {
    CrossCursor = 0,
    SphereCursor = 1
};

// Everything that shapes the scene; travels with each document.  Fields are
// in the order of the document file.
struct ViewSettings {
    double sensitivity = 0.08;
    double cubeDimension = 10.0;
    double nearPlane = 0.1;
    double farPlane = 100.0;
    double fieldOfView = 45.0;          // degrees
    double cameraX = 4.0;               // the document's copy of the camera;
    double cameraY = 7.0;               // the live camera is the 3D view's
    double cameraZ = 20.0;
    double cameraPitch = -20.0;         // degrees
    double cameraYaw = 15.0;            // degrees
    int32_t showCube = 1;
    int32_t showReferenceMarks = 1;
    int32_t showAxes = 1;
    Color backgroundColor = 0x000000;
    Color cubeColor = 0xFFFFFF;
    Color axesColor = 0xFFFFFF;
    Color cursorColor = 0x0000FF;
    int32_t cursorKind = CrossCursor;
    std::string axisLabelX = "x";       // 8-bit texts
    std::string axisLabelY = "y";
    std::string axisLabelZ = "z";
    uint32_t printBufferMB = 30;
    uint32_t animationIntervalMs = 10;

    bool operator==(const ViewSettings &o) const;
    bool operator!=(const ViewSettings &o) const { return !(*this == o); }
};

// The corrections the settings dialog applies on OK (out-of-range values
// fall back to defaults without a message).
void ApplySettingsRanges(ViewSettings &s);

// `edited` with the camera rows of `current`.  The settings dialog edits
// everything but the camera, which is live in the 3D view.
ViewSettings KeepingCamera(const ViewSettings &edited, const ViewSettings &current);
