#pragma once

#include <array>
#include <string>

struct ViewSettings;
struct Camera;
class OutlineFont;

// The cube, its reference marks and the axes, in immediate mode, from the
// current settings.  GL coordinates: user x, z, y.
void DrawCube(const ViewSettings &settings);
void DrawReferenceMarks(const ViewSettings &settings, const OutlineFont &font, const Camera &camera);
void DrawAxes(const ViewSettings &settings, const OutlineFont &font, const Camera &camera);

// Texts of the marks at -h, h and the middle of each marked edge.
std::array<std::string, 3> ReferenceMarkLabels(double cubeDimension);
