#include "model/CodePage1252.h"

#include <QList>

namespace {

// Unicode of the codes 0x80-0x9F (0 where the code page has none); the
// other codes are their own Unicode values.
constexpr char16_t kHigh[32] = {
    // clang-format off
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
    // clang-format on
};

}  // namespace

int Cp1252Code(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return int(character);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == character || (kHigh[i] == 0 && character == char32_t(0x80 + i)))
            return 0x80 + i;
    return -1;
}

char16_t Cp1252ToUnicode(unsigned char code)
{
    return code >= 0x80 && code < 0xA0 ? kHigh[code - 0x80] : char16_t(code);
}

QString FromCp1252(const std::string &bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        const char16_t unit = Cp1252ToUnicode(code);
        // An unassigned code stands for the control character of the same
        // number, as the platform that made such files maps it, so that a
        // text holding one still goes back to the same bytes.
        text.append(QChar(unit == 0 ? char16_t(code) : unit));
    }
    return text;
}

bool ToCp1252(const QString &text, std::string *bytes, QString *offending)
{
    std::string encoded;
    encoded.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int code = Cp1252Code(text.at(i).unicode());
        if (code < 0) {
            if (offending) {
                // A character beyond the basic plane is two units: name it whole.
                const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
                *offending = text.mid(i, pair ? 2 : 1);
            }
            return false;
        }
        encoded.push_back(char(code));
    }
    *bytes = std::move(encoded);
    return true;
}

QString Cp1252Refusal(const QString &offending)
{
    const uint code = offending.isEmpty() ? 0u : uint(offending.toUcs4().value(0));
    return QStringLiteral("The character \"%1\" (U+%2) cannot be stored in a Veltrix document.")
        .arg(offending, QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}
