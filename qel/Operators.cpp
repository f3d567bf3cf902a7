#include "qel/Operators.h"

#include <array>
#include <cstdint>

namespace qel {

namespace {

constexpr OperatorInfo Infix(uint32_t priority) { return {OperatorForm::Infix, priority, 2}; }
constexpr OperatorInfo Prefix(uint32_t priority) { return {OperatorForm::Prefix, priority, 1}; }

// clang-format off
constexpr std::array<OperatorInfo, kOperatorCount> kOperators = {{
    Infix(16),                           // 0  +
    Infix(16),                           // 1  -
    Infix(20),                           // 2  /
    Infix(20),                           // 3  * and implicit multiplication
    Infix(20),                           // 4  ^
    Infix(20),                           // 5  ' (root)
    Prefix(28), Prefix(28), Prefix(28),  // 6..8   sin cos tan
    Prefix(28), Prefix(28), Prefix(28),  // 9..11  arcsin arccos arctan
    Prefix(28), Prefix(28), Prefix(28),  // 12..14 log ln abs
    Prefix(28), Prefix(28), Prefix(28),  // 15..17 sinh cosh tanh
    Prefix(28), Prefix(28), Prefix(28),  // 18..20 arcsinh arccosh arctanh
    Prefix(28), Prefix(28),              // 21, 22 int frac
    Infix(28),                           // 23 e
    {OperatorForm::Postfix, 28, 1},      // 24 !
    Prefix(24), Prefix(24),              // 25, 26 leading + and -
    Prefix(28),                          // 27 sgn
    Infix(14), Infix(14), Infix(14),     // 28..30 = n= >
    Infix(14), Infix(14), Infix(14),     // 31..33 >= < <=
    Prefix(22),                          // 34 n
    Infix(10),                           // 35 &
    Infix(8), Infix(8),                  // 36, 37 | ||
    {OperatorForm::Marker, 0, 0},        // 38 end of text
}};
// clang-format on

} // namespace

const OperatorInfo &InfoOf(OperatorCode code) { return kOperators[code]; }

double Factorial(double x)
{
    if (x == 0.0 || std::isnan(x))
        return 1.0;
    const double whole = std::trunc(x);
    // The truncated value is read as an unsigned 32-bit number, which turns
    // every negative argument down to -2^31 into a huge count (+infinity).
    // Beyond 32 bits that reduction would yield arbitrary small factorials
    // (2^32+5 would give 120); such arguments give +infinity instead.
    if (!(std::fabs(whole) < 4294967296.0))
        return HUGE_VAL;
    const uint32_t n = static_cast<uint32_t>(static_cast<int64_t>(whole));
    if (n <= 1)
        return 1.0;
    if (n > 170) // 171! is beyond the double range
        return HUGE_VAL;
    long double product = 1.0L;
    for (uint32_t k = 2; k <= n; ++k)
        product *= k;
    return static_cast<double>(product);
}

} // namespace qel
