#pragma once

#include <GL/gl.h>

#include "view3d/RenderMesh.h"

// How a mesh's points reach GL.  Arrays: vertex arrays and index lists, for
// drawing straight away or into the display list being compiled.
// Immediate: glVertex calls, for the selection pass, where Mesa is safe
// only with those (it crashes replaying some lists and arrays there).
enum class MeshSubmission { Arrays, Immediate };

// Draws the mesh's batches in order into the current context.  `tag` is the
// function's mark in the stencil (faces pushed back add kStencilOffsetFace
// to it).  Leaves colour, client-array, offset and lighting state as it
// found them: off.
void DrawRenderMesh(const RenderMesh &mesh, GLint tag, MeshSubmission submission = MeshSubmission::Arrays);
