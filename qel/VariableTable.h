// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_VARIABLETABLE_H
#define QEL_VARIABLETABLE_H

#include "qel/qel.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qel {

// The variables of one function: names (owned copies), current values and
// the ranges that the library keeps for its caller without reading them.
// The current values sit in one contiguous array, which is what the
// evaluator reads.
class VariableTable {
public:
    // Copies count records (each name copied).  Refuses, leaving the table
    // empty, when a name is null or empty: an empty name would match at every
    // position of a text without consuming a character.
    bool Assign(const VariableRecord *records, int32_t count);
    void Clear() { *this = VariableTable(); } // releases the memory too

    size_t Size() const { return names_.size(); }
    const std::string &Name(size_t i) const { return names_[i]; }

    double *Values() { return values_.data(); }
    const double *Values() const { return values_.data(); }
    // Index of the variable named exactly so, or -1.
    int Find(const char *name) const;

    // The record of variable i; its name points at the table's own copy,
    // valid until the table is changed.
    VariableRecord Record(size_t i) const;
    void CopyOut(VariableRecord *dest) const;
    // Replaces value, min, max and steps of variable i.
    void Modify(size_t i, const VariableRecord &record);

private:
    std::vector<std::string> names_;
    std::vector<double> values_;
    std::vector<double> minimums_;
    std::vector<double> maximums_;
    std::vector<int32_t> steps_;
};

} // namespace qel

#endif
