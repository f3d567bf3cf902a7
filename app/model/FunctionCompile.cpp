#include "FunctionDefinition.h"

#include "LibraryFunction.h"
#include "qel/qel.h"

namespace {

std::vector<VariableRecord> ToRecords(const std::vector<FunctionVariable> &table)
{
    std::vector<VariableRecord> records;
    records.reserve(table.size());
    for (const FunctionVariable &v : table)
        records.push_back(VariableRecord{v.name.c_str(), v.value, v.min, v.max, v.steps});
    return records;
}

// Compiles the expression part of `text` into the function `handle`, which
// is not compiled; returns initialize_function's code.
int32_t Compile(int32_t handle, const std::string &text, int expressionStart,
                const std::vector<FunctionVariable> &table, int32_t *stop)
{
    const std::vector<VariableRecord> records = ToRecords(table);
    *stop = 0;
    PrepareForDefinition(handle, text);
    return initialize_function(handle, text.c_str() + expressionStart, records.data(),
                               int32_t(records.size()), stop);
}

DefinitionOutcome SyntaxErrorAt(int position)
{
    DefinitionOutcome outcome;
    outcome.ok = false;
    outcome.message = QStringLiteral("Syntax error");
    outcome.hasSelection = true;
    outcome.selectionStart = outcome.selectionEnd = position;
    return outcome;
}

}  // namespace

int32_t ExpressionCount(const std::string &text)
{
    const HeaderAnalysis header = AnalyzeHeader(text);
    return header.valid && header.tuple ? header.dependentCount : 1;
}

void PrepareForDefinition(int32_t handle, const std::string &text)
{
    set_function_components(handle, ExpressionCount(text));
}

int32_t CompileExpression(int32_t handle, const std::string &text, const std::vector<FunctionVariable> &table)
{
    const HeaderAnalysis header = AnalyzeHeader(text);
    if (!header.valid)
        return 1;
    int32_t stop = 0;
    return Compile(handle, text, header.expressionStart, table, &stop);
}

DefinitionOutcome CompileNewFunction(const std::string &text, int angleMode)
{
    DefinitionOutcome outcome = ValidateDefinition(text, true);
    if (!outcome.ok)
        return outcome;
    const int32_t handle = new_function();
    if (handle < 0) {
        outcome.ok = false;
        outcome.message = QStringLiteral("No more than 100 functions can be defined");
        return outcome;
    }
    const HeaderAnalysis header = AnalyzeHeader(text);
    const auto table = DefaultVariableTable(ExtractNames(text), angleMode);
    int32_t stop = 0;
    if (Compile(handle, text, header.expressionStart, table, &stop) != 0) {
        delete_function(handle);
        return SyntaxErrorAt(header.expressionStart + stop);
    }
    set_function_angle_mode(handle, angleMode);
    outcome.handle = handle;
    return outcome;
}

DefinitionOutcome RecompileFunction(int32_t handle, const std::string &text, int angleMode)
{
    DefinitionOutcome outcome = ValidateDefinition(text, false);
    if (!outcome.ok)
        return outcome;
    const HeaderAnalysis header = AnalyzeHeader(text);
    const DefinitionNames names = ExtractNames(text);

    // Every independent variable starts plain, whatever its name; the ones
    // that survive the edit keep their old settings.
    std::vector<FunctionVariable> table = EditVariableTable(names, angleMode);
    const std::vector<FunctionVariable> old = LibraryFunction(handle).Variables();
    for (FunctionVariable &v : table)
        for (const FunctionVariable &o : old)
            if (o.name == v.name) {
                v = o;
                break;
            }

    reset_function(handle);
    int32_t stop = 0;
    if (Compile(handle, text, header.expressionStart, table, &stop) != 0)
        return SyntaxErrorAt(header.expressionStart + stop);
    set_function_angle_mode(handle, angleMode);
    outcome.handle = handle;
    return outcome;
}

bool EnsureCompiled(int32_t handle, const std::string &text)
{
    const int32_t state = is_function_initialized(handle);
    if (state != 0)
        return state == 1;   // compiled, or no such function
    const HeaderAnalysis header = AnalyzeHeader(text);
    if (!header.valid)
        return false;
    const int angleMode = get_function_angle_mode(handle);
    const auto table = DefaultVariableTable(ExtractNames(text), angleMode);
    int32_t stop = 0;
    return Compile(handle, text, header.expressionStart, table, &stop) == 0;
}
