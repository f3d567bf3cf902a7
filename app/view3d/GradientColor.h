#pragma once

#include "model/ViewSettings.h"

// Colour of a value between low (c1) and high (c2), channel by channel.
// c1 when the range is empty or not a number.
Colour GradientColor(double low, double high, double value, Colour c1, Colour c2);
