#pragma once

#include <QString>

#include <string>

#include "ViewSettings.h"

// Texts the tree shows for a function's parts.
QString RangeText(double min, double max);          // "[-5.,5.]"
QString ColorText(Color c);                       // "(255,0,0)"
QString ModeName(int mode);                         // "wire frame", ...; "" otherwise
QString StepsText(int32_t steps);                   // "20"
QString ValueText(const std::string &name, double value);   // "x = 0."
