// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_FUNCTIONBLOCK_H
#define QEL_FUNCTIONBLOCK_H

#include "qel/QelFunction.h"
#include "qel/qel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

// The stored form of a function, at the current position of an open file
// descriptor, in the middle of the caller's own data:
//   int32 L, L bytes of text, int32 angle mode, int32 N,
//   N x { int32 Ln, Ln bytes of name, double value, min, max, int32 steps }
// little-endian, no alignment, no terminators.  Plain write() and read()
// calls on the descriptor: no user-space buffer holds anything back, and the
// position ends directly after the block.  The header and each variable
// entry go to the kernel in a write of their own; there is no fsync, which
// would make saving a document of many functions crawl on a slow disk for no
// gain, since the caller's own data around the block is not synced either.
struct FunctionBlock {
    std::string text;
    int32_t angleMode = 1;
    std::vector<std::string> names;
    std::vector<VariableRecord> variables; // names point into `names`

    // Writes the block of a compiled function; false at the first write
    // that transfers fewer bytes than asked (what was written stays).
    static bool Write(int fd, const QelFunction &function);

    // Reads a block.  False on a short read, a text length of 0 or less, a
    // negative length, or a length larger than what is left of the file;
    // such lengths are refused before anything is allocated for them.
    bool Read(int fd);
};

} // namespace qel

#endif
