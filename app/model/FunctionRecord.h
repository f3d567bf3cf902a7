#pragma once

#include <cstdint>
#include <string>

#include "ViewSettings.h"

enum VisualizationMode : int32_t {
    WireFrame = 0,
    FilledPolygons = 1,
    ChessBoard = 2,
    Gradient = 3,
};

constexpr int kMaxLabelLength = 80;

// One plotted function.  The compiled expression, the variable table and the
// angle unit live in the qel library under `handle`; the document's list owns
// that handle (removing the record deletes it).
struct FunctionRecord {
    std::string label;                  // 1..80 characters, 8-bit
    std::string text;                   // the whole definition, header included
    int32_t handle = -1;                // -1: none
    int32_t visible = 1;
    Color color1 = 0xFFFFFF;
    Color color2 = 0x000000;
    int32_t mode = WireFrame;

    bool operator==(const FunctionRecord &o) const;
};
