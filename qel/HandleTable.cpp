// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#include "qel/HandleTable.h"

#include <new>

namespace qel {

int32_t HandleTable::Create()
{
    for (int32_t i = 0; i < kSlots; ++i) {
        auto &slot = slots_[static_cast<size_t>(i)];
        if (!slot) {
            slot.reset(new (std::nothrow) QelFunction);
            return i;
        }
    }
    return -1;
}

bool HandleTable::Destroy(int32_t handle)
{
    if (!InRange(handle))
        return false;
    auto &slot = slots_[static_cast<size_t>(handle)];
    if (!slot)
        return false;
    slot.reset();
    return true;
}

void HandleTable::DestroyAll()
{
    for (auto &slot : slots_)
        slot.reset();
}

// Constant-initialised (no guard on every call); destroyed, with every
// function still present, when the library is unloaded.
HandleTable detail::g_functions;

} // namespace qel
