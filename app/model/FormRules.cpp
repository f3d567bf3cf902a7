#include "FormRules.h"

#include <algorithm>

namespace FormRules {

namespace {

bool Contains(const std::vector<std::string> &names, const char *name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The first name, in header order, that stands more than once: the index of
// its second appearance; -1 when every name is different.
int SecondAppearance(const std::vector<std::string> &names)
{
    for (size_t i = 0; i < names.size(); ++i)
        for (size_t k = i + 1; k < names.size(); ++k)
            if (names[k] == names[i])
                return int(k);
    return -1;
}

DefinitionOutcome Duplicated(const DefinitionNames &names)
{
    const int second = SecondAppearance(names.independents);
    if (second < 0)
        return DefinitionOutcome();
    return FailureAt(QStringLiteral("The variable %1 is duplicated").arg(Quoted(names.independents[size_t(second)])),
                     names.independents, names.independentPositions, size_t(second));
}

// A name that is a coordinate of the function, or a constant.
DefinitionOutcome MisusedIndependent(const DefinitionNames &names, const std::vector<std::string> &coordinates)
{
    for (size_t i = 0; i < names.independents.size(); ++i) {
        const std::string &name = names.independents[i];
        if (std::find(coordinates.begin(), coordinates.end(), name) != coordinates.end())
            return FailureAt(Quoted(name) + QStringLiteral(" cannot be both a dependent and an independent variable"),
                             names.independents, names.independentPositions, i);
        if (name == "pi" || name == "e")
            return FailureAt(QStringLiteral("Do not use \"e\" or \"pi\" as variable name"), names.independents,
                             names.independentPositions, i);
    }
    return DefinitionOutcome();
}

// The parenthesised group of names from `open` to `close`, or a caret at
// `fallback` when the group is not there.
DefinitionOutcome FailureOnGroup(const QString &message, int open, int close, int fallback)
{
    if (open < 0 || close < open)
        return FailureSelecting(message, fallback, fallback);
    return FailureSelecting(message, open, close + 1);
}

// "(e1,e2,e3)": one expression per coordinate.  Only the tuple's own
// parentheses and commas are looked at; what is inside each expression is the
// library's to judge when it compiles them.
DefinitionOutcome CheckExpressionShape(const std::string &text, int start)
{
    const QString shape = QStringLiteral("Write three expressions in parentheses, one each for \"x\", \"y\" and \"z\", "
                                         "separated by commas: (cos(t),sin(t),t/5)");
    size_t pos = size_t(start);
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos >= text.size() || text[pos] != '(')
        return FailureSelecting(shape, int(pos), int(pos));
    std::vector<size_t> commas;
    int depth = 0;
    for (size_t i = pos; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ',' && depth == 1) {
            commas.push_back(i);
        } else if (text[i] == ')' && --depth == 0) {
            const size_t count = commas.size() + 1;
            if (count == 3)
                return DefinitionOutcome();
            const QString message = shape + QStringLiteral(" (there are %1)").arg(count);
            if (count < 3)
                return FailureSelecting(message, int(i), int(i));
            return FailureSelecting(message, int(commas[2]), int(i));
        }
    }
    return DefinitionOutcome();   // unbalanced: the library finds where
}

}  // namespace

DefinitionOutcome ValidateCylindrical(const DefinitionNames &names)
{
    const bool rho = names.dependent == "rho";
    const DefinitionOutcome misused = MisusedIndependent(names, {names.dependent});
    if (!misused.ok)
        return misused;
    const char *partner = rho ? "theta" : "rho";
    if (!Contains(names.independents, partner) && !Contains(names.independents, "z"))
        return FailureSelecting(QStringLiteral("The variable %1 doesn't depend on \"%2\" or \"z\"")
                                    .arg(Quoted(names.dependent), QLatin1String(partner)),
                                names.dependentPosition, names.dependentPosition + int(names.dependent.size()));
    return Duplicated(names);
}

DefinitionOutcome ValidateTuple(const std::string &text, const HeaderAnalysis &header, const DefinitionNames &names)
{
    if (TupleAxes(names).empty()) {
        const QString message = QStringLiteral("The coordinates of a curve or surface are \"x\", \"y\" and \"z\", "
                                               "each once: (x,y,z)(t)=... or (x,y,z)(u,v)=...");
        static const std::vector<std::string> kAxes = {"x", "y", "z"};
        for (size_t i = 0; i < names.dependents.size(); ++i) {
            const std::string &name = names.dependents[i];
            const bool repeated = std::count(names.dependents.begin(), names.dependents.begin() + long(i), name) > 0;
            if (repeated || std::find(kAxes.begin(), kAxes.end(), name) == kAxes.end())
                return FailureAt(message, names.dependents, names.dependentPositions, i);
        }
        return FailureOnGroup(message, names.dependentsOpen, names.dependentsClose, header.expressionStart);
    }
    const DefinitionOutcome misused = MisusedIndependent(names, names.dependents);
    if (!misused.ok)
        return misused;
    if (!Contains(names.independents, "u") && !Contains(names.independents, "v") &&
        !Contains(names.independents, "t"))
        return FailureOnGroup(QStringLiteral("A curve depends on \"t\", a surface on \"u\" and \"v\": "
                                             "(x,y,z)(t)=... or (x,y,z)(u,v)=..."),
                              names.independentsOpen, names.independentsClose, names.dependentsClose + 1);
    const DefinitionOutcome duplicated = Duplicated(names);
    if (!duplicated.ok)
        return duplicated;
    return CheckExpressionShape(text, header.expressionStart);
}

}  // namespace FormRules
