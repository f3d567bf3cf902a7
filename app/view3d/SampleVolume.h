#pragma once

#include <cstdint>
#include <string>

#include <QString>

#include "model/GridSize.h"   // kMaxVolumePoints
#include "view3d/IsoSurface.h"

// The values of an implicit surface's function over the box of its variables
// x, y and z (their ranges and steps).
struct VolumeResult {
    bool usable = false;
    QString problem;   // for the user when not usable
    VolumeSamples samples;
};

// Samples the implicit surface `handle` defined by `text` at every point of
// its box; the other variables keep their current values, and x, y and z
// have theirs again afterwards.  A box that cannot be made (a variable
// missing or with steps <= 0, too many points, no memory) comes back not
// usable, with a message naming `label`.
VolumeResult SampleVolume(const std::string &text, int32_t handle, const std::string &label = {});
