#include <algorithm>

#include "CodePage1252.h"
#include "FormRules.h"
#include "FunctionDefinition.h"
#include "FunctionRecord.h"

using namespace FormRules;

namespace {

struct Partners {
    const char *dependent;
    const char *first;    // in the order the message names them
    const char *second;
};

// The two plotting variables each dependent variable is sampled over.
constexpr Partners kPartners[] = {
    {"z", "x", "y"},
    {"x", "y", "z"},
    {"y", "x", "z"},
    {"r", "alpha", "beta"},
    {"alpha", "r", "beta"},
    {"beta", "r", "alpha"},
};

const Partners *FindPartners(const std::string &dependent)
{
    for (const Partners &p : kPartners)
        if (dependent == p.dependent)
            return &p;
    return nullptr;
}

bool Contains(const std::vector<std::string> &names, const char *name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

namespace FormRules {

QString Quoted(const std::string &name)
{
    return QLatin1Char('"') + FromCp1252(name) + QLatin1Char('"');
}

DefinitionOutcome Failure(const QString &message)
{
    DefinitionOutcome outcome;
    outcome.ok = false;
    outcome.message = message;
    return outcome;
}

DefinitionOutcome FailureSelecting(const QString &message, int start, int end)
{
    DefinitionOutcome outcome = Failure(message);
    outcome.hasSelection = true;
    outcome.selectionStart = start;
    outcome.selectionEnd = end;
    return outcome;
}

DefinitionOutcome FailureAt(const QString &message, const std::vector<std::string> &names,
                            const std::vector<int> &positions, size_t index)
{
    return FailureSelecting(message, positions[index], positions[index] + int(names[index].size()));
}

}  // namespace FormRules

DefinitionOutcome ValidateDefinition(const std::string &text, bool adding)
{
    const HeaderAnalysis header = AnalyzeHeader(text);
    if (!header.valid)
        return FailureSelecting(QStringLiteral("Syntax error"), header.errorPosition,
                                header.errorPosition);

    const DefinitionNames names = ExtractNames(text);
    if (names.tuple)
        return ValidateTuple(text, header, names);
    if (names.dependent == "rho" || names.dependent == "theta")
        return ValidateCylindrical(names);
    if (IsImplicitDependent(names.dependent))
        return ValidateImplicit(names, adding);

    // The forms of one Cartesian or spherical dependent, and z over rho and
    // theta, which passes them with its own partners.
    const int dependentLength = int(names.dependent.size());
    const Partners *partners = FindPartners(names.dependent);
    if (!partners)
        return FailureSelecting(Quoted(names.dependent) +
                                    QStringLiteral(" is an unknown dependent variable: use only "
                                                   "\"x\" ,\"y\" ,\"z\" ,\"r\", alpha\" or \"beta\""),
                                0, dependentLength);

    for (const std::string &name : names.independents) {
        if (name == names.dependent)
            return FailureSelecting(Quoted(name) +
                                        QStringLiteral(" is a dependent o an independent variable?"),
                                    0, int(name.size()));
        if (name == "pi" || name == "e")
            return Failure(QStringLiteral("Do not use \"e\" or \"pi\" as variable name"));
    }

    if (!Contains(names.independents, partners->first) && !Contains(names.independents, partners->second) &&
        KindOfNames(names) != KindPolarZ) {
        const QString message = QStringLiteral("The variable %1 doesn't depend from \"%2\" or \"%3\"")
                                    .arg(Quoted(names.dependent), QLatin1String(partners->first),
                                         QLatin1String(partners->second));
        return adding ? Failure(message) : FailureSelecting(message, 0, dependentLength);
    }

    // Editing too: the library would only ever find the first of two equal
    // names, and the tree would show both.
    for (const std::string &name : names.independents)
        if (std::count(names.independents.begin(), names.independents.end(), name) > 1)
            return Failure(QStringLiteral("The variable %1 is duplicated").arg(Quoted(name)));
    return DefinitionOutcome();
}

DefinitionOutcome ValidateImplicit(const DefinitionNames &names, bool adding)
{
    for (const std::string &name : names.independents) {
        if (name == names.dependent)
            return FailureSelecting(Quoted(name) + QStringLiteral(" is a dependent o an independent variable?"), 0,
                                    int(name.size()));
        if (name == "pi" || name == "e")
            return Failure(QStringLiteral("Do not use \"e\" or \"pi\" as variable name"));
    }
    for (const char *axis : {"x", "y", "z"}) {
        if (Contains(names.independents, axis))
            continue;
        const QString message = QStringLiteral("The surface where an expression is 0 depends on \"x\", \"y\" "
                                               "and \"z\": write it as 0(x,y,z)=..., \"%1\" is missing")
                                    .arg(QLatin1String(axis));
        return adding ? Failure(message) : FailureSelecting(message, 0, int(names.dependent.size()));
    }
    for (const std::string &name : names.independents)
        if (std::count(names.independents.begin(), names.independents.end(), name) > 1)
            return Failure(QStringLiteral("The variable %1 is duplicated").arg(Quoted(name)));
    return DefinitionOutcome();
}

QString CheckLabel(const std::string &label)
{
    if (label.empty() || label.size() > size_t(kMaxLabelLength))
        return QStringLiteral("The number of characters in a label has to be between 0 and 80");
    return QString();
}
