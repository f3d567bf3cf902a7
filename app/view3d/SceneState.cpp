// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/SceneState.h"

#include "model/CVeltrix2Doc.h"

SceneState SavedScene(const CVeltrix2Doc &doc, int width, int height, const RenderOptions &options)
{
    const ViewSettings &s = doc.Settings();
    SceneState scene;
    scene.doc = &doc;
    scene.camera.SetPose(CameraPose{s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
    scene.width = width;
    scene.height = height;
    scene.options = options;
    return scene;
}
