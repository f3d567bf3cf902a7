#include "qel/Scanner.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace qel {

namespace {

struct FunctionName {
    const char *name;
    size_t length;
    OperatorCode op;
};

// Longest first: a name is compared against exactly as many characters as it
// has, so the longer names must be tried before their prefixes.
// clang-format off
constexpr FunctionName kFunctionNames[] = {
    {"arcsinh", 7, OpArcSinh}, {"arccosh", 7, OpArcCosh}, {"arctanh", 7, OpArcTanh},
    {"arcsin", 6, OpArcSin},   {"arccos", 6, OpArcCos},   {"arctan", 6, OpArcTan},
    {"sinh", 4, OpSinh},       {"cosh", 4, OpCosh},       {"tanh", 4, OpTanh},
    {"frac", 4, OpFrac},       {"sin", 3, OpSin},         {"cos", 3, OpCos},
    {"tan", 3, OpTan},         {"abs", 3, OpAbs},         {"int", 3, OpInt},
    {"log", 3, OpLog},         {"sgn", 3, OpSign},        {"ln", 2, OpLn},
};
// clang-format on

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool Scanner::Matches(size_t pos, const char *word, size_t wordLength) const
{
    return wordLength <= length_ - pos && std::memcmp(text_ + pos, word, wordLength) == 0;
}

std::optional<Scanner::FunctionMatch> Scanner::FunctionName(size_t pos) const
{
    if (AtEnd(pos))
        return std::nullopt;
    for (const auto &f : kFunctionNames) {
        if (Matches(pos, f.name, f.length))
            return FunctionMatch{f.op, f.length};
    }
    return std::nullopt;
}

std::optional<Scanner::VariableMatch> Scanner::Variable(size_t pos) const
{
    const int32_t index = names_.At(pos);
    if (index < 0)
        return std::nullopt;
    return VariableMatch{index, variables_.Name(static_cast<size_t>(index)).size()};
}

std::optional<Scanner::NumberMatch> Scanner::Number(size_t pos, bool allowSign) const
{
    size_t end = pos;
    bool negative = false;
    if (allowSign && (At(end) == '+' || At(end) == '-')) {
        negative = At(end) == '-';
        ++end;
    }
    const size_t digitsStart = end;
    size_t digits = 0;
    bool point = false;
    for (;; ++end) {
        const char c = At(end);
        if (IsDigit(c)) {
            ++digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;

    // from_chars reads the C-locale form whatever the process locale is.
    double magnitude = 0.0;
    const auto r = std::from_chars(text_ + digitsStart, text_ + end, magnitude,
                                   std::chars_format::fixed);
    if (r.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: an integer part other than zero
        // overflows, a pure fraction underflows.
        bool integerPart = false;
        for (size_t i = digitsStart; i < end && text_[i] != '.'; ++i)
            integerPart = integerPart || text_[i] != '0';
        magnitude = integerPart ? HUGE_VAL : 0.0;
    }
    return NumberMatch{negative ? -magnitude : magnitude, end - pos};
}

} // namespace qel
