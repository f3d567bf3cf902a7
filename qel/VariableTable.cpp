// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#include "qel/VariableTable.h"

namespace qel {

bool VariableTable::Assign(const VariableRecord *records, int32_t count)
{
    Clear();
    if (records == nullptr || count <= 0)
        return true;
    const size_t n = static_cast<size_t>(count);
    names_.reserve(n);
    values_.reserve(n);
    minimums_.reserve(n);
    maximums_.reserve(n);
    steps_.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const VariableRecord &r = records[i];
        if (r.name == nullptr || r.name[0] == '\0') {
            Clear();
            return false;
        }
        names_.emplace_back(r.name);
        values_.push_back(r.value);
        minimums_.push_back(r.min);
        maximums_.push_back(r.max);
        steps_.push_back(r.steps);
    }
    return true;
}

int VariableTable::Find(const char *name) const
{
    if (name == nullptr)
        return -1;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name)
            return static_cast<int>(i);
    }
    return -1;
}

VariableRecord VariableTable::Record(size_t i) const
{
    VariableRecord r;
    r.name = names_[i].c_str();
    r.value = values_[i];
    r.min = minimums_[i];
    r.max = maximums_[i];
    r.steps = steps_[i];
    return r;
}

void VariableTable::CopyOut(VariableRecord *dest) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        dest[i] = Record(i);
}

void VariableTable::Modify(size_t i, const VariableRecord &record)
{
    values_[i] = record.value;
    minimums_[i] = record.min;
    maximums_[i] = record.max;
    steps_[i] = record.steps;
}

} // namespace qel
