#include "view3d/SceneFurniture.h"

#include <GL/gl.h>

#include "model/FormatGeneral.h"
#include "model/ViewSettings.h"
#include "view3d/Camera.h"
#include "view3d/OutlineFont.h"
#include "view3d/Text3D.h"

namespace {

void SetColour(Colour c)
{
    glColor3ub(GLubyte(ColourRed(c)), GLubyte(ColourGreen(c)), GLubyte(ColourBlue(c)));
}

void Line(double x0, double y0, double z0, double x1, double y1, double z1)
{
    glVertex3d(x0, y0, z0);
    glVertex3d(x1, y1, z1);
}

// A tick at position p along one of the three marked edges, length t,
// running diagonally away from the cube.
void Tick(int edge, double h, double p, double t)
{
    switch (edge) {
    case 0: Line(p, -h, h, p, -h - t, h + t); break;   // along the user's x
    case 1: Line(h, -h, p, h + t, -h - t, p); break;   // along the user's y
    default: Line(h, p, -h, h + t, p, -h - t); break;  // along the user's z
    }
}

} // namespace

std::array<std::string, 3> ReferenceMarkLabels(double cubeDimension)
{
    const double h = cubeDimension / 2;
    return {FormatGeneral(-h, 4).toStdString(), FormatGeneral(h, 4).toStdString(), "0"};
}

void DrawCube(const ViewSettings &s)
{
    const double h = s.cubeDimension / 2;
    SetColour(s.cubeColor);
    glBegin(GL_LINES);
    for (double z : {-h, h}) {
        Line(-h, -h, z, h, -h, z);
        Line(h, -h, z, h, h, z);
        Line(h, h, z, -h, h, z);
        Line(-h, h, z, -h, -h, z);
    }
    for (auto [x, y] : {std::pair{-h, -h}, {h, -h}, {h, h}, {-h, h}})
        Line(x, y, -h, x, y, h);
    glEnd();
}

void DrawReferenceMarks(const ViewSettings &s, const OutlineFont &font, const Camera &camera)
{
    const double h = s.cubeDimension / 2;
    SetColour(s.cubeColor);
    glBegin(GL_LINES);
    for (int edge = 0; edge < 3; ++edge) {
        for (double p : {-h, h, 0.0, -h / 2, h / 2})
            Tick(edge, h, p, h / 10);
        for (double p : {-h / 4, h / 4, -3 * h / 4, 3 * h / 4})
            Tick(edge, h, p, h / 20);
    }
    glEnd();

    const double scale = 0.05 * s.cubeDimension;
    const double H = scale * font.Metrics('(').blackBoxY;
    const double g = h / 10;
    const auto labels = ReferenceMarkLabels(s.cubeDimension);
    for (int k = 0; k < 2; ++k) {
        const double v = k == 0 ? -h : h;
        const std::string &text = labels[size_t(k)];
        const double W = scale * font.TextWidth(text);
        DrawText3D(font, camera, text, v - W / 2, -h - g - H, h + g, scale);
        DrawText3D(font, camera, text, h + g, -h - g - H, v, scale);
        DrawText3D(font, camera, text, h + g, v - H / 2, -h - g, scale);
    }
    const std::string &zero = labels[2];
    const double W0 = scale * font.Metrics('0').blackBoxX;
    const double H0 = scale * font.Metrics('0').blackBoxY;
    DrawText3D(font, camera, zero, -W0 / 2, -h - g - H0, h + g, scale);
    DrawText3D(font, camera, zero, h + g, -h - g - H0, 0, scale);
    DrawText3D(font, camera, zero, h + g, -H0 / 2, -h - g, scale);
}

void DrawAxes(const ViewSettings &s, const OutlineFont &font, const Camera &camera)
{
    const double h = s.cubeDimension / 2;
    SetColour(s.axesColor);
    glBegin(GL_LINES);
    Line(-h, 0, 0, h, 0, 0);
    Line(0, -h, 0, 0, h, 0);
    Line(0, 0, -h, 0, 0, h);
    glEnd();

    const double scale = 0.1 * s.cubeDimension;
    const double d = h + 0.05 * s.cubeDimension;
    // The offsets use the width in em, not scaled: the labels sit a little
    // off the axis ends, as they always have.
    DrawText3D(font, camera, s.axisLabelX, d, 0, font.TextWidth(s.axisLabelX) / 2, scale);
    DrawText3D(font, camera, s.axisLabelZ, -font.TextWidth(s.axisLabelZ) / 2, d, 0, scale);
    DrawText3D(font, camera, s.axisLabelY, -font.TextWidth(s.axisLabelY) / 2, 0, d, scale);
}
