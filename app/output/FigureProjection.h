#pragma once

#include "view3d/Camera.h"
#include "view3d/SampleMapping.h"

struct ViewSettings;

// A point in the eye's frame: x right, y up, looking along -z.
struct EyePoint {
    double x = 0, y = 0, z = 0;
};

// A point of a figure, in pixels from its top-left corner, y down.
struct FigurePoint {
    double x = 0, y = 0;
};

// The view's camera and perspective without OpenGL: what the renderer puts
// on the projection matrix (the settings' field of view and planes, then
// the camera's pitch, yaw and position), mapped onto a figure of
// width x height pixels as the viewport maps it onto a picture.
class FigureProjection {
public:
    FigureProjection(const Camera &camera, const ViewSettings &settings, int width, int height);

    EyePoint ToEye(const GLPoint &p) const;
    // Where an eye point in front of the eye lands on the figure.
    FigurePoint ToFigure(const EyePoint &p) const;
    // The eye point at `depth` (distance along -z) seen at a figure point.
    EyePoint AtDepth(FigurePoint f, double depth) const;
    // Pixels per unit of length at `depth`, across the line of sight.
    double Scale(double depth) const { return focal_ / depth; }

    double Near() const { return near_; }
    double Far() const { return far_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    double rotation_[3][3];   // GL world to eye
    GLPoint eye_;
    double focal_;            // pixels per unit of x/depth and y/depth
    double near_, far_;
    int width_, height_;
};
