#include "ParameterSetting.h"

#include <vector>

#include "ExportOptions.h"
#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/DisplayForms.h"
#include "model/FunctionDefinition.h"
#include "view3d/DependentKind.h"

namespace {

// A function's variable of the parameter's name.
struct Target {
    int32_t handle = -1;
    VariableRecord variable{};
    std::string label;
};

bool IsParameterOf(const FunctionRecord &record, const std::string &name, VariableRecord *found)
{
    const int32_t n = get_function_n_var(record.handle);
    if (n <= 2)
        return false;
    std::vector<VariableRecord> table(size_t(n), VariableRecord{nullptr, 0, 0, 0, 0});
    get_function_variables(record.handle, table.data());
    const DependentKind kind = KindFromName(ExtractNames(record.text).dependent);
    if (name == FirstPlottedName(kind) || name == SecondPlottedName(kind))
        return false;
    // The last two entries are the constants e and pi.
    for (size_t i = 0; i + 2 < table.size(); ++i) {
        if (table[i].name && name == table[i].name) {
            *found = table[i];
            return true;
        }
    }
    return false;
}

} // namespace

bool SetParameter(const CVeltrix2Doc &doc, const ParameterValue &parameter, QString *error)
{
    std::string name;
    if (!ToCp1252(parameter.name, &name))
        name.clear();
    std::vector<Target> targets;
    const FunctionList &functions = doc.Functions();
    for (int p = functions.First(); p >= 0 && !name.empty(); p = functions.Next(p)) {
        Target t;
        if (IsParameterOf(functions.At(p), name, &t.variable)) {
            t.handle = functions.At(p).handle;
            t.label = functions.At(p).label;
            targets.push_back(t);
        }
    }
    if (targets.empty()) {
        *error = QStringLiteral("No function of the document has a parameter named %1.").arg(parameter.name);
        return false;
    }
    for (const Target &t : targets) {
        if (!(parameter.value >= t.variable.min && parameter.value <= t.variable.max)) {
            *error = QStringLiteral("Out of range: %1 is outside %2 in \"%3\"")
                         .arg(ValueText(name.c_str(), parameter.value), RangeText(t.variable.min, t.variable.max),
                              FromCp1252(t.label));
            return false;
        }
    }
    for (const Target &t : targets) {
        VariableRecord v = t.variable;
        v.name = name.c_str();
        v.value = parameter.value;
        modify_function_variable(t.handle, v);
    }
    return true;
}
