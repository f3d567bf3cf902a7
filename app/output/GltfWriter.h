// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
struct SceneGeometry;

// The scene as binary glTF 2.0 (.glb), written with tinygltf:
//  - the root node "plot" holds the user's coordinates (z up) and turns them
//    into glTF's y-up frame as the view does (x right, z up, y toward the
//    eye), with one node per function named by its label, and the cube,
//    reference marks and axes as line meshes;
//  - the node "labels" holds the texts as closed line strips of their
//    outlines, each facing the saved camera (extras "billboard": true);
//  - the node "camera" is the document's camera.
// Surfaces are indexed triangles with unit normals; gradient surfaces and
// curves carry their colours per vertex.  Materials are unlit
// (KHR_materials_unlit), double-sided, with linear colours; the scene's
// extras name the background colour ("background": "#rrggbb").
QByteArray GltfBinary(const SceneGeometry &scene, const QString &title);

bool WriteGltf(const SceneGeometry &scene, const QString &title, QIODevice &out);

// A colour channel 0..255 (sRGB, as the view draws it) in glTF's linear
// space, and back.
double LinearChannel(int srgb);
int SrgbChannel(double linear);
