// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

// Buffered little-endian reader over an open POSIX file descriptor, shared
// with the expression library, which reads its own blocks from it.  Flush()
// gives the read-ahead back by seeking the descriptor to just after the last
// byte consumed; after the library's block the archive continues at the
// descriptor's position.
//
// Reading past the end of the file or a failing read sets a sticky failure:
// later reads return zeros and Ok() stays false.
class ArchiveReader {
public:
    explicit ArchiveReader(int fd, size_t bufferSize = 4096);
    ArchiveReader(const ArchiveReader &) = delete;
    ArchiveReader &operator=(const ArchiveReader &) = delete;

    // Copies up to `size` bytes and returns how many there were; does not
    // fail at the end of the file (for checking a signature).
    size_t ReadAvailable(void *data, size_t size);
    // Reads exactly `size` bytes or fails.
    bool ReadBytes(void *data, size_t size);
    uint8_t ReadByte();
    uint16_t ReadUInt16();
    int32_t ReadInt32() { return int32_t(ReadUInt32()); }
    uint32_t ReadUInt32();
    double ReadDouble();
    // The counterpart of ArchiveWriter::WriteString; also accepts the 16-bit
    // form (0xFF, 0xFFFE, length, UTF-16 characters), converted to the
    // Windows-1252 code page ('?' for a character the page does not have).
    // A length larger than the rest of the file fails without allocating.
    std::string ReadString();

    bool Flush();
    bool Ok() const { return ok_; }
    // Bytes left in the file after the last byte consumed.
    int64_t Remaining() const;

private:
    bool Fill();
    uint32_t ReadStringLength(bool *wideMarker);
    std::string ReadWideCharacters(uint32_t length);

    int fd_;
    std::vector<uint8_t> buffer_;
    size_t begin_ = 0;   // first unread byte of the buffer
    size_t end_ = 0;     // end of the bytes read ahead
    bool ok_ = true;
};
