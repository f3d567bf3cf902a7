// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_HANDLETABLE_H
#define QEL_HANDLETABLE_H

#include "qel/QelFunction.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qel {

// The library's 100 function slots; a handle is a slot index.
class HandleTable {
public:
    static constexpr int32_t kSlots = 100;

    static bool InRange(int32_t handle) { return handle >= 0 && handle < kSlots; }

    // Puts a new function into the lowest empty slot and returns its index;
    // -1 when every slot is used.  When the memory for the function cannot be
    // had, the index is still returned and its slot stays empty.
    int32_t Create();
    // Destroys the function in the slot; false for a bad handle or an empty
    // slot.
    bool Destroy(int32_t handle);
    void DestroyAll();

    // The function in the slot, or null for a handle out of range or an empty
    // slot (callers check InRange first where the two answers differ).
    QelFunction *Find(int32_t handle) const
    {
        return InRange(handle) ? slots_[static_cast<size_t>(handle)].get() : nullptr;
    }

private:
    std::array<std::unique_ptr<QelFunction>, kSlots> slots_{};
};

namespace detail {
extern HandleTable g_functions;
}

// The one table of the library.  Inline: execute_function reaches it once
// per sample point.
inline HandleTable &Functions() { return detail::g_functions; }

} // namespace qel

#endif
