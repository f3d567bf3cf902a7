#pragma once

#include "model/ViewSettings.h"

// Colour of a value between low (c1) and high (c2), channel by channel.
// c1 when the range is empty or not a number.
Color GradientColor(double low, double high, double value, Color c1, Color c2);
