// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_NAMEINDEX_H
#define QEL_NAMEINDEX_H

#include "qel/VariableTable.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel {

// For every position of an expression text, the first variable in table
// order whose whole name stands there.  All positions are answered in one
// pass over the text, whatever the number of names and however they overlap,
// so that a text of many names in a table of many variables compiles in time
// proportional to their sizes rather than to their product.
class NameIndex {
public:
    NameIndex(const VariableTable &variables, const char *text, size_t length);

    // The table index of the name at pos, or -1.
    int32_t At(size_t pos) const { return pos < first_.size() ? first_[pos] : -1; }

private:
    std::vector<int32_t> first_;
};

} // namespace qel

#endif
