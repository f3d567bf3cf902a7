#include "view3d/Text3D.h"

#include <algorithm>
#include <cmath>

#include "view3d/Camera.h"
#include "view3d/OutlineFont.h"

void DrawText3D(const OutlineFont &font, const Camera &camera, const std::string &text,
                double x, double y, double z, double scale)
{
    if (text.empty() || !font.IsBuilt())
        return;
    const GLsizei n = GLsizei(std::min<size_t>(text.size(), 255));
    const double yawRad = camera.yaw * kDegree;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font.ListsFor(text));
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(x, y, z);
    // Undo the camera rotation (-pitch about X after -yaw about Y): pitch
    // about the yawed X axis, then yaw about Y.
    glRotated(camera.pitch, std::cos(yawRad), 0, -std::sin(yawRad));
    glRotated(camera.yaw - 360, 0, 1, 0);
    glScaled(scale, scale, scale);
    glCallLists(n, GL_UNSIGNED_BYTE, text.data());
    glPopMatrix();
    glPopAttrib();
}
