// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Buffered little-endian writer over an open POSIX file descriptor.  The
// descriptor is shared with the expression library, which writes its own
// blocks on it: Flush() before handing the descriptor over, so that the file
// position is at the end of everything written through the archive.
class ArchiveWriter {
public:
    explicit ArchiveWriter(int fd, size_t bufferSize = 4096);
    ~ArchiveWriter();   // does not flush: an unflushed archive failed anyway
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    void WriteBytes(const void *data, size_t size);
    void WriteByte(uint8_t v) { WriteBytes(&v, 1); }
    void WriteUInt16(uint16_t v);
    void WriteInt32(int32_t v) { WriteUInt32(uint32_t(v)); }
    void WriteUInt32(uint32_t v);
    void WriteDouble(double v);
    // Length prefix of one byte below 255, else 0xFF + uint16 below 0xFFFE,
    // else 0xFF, 0xFFFF + uint32; then the 8-bit characters.
    void WriteString(const std::string &s);

    // Writes the buffer out.  False once any write failed.
    bool Flush();
    bool Ok() const { return ok_; }
    const std::string &ErrorText() const { return error_; }

private:
    int fd_;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
    bool ok_ = true;
    std::string error_;
};
