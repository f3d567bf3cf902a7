#include "ParameterSetting.h"

#include <vector>

#include "ExportOptions.h"
#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/DisplayForms.h"
#include "model/LibraryFunction.h"

namespace {

// A function's parameter of the name asked for.
struct Target {
    LibraryFunction function;
    FunctionVariable variable;
    std::string label;
};

} // namespace

bool SetParameter(const CVeltrix2Doc &doc, const ParameterValue &parameter, QString *error)
{
    std::string name;
    if (!ToCp1252(parameter.name, &name))
        name.clear();
    std::vector<Target> targets;
    const FunctionList &functions = doc.Functions();
    for (int p = functions.First(); p >= 0 && !name.empty(); p = functions.Next(p)) {
        const LibraryFunction function(functions.At(p));
        if (!function.IsParameter(name))
            continue;
        if (const std::optional<FunctionVariable> variable = function.Variable(name))
            targets.push_back(Target{function, *variable, functions.At(p).label});
    }
    if (targets.empty()) {
        *error = QStringLiteral("No function of the document has a parameter named %1.").arg(parameter.name);
        return false;
    }
    for (const Target &t : targets) {
        if (!(parameter.value >= t.variable.min && parameter.value <= t.variable.max)) {
            *error = QStringLiteral("Out of range: %1 is outside %2 in \"%3\"")
                         .arg(ValueText(name, parameter.value), RangeText(t.variable.min, t.variable.max),
                              FromCp1252(t.label));
            return false;
        }
    }
    for (Target &t : targets) {
        t.variable.value = parameter.value;
        t.function.Write(t.variable);
    }
    return true;
}
