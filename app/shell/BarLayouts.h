#pragma once

#include <QList>

// The buttons of the four bars, in order; 0 is a separator.
namespace BarLayouts {
QList<int> Standard();
QList<int> ThreeD();
QList<int> Animation();
QList<int> Trace();
}  // namespace BarLayouts
