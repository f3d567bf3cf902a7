// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The live camera belongs to the 3D view; the document copies it in before
// saving and hands it back after opening through this interface.
struct CameraPose {
    double x = 4.0, y = 7.0, z = 20.0;  // eye position in GL coordinates
    double pitch = -20.0, yaw = 15.0;   // degrees
};

class CameraLink {
public:
    virtual ~CameraLink() = default;
    virtual CameraPose GetCamera() const = 0;
    virtual void SetCamera(const CameraPose &pose) = 0;
};
