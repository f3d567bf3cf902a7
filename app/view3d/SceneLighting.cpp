// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/SceneLighting.h"

#include <cmath>

#include <GL/gl.h>

#include "view3d/Camera.h"

namespace {

// The light in the eye's frame (x right, y up, looking along -z).
constexpr double kLeft = -0.35, kUp = 0.45, kBack = 1.0;

} // namespace

GLPoint HeadlightDirection(const Camera &c)
{
    const double length = std::sqrt(kLeft * kLeft + kUp * kUp + kBack * kBack);
    const double a = kLeft / length, b = kUp / length, d = kBack / length;
    // The eye's frame is turned by pitch about X, then by yaw about Y.
    const double pitch = c.pitch * kDegree, yaw = c.yaw * kDegree;
    const double y = b * std::cos(pitch) - d * std::sin(pitch);
    const double z = b * std::sin(pitch) + d * std::cos(pitch);
    return {a * std::cos(yaw) + z * std::sin(yaw), y, -a * std::sin(yaw) + z * std::cos(yaw)};
}

void SetUpHeadlight(const Camera &camera)
{
    // A face turned to the light shows its colour exactly; one turned away
    // keeps the ambient part.
    static const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1};
    static const GLfloat diffuse[4] = {0.7f, 0.7f, 0.7f, 1};
    static const GLfloat none[4] = {0, 0, 0, 1};
    const GLPoint d = HeadlightDirection(camera);
    const GLfloat position[4] = {GLfloat(d.x), GLfloat(d.y), GLfloat(d.z), 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
}
