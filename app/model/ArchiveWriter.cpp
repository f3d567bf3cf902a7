// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ArchiveWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

ArchiveWriter::ArchiveWriter(int fd, size_t bufferSize)
    : fd_(fd), buffer_(bufferSize > 0 ? bufferSize : 1)
{
}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::WriteBytes(const void *data, size_t size)
{
    const uint8_t *bytes = static_cast<const uint8_t *>(data);
    while (size > 0 && ok_) {
        if (used_ == buffer_.size() && !Flush())
            return;
        const size_t chunk = std::min(size, buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, bytes, chunk);
        used_ += chunk;
        bytes += chunk;
        size -= chunk;
    }
}

void ArchiveWriter::WriteUInt16(uint16_t v)
{
    const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    WriteBytes(b, sizeof b);
}

void ArchiveWriter::WriteUInt32(uint32_t v)
{
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    WriteBytes(b, sizeof b);
}

void ArchiveWriter::WriteDouble(double v)
{
    uint64_t bits;
    static_assert(sizeof bits == sizeof v, "IEEE 754 double expected");
    std::memcpy(&bits, &v, sizeof bits);
    WriteUInt32(uint32_t(bits));
    WriteUInt32(uint32_t(bits >> 32));
}

void ArchiveWriter::WriteString(const std::string &s)
{
    const size_t length = s.size();
    if (length < 0xFF) {
        WriteByte(uint8_t(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(uint16_t(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(uint32_t(length));
    }
    WriteBytes(s.data(), length);
}

bool ArchiveWriter::Flush()
{
    size_t done = 0;
    while (ok_ && done < used_) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, used_ - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok_ = false;
            error_ = n < 0 ? std::strerror(errno) : "nothing could be written";
            break;
        }
        done += size_t(n);
    }
    used_ = 0;
    return ok_;
}
