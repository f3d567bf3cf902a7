#include "FunctionDefinition.h"

namespace {

bool IsIdentifierChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

enum HeaderState {
    BeforeDependent,
    InDependent,
    AfterSeparator,     // after '(' or ','
    InIndependent,
    AfterClose,         // after ')'
    Done,               // after '='
    Rejected,
};

HeaderState NextState(HeaderState state, char c, int &independentCount)
{
    switch (state) {
    case BeforeDependent:
        if (c == ' ')
            return BeforeDependent;
        return IsIdentifierChar(c) ? InDependent : Rejected;
    case InDependent:
        if (IsIdentifierChar(c))
            return InDependent;
        if (c == '(')
            return AfterSeparator;
        return c == '=' ? Done : Rejected;
    case AfterSeparator:
        return IsIdentifierChar(c) ? InIndependent : Rejected;
    case InIndependent:
        if (IsIdentifierChar(c))
            return InIndependent;
        if (c == ',' || c == ')') {
            ++independentCount;
            return c == ',' ? AfterSeparator : AfterClose;
        }
        return Rejected;
    case AfterClose:
        if (c == ' ')
            return AfterClose;
        return c == '=' ? Done : Rejected;
    default:
        return Rejected;
    }
}

}  // namespace

HeaderAnalysis AnalyzeHeader(const std::string &text)
{
    HeaderAnalysis result;
    HeaderState state = BeforeDependent;
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        state = NextState(state, text[i], count);
        if (state == Done) {
            result.valid = true;
            result.expressionStart = int(i) + 1;
            result.independentCount = count;
            return result;
        }
        if (state == Rejected) {
            result.errorPosition = int(i) + 1;
            return result;
        }
    }
    result.errorPosition = int(text.size());
    return result;
}

DefinitionNames ExtractNames(const std::string &text)
{
    DefinitionNames names;
    size_t i = 0;
    for (; i < text.size() && text[i] != '=' && text[i] != '('; ++i)
        if (text[i] != ' ')
            names.dependent += text[i];
    if (i >= text.size() || text[i] != '(')
        return names;
    const size_t close = text.find(')', i);
    const std::string list = text.substr(i + 1, close == std::string::npos ? std::string::npos
                                                                           : close - i - 1);
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        names.independents.push_back(list.substr(start, comma == std::string::npos
                                                            ? std::string::npos
                                                            : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return names;
}
