// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the fuzz targets share: a check that stops the run with a message,
// input taken apart piece by piece, and files in a folder of the process's
// own.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Stops the run (libFuzzer then keeps the input) when `condition` fails.
#define FUZZ_CHECK(condition, what)                            \
    do {                                                       \
        if (!(condition))                                      \
            FuzzFailure(#condition, what, __FILE__, __LINE__); \
    } while (false)

[[noreturn]] void FuzzFailure(const char *condition, const std::string &what, const char *file, int line);

// The input read from the front: fixed-size values first, text last, so that
// a dictionary's words land in the text.  What runs out reads as zeros.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte()
    {
        return pos_ < size_ ? data_[pos_++] : 0;
    }
    template <typename T> T Raw()
    {
        T value{};
        const size_t n = std::min(sizeof value, size_ - pos_);
        std::memcpy(&value, data_ + pos_, n);
        pos_ += n;
        return value;
    }
    // Up to the next `separator` (dropped) or the end.
    std::string Until(char separator)
    {
        const void *found = std::memchr(data_ + pos_, separator, size_ - pos_);
        const size_t end = found ? size_t(static_cast<const uint8_t *>(found) - data_) : size_;
        std::string text(reinterpret_cast<const char *>(data_ + pos_), end - pos_);
        pos_ = found ? end + 1 : end;
        return text;
    }
    std::string Rest() { return Until('\0'); }
    bool AtEnd() const { return pos_ >= size_; }

private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};

// A folder made for this process, removed when it ends.
const std::string &FuzzFolder();
// Writes `size` bytes to `name` in that folder; returns the path.
std::string WriteFuzzFile(const char *name, const uint8_t *data, size_t size);
// The whole file, or an empty string when it cannot be read.
std::string ReadWholeFile(const std::string &path);
