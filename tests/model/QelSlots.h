// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include "qel/qel.h"

// Number of occupied slots of the library's handle table.
inline int UsedHandles()
{
    int used = 0;
    for (int32_t h = 0; h < 100; ++h)
        if (is_function_initialized(h) != -2)
            ++used;
    return used;
}

// The library's table is process-wide: every test starts and ends empty.
class QelTest : public ::testing::Test {
protected:
    void SetUp() override { delete_all(); }
    void TearDown() override { delete_all(); }
};
