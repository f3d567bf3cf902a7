// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QIODevice;
struct SceneMesh;

// Binary STL: an 80-byte header, the triangle count and, per triangle, its
// unit normal and three corners as little-endian floats.  False when a write
// failed, or at once, with nothing written, for a mesh StlRefusal refuses.
bool WriteStl(const SceneMesh &mesh, QIODevice &out);
// Why the mesh cannot go into an STL file, for the user: a coordinate beyond
// the single-precision numbers the format holds (a document's cube may be
// far larger).  Empty when it can.
QString StlRefusal(const SceneMesh &mesh);

// Wavefront OBJ: one object per function, named by its label, with indexed
// faces over shared vertices and per-vertex colours ("v x y z r g b") for
// gradient surfaces; each object uses a material of its own, defined in
// the library file `mtlName` beside it.
bool WriteObj(const SceneMesh &mesh, const QString &mtlName, QIODevice &out);
// The materials: each function's colour 1 as its diffuse colour.
bool WriteMtl(const SceneMesh &mesh, QIODevice &out);

// The material library beside the .obj file `objPath`: the same name with
// blanks as "_" (an mtllib line lists file names separated by blanks), and
// the suffix .mtl.
QString MaterialLibraryPath(const QString &objPath);

// Writes `path` (.obj) and its material library beside it, each through a
// temporary file; neither replaces an existing file unless both were
// written.  On failure `error` names the file and the reason.
bool WriteObjFiles(const SceneMesh &mesh, const QString &path, QString *error);
