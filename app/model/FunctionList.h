// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <utility>
#include <vector>

#include "FunctionRecord.h"

// Ordered list of records in the order of adding.  Positions are indices
// 0..Count()-1; -1 means "no position".  Handles are unique in the list.
// The list itself never calls the library: the document does.
class FunctionList {
public:
    int Count() const { return int(records_.size()); }
    bool IsEmpty() const { return records_.empty(); }
    void Append(FunctionRecord r) { records_.push_back(std::move(r)); }
    void Insert(int position, const FunctionRecord &r) { records_.insert(records_.begin() + position, r); }
    void Replace(int position, const FunctionRecord &r);
    FunctionRecord Take(int position);               // unlink and return
    void Clear() { records_.clear(); }
    const FunctionRecord &At(int position) const { return records_.at(size_t(position)); }
    FunctionRecord &At(int position) { return records_.at(size_t(position)); }
    bool IsValid(int position) const { return position >= 0 && position < Count(); }

    int First() const { return records_.empty() ? -1 : 0; }
    int Last() const { return Count() - 1; }
    int Next(int position) const { return position + 1 < Count() ? position + 1 : -1; }
    int Find(int32_t handle) const;                  // -1 when absent

private:
    std::vector<FunctionRecord> records_;
};
