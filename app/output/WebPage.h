// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
struct SceneGeometry;

// One self-contained HTML page that shows the scene and lets the reader
// turn it: the scene as binary glTF (base64, inside the page) and three.js
// with its orbit controls and glTF loader, inlined, so that it opens from
// disk with no network.  The page shows the scene from the saved camera on
// the document's background; a drag turns it about the point the camera
// looks at, the wheel zooms, a right drag pans, "Reset view" goes back.  A
// legend names the functions in their colours; `title` (the document's file
// name) is the page's title.  For scripts and tests the page keeps
// window.veltrix: ready, frames and firstFrameMs.
QByteArray WebPage(const SceneGeometry &scene, const QString &title);

bool WriteWebPage(const SceneGeometry &scene, const QString &title, QIODevice &out);
