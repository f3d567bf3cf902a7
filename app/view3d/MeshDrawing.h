// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <GL/gl.h>

#include "view3d/RenderMesh.h"

// How a mesh's points reach GL.  Direct: vertex arrays and index lists,
// drawn at once.  IntoList: the same, into the display list being
// compiled.  Immediate: glVertex calls, for the selection pass, where Mesa
// is safe only with those (it crashes replaying some lists there).
enum class MeshSubmission { Direct,
                            IntoList,
                            Immediate };

// Primitives handed to the driver between two flushes.  Given a whole
// frame at once, llvmpipe bins all of it (tens of megabytes for a dense
// surface) before it draws a pixel; given pieces with a flush after each,
// it draws while it is handed the next, in memory that stays small.  The
// pixels are the same: the primitives come in the same order.
constexpr size_t kPrimitivesPerFlush = 2500;

// A stretch of one batch's indices.
struct MeshSpan {
    size_t batch = 0;
    size_t first = 0, count = 0;   // in indices
    uint32_t lowest = 0, highest = 0;   // of the points named
};
using MeshPiece = std::vector<MeshSpan>;

// How pieces end: at `primitives` primitives, and for lists also where the
// outlines change class, so that a list compiled from a piece holds
// outlines of one class only (or none) and can be left out as a whole.  A
// piece drawn directly leaves out outlines span by span, and each flush
// costs llvmpipe a scene handed to its threads: those pieces only end full.
enum class PieceEnds { WhenFull,
                       WhenFullOrOutlinesChange };

// The mesh cut, in drawing order, into pieces of at most `primitives`
// primitives each.
std::vector<MeshPiece> MeshPieces(const RenderMesh &mesh, size_t primitives = kPrimitivesPerFlush,
                                  PieceEnds ends = PieceEnds::WhenFull);
// The outlines a piece cut for lists holds (no family: nothing a spacing
// leaves out).
OutlineClass PieceOutline(const RenderMesh &mesh, const MeshPiece &piece);

// Draws one piece into the current context, without the outlines that
// `spacing` leaves out.  `tag` is the function's mark in the stencil (faces
// pushed back add kStencilOffsetFace to it).  Leaves client arrays, offset
// and lighting off, and the stencil at `tag`.
void DrawMeshPiece(const RenderMesh &mesh, const MeshPiece &piece, GLint tag, MeshSubmission submission,
                   const OutlineSpacing &spacing = OutlineSpacing());

// Draws the pieces of `mesh` (MeshPieces) directly, with a flush after each.
void DrawMeshPieces(const RenderMesh &mesh, const std::vector<MeshPiece> &pieces, GLint tag,
                    const OutlineSpacing &spacing = OutlineSpacing());

// Draws the whole mesh: directly piece by piece with a flush after each, or
// in one go into a list or the selection pass.
void DrawRenderMesh(const RenderMesh &mesh, GLint tag, MeshSubmission submission = MeshSubmission::Direct,
                    const OutlineSpacing &spacing = OutlineSpacing());
