#include "LibraryFunction.h"

#include <algorithm>

#include "FunctionDefinition.h"
#include "FunctionRecord.h"
#include "qel/qel.h"

namespace {

// The library's table with its own names, valid until the function is
// compiled again: copied at once by the callers.
std::vector<VariableRecord> LibraryTable(int32_t handle)
{
    const int32_t count = get_function_n_var(handle);
    std::vector<VariableRecord> table(size_t(count > 0 ? count : 0), VariableRecord{nullptr, 0, 0, 0, 0});
    if (!table.empty())
        get_function_variables(handle, table.data());
    return table;
}

}  // namespace

LibraryFunction::LibraryFunction(int32_t handle, const std::string &definition) : handle_(handle), kind_(NoKind)
{
    if (definition.empty())
        return;
    const DefinitionNames names = ExtractNames(definition);
    kind_ = KindOfNames(names);
    if (GivesPoints()) {
        const std::vector<int> axes = TupleAxes(names);
        std::copy(axes.begin(), axes.end(), axes_);
    }
}

LibraryFunction::LibraryFunction(const FunctionRecord &record) : LibraryFunction(record.handle, record.text) {}

bool LibraryFunction::IsCompiled() const
{
    return is_function_initialized(handle_) == 1;
}

std::vector<FunctionVariable> LibraryFunction::Variables() const
{
    std::vector<FunctionVariable> variables;
    for (const VariableRecord &r : LibraryTable(handle_))
        if (r.name)
            variables.push_back(FunctionVariable{r.name, r.value, r.min, r.max, r.steps});
    return variables;
}

std::vector<FunctionVariable> LibraryFunction::UserVariables() const
{
    std::vector<FunctionVariable> variables = Variables();
    variables.erase(std::remove_if(variables.begin(), variables.end(),
                                   [](const FunctionVariable &v) { return IsConstant(v.name); }),
                    variables.end());
    return variables;
}

std::vector<FunctionVariable> LibraryFunction::Parameters() const
{
    std::vector<FunctionVariable> variables = Variables();
    variables.erase(std::remove_if(variables.begin(), variables.end(),
                                   [this](const FunctionVariable &v) { return !IsParameter(v.name); }),
                    variables.end());
    return variables;
}

std::optional<FunctionVariable> LibraryFunction::Variable(const std::string &name) const
{
    VariableRecord record{name.c_str(), 0, 0, 0, 0};
    if (get_function_variable(handle_, name.c_str(), &record) == 0)
        return std::nullopt;
    return FunctionVariable{name, record.value, record.min, record.max, record.steps};
}

bool LibraryFunction::Write(const FunctionVariable &v) const
{
    return modify_function_variable(handle_, VariableRecord{v.name.c_str(), v.value, v.min, v.max, v.steps}) == 1;
}

AngleUnit LibraryFunction::Unit() const
{
    const int32_t unit = get_function_angle_mode(handle_);
    return unit == Degrees || unit == Grads ? AngleUnit(unit) : Radians;
}

void LibraryFunction::SetUnit(int unit) const
{
    set_function_angle_mode(handle_, unit);
}

double LibraryFunction::Evaluate() const
{
    double value = 0;
    execute_function(handle_, nullptr, &value);
    return value;
}

double LibraryFunction::EvaluateAt(const double *values) const
{
    double value = 0;
    execute_function(handle_, values, &value);
    return value;
}

SpacePoint LibraryFunction::PointAt(const double *values) const
{
    double components[QEL_MAX_COMPONENTS] = {};
    if (!GivesPoints())
        return {};
    execute_function_components(handle_, values, components);
    double xyz[3];
    for (int k = 0; k < 3; ++k)
        xyz[axes_[k]] = components[k];
    return {xyz[0], xyz[1], xyz[2]};
}

SpacePoint LibraryFunction::Point() const
{
    return PointAt(nullptr);
}

bool LibraryFunction::IsPlotted(const std::string &name) const
{
    return kind_ != NoKind && !name.empty() &&
           (name == FirstPlottedName(kind_) || name == SecondPlottedName(kind_) || name == ThirdPlottedName(kind_));
}

std::string LibraryFunction::PlottedPartner(const std::string &name) const
{
    if (kind_ == NoKind || kind_ == KindImplicit)
        return std::string();
    if (name == FirstPlottedName(kind_))
        return SecondPlottedName(kind_);
    return name == SecondPlottedName(kind_) ? FirstPlottedName(kind_) : std::string();
}

bool LibraryFunction::IsConstant(const std::string &name)
{
    return name == "e" || name == "pi";
}

bool LibraryFunction::IsParameter(const std::string &name) const
{
    return !IsPlotted(name) && !IsConstant(name);
}
