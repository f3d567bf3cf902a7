// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FunctionList.h"

void FunctionList::Replace(int position, const FunctionRecord &r)
{
    At(position) = r;
}

FunctionRecord FunctionList::Take(int position)
{
    FunctionRecord taken = At(position);
    records_.erase(records_.begin() + position);
    return taken;
}

int FunctionList::Find(int32_t handle) const
{
    for (int i = 0; i < Count(); ++i)
        if (records_[size_t(i)].handle == handle)
            return i;
    return -1;
}
