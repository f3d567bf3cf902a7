// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

class QIODevice;

// Gathers the text or bytes of a large file and hands them to the device in
// pieces of 64 KB: the exports write millions of short items, and a device
// call, or even a library copy, per item would cost more than making them.
// Stops writing at the first failed write (see Finish).
class ChunkedWriter {
public:
    explicit ChunkedWriter(QIODevice &out);
    ChunkedWriter(const ChunkedWriter &) = delete;
    ChunkedWriter &operator=(const ChunkedWriter &) = delete;

    void Append(const char *data, size_t size)
    {
        if (size > Room()) {
            Flush();
            if (size > Room()) {
                WriteNow(data, size);
                return;
            }
        }
        std::memcpy(end_, data, size);
        end_ += size;
    }
    void Append(const std::string &text) { Append(text.data(), text.size()); }
    template <size_t N> void Append(const char (&literal)[N]) { Append(literal, N - 1); }
    void Append(char c)
    {
        if (Room() == 0)
            Flush();
        *end_++ = c;
    }
    // FormatGeneral's text of the number.  Texts are remembered: in a
    // drawing most numbers come again and again (a grid point is a corner
    // of four cells), and remembering costs less than formatting anew.
    void AppendGeneral(double value, int digits);

    // Writes what is left; false when any write failed.
    bool Finish();
    bool Ok() const { return ok_; }

private:
    static constexpr size_t kChunk = size_t(1) << 16;
    size_t Room() const { return size_t(buffer_.get() + kChunk - end_); }
    void Flush();
    void WriteNow(const char *data, size_t size);

    // One remembered text; `digits` 0 marks a free slot.  Slots are as long
    // as the text of 24 digits.
    struct Remembered {
        uint64_t bits = 0;
        int32_t digits = 0;
        uint32_t length = 0;
        char text[32];
    };
    static constexpr int kRememberedBits = 13;

    QIODevice &out_;
    std::unique_ptr<char[]> buffer_;
    char *end_;
    std::unique_ptr<Remembered[]> remembered_;
    bool ok_ = true;
};
