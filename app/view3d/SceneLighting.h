// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "view3d/SampleMapping.h"

struct Camera;

// Unit vector towards the light of shaded surfaces (GL coordinates): from
// behind the eye of `camera`, a little above and to the left of it, so that
// slopes facing the eye still differ in brightness.  It turns with the
// camera.
GLPoint HeadlightDirection(const Camera &camera);

// Sets up the one light of shaded surfaces: white, directional, from the
// viewer's side, with the drawing colour as ambient and diffuse colour of both sides
// of a face.  Lighting itself stays off: the mesh drawing switches it on
// around the faces that are lit.  Call with the model-view matrix at the
// identity (the camera lives on the projection).
void SetUpHeadlight(const Camera &camera);
