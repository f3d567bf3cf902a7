#include <algorithm>

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
    // A tuple of dependents: "(x,y,z)(u,v)=".
    AfterTupleSeparator,   // after the tuple's '(' or a ',' in it
    InTupleName,
    AfterTuple,            // after the tuple's ')': the independents' '(' or '='
};

struct Counts {
    int dependents = 0;
    int independents = 0;
};

HeaderState NextState(HeaderState state, char c, Counts &n)
{
    switch (state) {
    case BeforeDependent:
        if (c == ' ')
            return BeforeDependent;
        if (c == '(')
            return AfterTupleSeparator;
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
            ++n.independents;
            return c == ',' ? AfterSeparator : AfterClose;
        }
        return Rejected;
    case AfterClose:
        if (c == ' ')
            return AfterClose;
        return c == '=' ? Done : Rejected;
    case AfterTupleSeparator:
        return IsIdentifierChar(c) ? InTupleName : Rejected;
    case InTupleName:
        if (IsIdentifierChar(c))
            return InTupleName;
        if (c == ',' || c == ')') {
            ++n.dependents;
            return c == ',' ? AfterTupleSeparator : AfterTuple;
        }
        return Rejected;
    case AfterTuple:
        if (c == '(')
            return AfterSeparator;
        return c == '=' ? Done : Rejected;
    default:
        return Rejected;
    }
}

// The names of a list "a,b,c" that ends at the first ')' (or '=', or the
// end), starting at `from`, with where each starts.
size_t ReadList(const std::string &text, size_t from, std::vector<std::string> &names, std::vector<int> &positions)
{
    size_t i = from;
    for (;;) {
        const size_t start = i;
        while (i < text.size() && text[i] != ',' && text[i] != ')' && text[i] != '=')
            ++i;
        names.push_back(text.substr(start, i - start));
        positions.push_back(int(start));
        if (i >= text.size() || text[i] != ',')
            return i;
        ++i;
    }
}

}  // namespace

HeaderAnalysis AnalyzeHeader(const std::string &text)
{
    HeaderAnalysis result;
    HeaderState state = BeforeDependent;
    Counts counts;
    for (size_t i = 0; i < text.size(); ++i) {
        if (state == BeforeDependent && text[i] == '(')
            result.tuple = true;
        state = NextState(state, text[i], counts);
        if (state == Done) {
            result.valid = true;
            result.expressionStart = int(i) + 1;
            result.independentCount = counts.independents;
            result.dependentCount = result.tuple ? counts.dependents : 1;
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
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && text[i] == '(') {
        names.tuple = true;
        names.dependentsOpen = int(i);
        i = ReadList(text, i + 1, names.dependents, names.dependentPositions);
        if (i >= text.size() || text[i] != ')')
            return names;
        names.dependentsClose = int(i++);
    } else {
        names.dependentPosition = int(i);
        for (; i < text.size() && text[i] != '=' && text[i] != '('; ++i)
            if (text[i] != ' ')
                names.dependent += text[i];
    }
    if (i >= text.size() || text[i] != '(')
        return names;
    names.independentsOpen = int(i);
    i = ReadList(text, i + 1, names.independents, names.independentPositions);
    if (i < text.size() && text[i] == ')')
        names.independentsClose = int(i);
    return names;
}

DependentKind KindOfNames(const DefinitionNames &names)
{
    if (names.tuple && TupleAxes(names).empty())
        return NoKind;
    return KindOfHeader(names.dependent, names.tuple, names.independents);
}

std::vector<int> TupleAxes(const DefinitionNames &names)
{
    static const char *const kAxes[] = {"x", "y", "z"};
    std::vector<int> axes;
    for (const std::string &name : names.dependents) {
        const auto axis = std::find(std::begin(kAxes), std::end(kAxes), name);
        if (axis == std::end(kAxes) || std::find(axes.begin(), axes.end(), axis - kAxes) != axes.end())
            return {};
        axes.push_back(int(axis - kAxes));
    }
    return axes.size() == 3 ? axes : std::vector<int>{};
}

bool IsClassicKind(DependentKind kind)
{
    return kind >= KindZ && kind <= KindBeta;
}
