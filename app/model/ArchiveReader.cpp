// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ArchiveReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <QChar>

#include "CodePage1252.h"

#include <sys/stat.h>
#include <unistd.h>

ArchiveReader::ArchiveReader(int fd, size_t bufferSize)
    : fd_(fd), buffer_(bufferSize > 0 ? bufferSize : 1)
{
}

bool ArchiveReader::Fill()
{
    begin_ = end_ = 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        end_ = size_t(n);
        return true;
    }
}

size_t ArchiveReader::ReadAvailable(void *data, size_t size)
{
    uint8_t *out = static_cast<uint8_t *>(data);
    size_t done = 0;
    while (ok_ && done < size) {
        if (begin_ == end_ && !Fill())
            break;
        const size_t chunk = std::min(size - done, end_ - begin_);
        std::memcpy(out + done, buffer_.data() + begin_, chunk);
        begin_ += chunk;
        done += chunk;
    }
    return done;
}

bool ArchiveReader::ReadBytes(void *data, size_t size)
{
    if (!ok_ || ReadAvailable(data, size) != size) {
        ok_ = false;
        std::memset(data, 0, size);
    }
    return ok_;
}

uint8_t ArchiveReader::ReadByte()
{
    uint8_t b = 0;
    ReadBytes(&b, 1);
    return b;
}

uint16_t ArchiveReader::ReadUInt16()
{
    uint8_t b[2];
    ReadBytes(b, sizeof b);
    return uint16_t(b[0] | (b[1] << 8));
}

uint32_t ArchiveReader::ReadUInt32()
{
    uint8_t b[4];
    ReadBytes(b, sizeof b);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

double ArchiveReader::ReadDouble()
{
    const uint64_t low = ReadUInt32();
    const uint64_t high = ReadUInt32();
    const uint64_t bits = low | (high << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

uint32_t ArchiveReader::ReadStringLength(bool *wideMarker)
{
    *wideMarker = false;
    const uint8_t shortLength = ReadByte();
    if (shortLength < 0xFF)
        return shortLength;
    const uint16_t midLength = ReadUInt16();
    if (midLength < 0xFFFE)
        return midLength;
    if (midLength == 0xFFFE) {
        *wideMarker = true;
        return 0;
    }
    return ReadUInt32();
}

std::string ArchiveReader::ReadString()
{
    bool wide = false;
    uint32_t length = ReadStringLength(&wide);
    if (wide) {
        bool nestedMarker = false;
        length = ReadStringLength(&nestedMarker);
        if (nestedMarker)
            ok_ = false;
    }
    const uint64_t bytes = uint64_t(length) * (wide ? 2 : 1);
    if (!ok_ || int64_t(bytes) > Remaining()) {
        ok_ = false;
        return std::string();
    }
    if (wide)
        return ReadWideCharacters(length);
    std::string text(length, '\0');
    if (!ReadBytes(text.data(), text.size()))
        return std::string();
    return text;
}

// The 16-bit form holds Unicode, the document's texts are Windows-1252: a
// character the code page lacks becomes one '?'.  Read in pieces, so that a
// long text costs no more than its 8-bit result.
std::string ArchiveReader::ReadWideCharacters(uint32_t length)
{
    std::string text;
    text.reserve(length);
    uint8_t piece[4096];
    bool afterHighSurrogate = false;
    for (uint32_t done = 0; done < length;) {
        const uint32_t units = std::min<uint32_t>(length - done, sizeof piece / 2);
        if (!ReadBytes(piece, size_t(units) * 2))
            return std::string();
        for (uint32_t i = 0; i < units; ++i) {
            const char16_t unit = char16_t(piece[2 * i] | (piece[2 * i + 1] << 8));
            // The low half of a pair belongs to the '?' of its high half.
            const bool secondHalf = afterHighSurrogate && QChar::isLowSurrogate(unit);
            afterHighSurrogate = !secondHalf && QChar::isHighSurrogate(unit);
            if (secondHalf)
                continue;
            const int code = Cp1252Code(unit);
            text.push_back(code < 0 ? '?' : char(code));
        }
        done += units;
    }
    return text;
}

bool ArchiveReader::Flush()
{
    const size_t unread = end_ - begin_;
    begin_ = end_ = 0;
    if (unread > 0 && ::lseek(fd_, -off_t(unread), SEEK_CUR) < 0)
        ok_ = false;
    return ok_;
}

int64_t ArchiveReader::Remaining() const
{
    struct stat st;
    const off_t position = ::lseek(fd_, 0, SEEK_CUR);
    if (position < 0 || ::fstat(fd_, &st) != 0)
        return 0;
    return int64_t(st.st_size) - int64_t(position) + int64_t(end_ - begin_);
}
