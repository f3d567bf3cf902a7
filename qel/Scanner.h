// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: LGPL-3.0-or-later

#ifndef QEL_SCANNER_H
#define QEL_SCANNER_H

#include "qel/NameIndex.h"
#include "qel/Token.h"
#include "qel/VariableTable.h"

#include <cstddef>
#include <optional>

namespace qel {

// Lexical recognition at one position of an expression text: function
// names, variable names and numbers.  The single-character operators depend
// on the parser's state and are read by the parser itself.
class Scanner {
public:
    Scanner(const char *text, size_t length, const VariableTable &variables)
        : text_(text), length_(length), variables_(variables), names_(variables, text, length) {}

    struct FunctionMatch {
        OperatorCode op;
        size_t length;
    };
    struct VariableMatch {
        int32_t index;
        size_t length;
    };
    struct NumberMatch {
        double value;
        size_t length;
    };

    bool AtEnd(size_t pos) const { return pos >= length_; }
    // The character at pos, or '\0' at the end of the text.
    char At(size_t pos) const { return pos < length_ ? text_[pos] : '\0'; }

    // Function names are tried longest first, so that arcsinhx is arcsinh
    // applied to x and sinhx is sinh applied to x.
    std::optional<FunctionMatch> FunctionName(size_t pos) const;
    // The first variable in table order whose whole name stands at pos.
    std::optional<VariableMatch> Variable(size_t pos) const;
    // Digits with at most one decimal point and at least one digit, with an
    // optional leading sign when allowSign is set.  No exponent part.
    std::optional<NumberMatch> Number(size_t pos, bool allowSign) const;

private:
    bool Matches(size_t pos, const char *word, size_t wordLength) const;

    const char *text_;
    size_t length_;
    const VariableTable &variables_;
    const NameIndex names_;
};

} // namespace qel

#endif
