// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/ChunkedWriter.h"

#include <QIODevice>

#include "model/FormatGeneral.h"

ChunkedWriter::ChunkedWriter(QIODevice &out)
    : out_(out), buffer_(std::make_unique<char[]>(kChunk)), end_(buffer_.get())
{
}

void ChunkedWriter::AppendGeneral(double value, int digits)
{
    constexpr size_t kSlot = sizeof Remembered::text;
    if (digits < 1 || size_t(digits) + 8 > kSlot) {
        char text[kFormatGeneralLongest];
        Append(text, FormatGeneralInto(text, value, digits));
        return;
    }
    if (!remembered_)
        remembered_ = std::make_unique<Remembered[]>(size_t(1) << kRememberedBits);
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint64_t slot = ((bits ^ uint64_t(digits)) * 0x9E3779B97F4A7C15ull) >> (64 - kRememberedBits);
    Remembered &r = remembered_[slot];
    if (r.digits != digits || r.bits != bits) {
        r.bits = bits;
        r.digits = digits;
        r.length = uint32_t(FormatGeneralInto(r.text, value, digits));
    }
    // The whole slot is copied, a fixed size the compiler copies in a few
    // moves; only the text's length counts.
    if (Room() < kSlot)
        Flush();
    std::memcpy(end_, r.text, kSlot);
    end_ += r.length;
}

void ChunkedWriter::WriteNow(const char *data, size_t size)
{
    if (ok_ && out_.write(data, qint64(size)) != qint64(size))
        ok_ = false;
}

void ChunkedWriter::Flush()
{
    WriteNow(buffer_.get(), size_t(end_ - buffer_.get()));
    end_ = buffer_.get();
}

bool ChunkedWriter::Finish()
{
    Flush();
    return ok_;
}
