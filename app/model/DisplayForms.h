#pragma once

#include <QString>

#include "ViewSettings.h"
#include "qel/qel.h"

// Texts the tree shows for a function's parts.
QString RangeText(double min, double max);          // "[-5.,5.]"
QString ColourText(Colour c);                       // "(255,0,0)"
QString ModeName(int mode);                         // "wire frame", ...; "" otherwise
QString StepsText(int32_t steps);                   // "20"
QString ValueText(const char *name, double value);  // "x = 0."
int FindVariable(const VariableRecord *table, int count, const char *name);   // -1 when absent

// Status-bar prompt for the function commands 101..105, 32772, 32773, 32779;
// empty for others.
QString FunctionCommandPrompt(int commandId);
