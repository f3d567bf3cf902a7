#include "view3d/SceneFurniture.h"

#include <GL/gl.h>

#include "model/ViewSettings.h"
#include "view3d/Camera.h"
#include "view3d/FurnitureGeometry.h"
#include "view3d/OutlineFont.h"
#include "view3d/Text3D.h"

namespace {

void SetColor(Color c)
{
    glColor3ub(GLubyte(ColorRed(c)), GLubyte(ColorGreen(c)), GLubyte(ColorBlue(c)));
}

void DrawLines(const std::vector<LineSegment> &lines)
{
    glBegin(GL_LINES);
    for (const LineSegment &l : lines) {
        glVertex3d(l.a.x, l.a.y, l.a.z);
        glVertex3d(l.b.x, l.b.y, l.b.z);
    }
    glEnd();
}

void DrawTexts(const std::vector<PlacedText> &texts, const OutlineFont &font, const Camera &camera)
{
    for (const PlacedText &t : texts)
        DrawText3D(font, camera, t.text, t.at.x, t.at.y, t.at.z, t.scale);
}

} // namespace

void DrawCube(const ViewSettings &s)
{
    SetColor(s.cubeColor);
    DrawLines(CubeEdges(s.cubeDimension));
}

void DrawReferenceMarks(const ViewSettings &s, const OutlineFont &font, const Camera &camera)
{
    SetColor(s.cubeColor);
    DrawLines(ReferenceTicks(s.cubeDimension));
    DrawTexts(ReferenceMarkTexts(s, font.AllMetrics()), font, camera);
}

void DrawAxes(const ViewSettings &s, const OutlineFont &font, const Camera &camera)
{
    SetColor(s.axesColor);
    DrawLines(AxisLines(s.cubeDimension));
    DrawTexts(AxisTexts(s, font.AllMetrics()), font, camera);
}
