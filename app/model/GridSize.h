#pragma once

#include <cstdint>
#include <string>

#include <QString>

// Most sample points one grid may hold: beyond this the grid, and the display
// list made from it, would take hundreds of megabytes and seconds per rebuild.
constexpr uint64_t kMaxGridPoints = uint64_t(1) << 20;
// Most grid points of an implicit surface's box (161 x 161 x 161 and a bit):
// its values take 32 MiB.
constexpr uint64_t kMaxVolumePoints = uint64_t(1) << 22;

// Why `steps` for the variable `name` of the function `handle`, defined by
// `text`, would make a grid too large to be drawn, with the largest number
// of steps that fits; empty when the grid fits or `name` is not one of the
// two variables the function is drawn over.
QString GridTooLargeMessage(int32_t handle, const std::string &text, const std::string &name, int32_t steps);
