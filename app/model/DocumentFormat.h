// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>

// Fixed parts of the document file shared by its writer and reader.
namespace DocumentFormat {
constexpr char kSignature[7] = {'T', 'O', 'R', 'V', 'A', 'N', 'E'};
constexpr char kMagic[4] = {'V', 'L', 'T', 'X'};
constexpr uint8_t kVersionMajor = 2;
constexpr uint8_t kVersionMinor = 0;
constexpr size_t kHeaderSize = sizeof kSignature + sizeof kMagic + 2;
constexpr size_t kLabelFieldSize = 81;   // 80 characters and the terminator
constexpr int32_t kMaxFunctions = 100;   // the library holds no more
}  // namespace DocumentFormat
