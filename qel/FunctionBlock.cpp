// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#include "qel/FunctionBlock.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace qel {

namespace {

void PutInt32(std::string &out, int32_t v)
{
    const uint32_t u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

void PutDouble(std::string &out, double v)
{
    uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

bool WriteAll(int fd, const std::string &bytes)
{
    ssize_t written;
    do {
        written = ::write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written >= 0 && static_cast<size_t>(written) == bytes.size();
}

// Reads from a descriptor and knows, for a regular file, how many bytes are
// left after the current position, so that lengths from a damaged file can
// be checked before anything is allocated for them.
class BlockReader {
public:
    explicit BlockReader(int fd) : fd_(fd)
    {
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            const off_t position = ::lseek(fd, 0, SEEK_CUR);
            if (position >= 0 && position <= st.st_size)
                remaining_ = static_cast<uint64_t>(st.st_size - position);
        }
    }

    bool Fits(uint64_t bytes) const { return !remaining_ || bytes <= *remaining_; }

    bool Bytes(void *dest, size_t n)
    {
        char *p = static_cast<char *>(dest);
        while (n > 0) {
            const ssize_t got = ::read(fd_, p, n);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            p += got;
            n -= static_cast<size_t>(got);
            if (remaining_)
                *remaining_ -= std::min<uint64_t>(*remaining_, static_cast<uint64_t>(got));
        }
        return true;
    }

    bool Int32(int32_t &v)
    {
        unsigned char b[4];
        if (!Bytes(b, sizeof b))
            return false;
        v = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                 uint32_t(b[3]) << 24);
        return true;
    }

    bool Double(double &v)
    {
        unsigned char b[8];
        if (!Bytes(b, sizeof b))
            return false;
        uint64_t u = 0;
        for (int i = 7; i >= 0; --i)
            u = u << 8 | b[i];
        std::memcpy(&v, &u, sizeof v);
        return true;
    }

    // A text of the given length.  Where the rest of the file is not known (a
    // pipe), it grows only as fast as bytes arrive, so a bogus length costs
    // no more memory than the data that is really there.
    bool Text(int32_t length, std::string &out)
    {
        if (length < 0 || !Fits(static_cast<uint64_t>(length)))
            return false;
        out.clear();
        size_t left = static_cast<size_t>(length);
        char chunk[4096];
        while (left > 0) {
            const size_t n = std::min(left, sizeof chunk);
            if (!Bytes(chunk, n))
                return false;
            out.append(chunk, n);
            left -= n;
        }
        // Texts and names are C strings in memory: a NUL inside one cannot
        // have been written by Write and would cut it short.
        return out.find('\0') == std::string::npos;
    }

private:
    int fd_;
    std::optional<uint64_t> remaining_;
};

// The smallest variable entry: a length, an empty name, three doubles and
// the steps.
constexpr uint64_t kMinimumEntryBytes = 4 + 8 * 3 + 4;

} // namespace

bool FunctionBlock::Write(int fd, const QelFunction &function)
{
    const VariableTable &vars = function.Variables();
    // Lengths are int32 in the block; a text or name beyond that cannot be
    // written truthfully.
    constexpr size_t kLimit = INT32_MAX;
    if (function.Text().size() > kLimit || vars.Size() > kLimit)
        return false;
    for (size_t i = 0; i < vars.Size(); ++i) {
        if (vars.Name(i).size() > kLimit)
            return false;
    }
    std::string header;
    PutInt32(header, static_cast<int32_t>(function.Text().size()));
    header += function.Text();
    PutInt32(header, function.AngleMode());
    PutInt32(header, static_cast<int32_t>(vars.Size()));
    if (!WriteAll(fd, header))
        return false;
    for (size_t i = 0; i < vars.Size(); ++i) {
        const VariableRecord r = vars.Record(i);
        std::string entry;
        PutInt32(entry, static_cast<int32_t>(vars.Name(i).size()));
        entry += vars.Name(i);
        PutDouble(entry, r.value);
        PutDouble(entry, r.min);
        PutDouble(entry, r.max);
        PutInt32(entry, r.steps);
        if (!WriteAll(fd, entry))
            return false;
    }
    return true;
}

bool FunctionBlock::Read(int fd)
{
    BlockReader in(fd);
    int32_t length = 0;
    if (!in.Int32(length) || length <= 0 || !in.Text(length, text))
        return false;
    int32_t count = 0;
    if (!in.Int32(angleMode) || !in.Int32(count))
        return false;
    if (count > 0 && !in.Fits(static_cast<uint64_t>(count) * kMinimumEntryBytes))
        return false;

    names.clear();
    variables.clear();
    for (int32_t i = 0; i < count; ++i) {
        std::string name;
        int32_t nameLength = 0;
        VariableRecord r{};
        if (!in.Int32(nameLength) || !in.Text(nameLength, name) || !in.Double(r.value) ||
            !in.Double(r.min) || !in.Double(r.max) || !in.Int32(r.steps))
            return false;
        names.push_back(std::move(name));
        variables.push_back(r);
    }
    // Only now that `names` no longer grows are its strings' addresses fixed.
    for (size_t i = 0; i < names.size(); ++i)
        variables[i].name = names[i].c_str();
    return true;
}

} // namespace qel
