// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Definitions as the add and edit commands take them: the header rules, the
// validation messages with their selections, adding (which must leave no
// library function behind when it fails) and editing (which keeps the
// settings of the variables that survive, and after a failed compile must
// leave a function that its old text compiles again, as saving does).
//
// Input: a byte (bits 0-1 the angle unit of the add, bits 2-3 that of the
// edit), the definition to add, a NUL, the definition it is edited into.

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "model/FunctionDefinition.h"
#include "model/LibraryFunction.h"
#include "qel/qel.h"

namespace {

bool SameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckHeader(const std::string &text)
{
    const HeaderAnalysis header = AnalyzeHeader(text);
    const int length = int(text.size());
    if (!header.valid) {
        FUZZ_CHECK(header.errorPosition >= 0 && header.errorPosition <= length, "the caret lies in the text");
        return;
    }
    FUZZ_CHECK(header.expressionStart >= 2 && header.expressionStart <= length, "the expression starts in the text");
    FUZZ_CHECK(text[size_t(header.expressionStart) - 1] == '=', "the expression starts after '='");
    const DefinitionNames names = ExtractNames(text);
    if (names.tuple) {
        FUZZ_CHECK(names.dependent.empty() && !names.dependents.empty(), "a valid tuple names its dependents");
        for (const std::string &name : names.dependents)
            FUZZ_CHECK(!name.empty(), "no empty dependent name");
    } else {
        FUZZ_CHECK(!names.dependent.empty(), "a valid header names its dependent variable");
    }
    FUZZ_CHECK(int(names.independents.size()) == header.independentCount,
               "every independent name counted is extracted");
    for (const std::string &name : names.independents)
        FUZZ_CHECK(!name.empty(), "no empty independent name");
}

void CheckOutcome(const DefinitionOutcome &outcome, const std::string &text)
{
    if (outcome.ok)
        return;
    FUZZ_CHECK(!outcome.message.isEmpty(), "a refusal says why");
    if (outcome.hasSelection)
        FUZZ_CHECK(outcome.selectionStart >= 0 && outcome.selectionStart <= outcome.selectionEnd &&
                       outcome.selectionEnd <= int(text.size()),
                   "the selection lies in the text");
}

void CheckNoFunctionLeft()
{
    const int32_t probe = new_function();
    FUZZ_CHECK(probe == 0, "a refused definition leaves no library function behind");
    delete_function(probe);
}

std::string LibraryText(int32_t handle)
{
    char *text = get_function_text(handle);
    std::string copy = text ? text : "";
    std::free(text);
    return copy;
}

void CheckAdded(const DefinitionOutcome &added, const std::string &text, int mode)
{
    FUZZ_CHECK(added.handle == 0, "the first function takes the first slot");
    FUZZ_CHECK(is_function_initialized(added.handle) == 1, "an added function is compiled");
    FUZZ_CHECK(get_function_angle_mode(added.handle) == mode, "with the angle unit chosen");
    const auto defaults = DefaultVariableTable(ExtractNames(text), mode);
    const auto table = LibraryFunction(added.handle).Variables();
    FUZZ_CHECK(table.size() == defaults.size(), "the variables of the header, then e and pi");
    for (size_t i = 0; i < table.size(); ++i)
        FUZZ_CHECK(table[i].name == defaults[i].name && SameDouble(table[i].min, defaults[i].min) &&
                       SameDouble(table[i].max, defaults[i].max) && table[i].steps == defaults[i].steps,
                   "default ranges for " + table[i].name);
}

void CheckEdit(int32_t handle, const std::string &oldText, const std::string &newText, int mode)
{
    const auto before = LibraryFunction(handle).Variables();
    const std::string compiledBefore = LibraryText(handle);
    const int modeBefore = get_function_angle_mode(handle);
    const DefinitionOutcome edited = RecompileFunction(handle, newText, mode);
    CheckOutcome(edited, newText);
    if (edited.ok) {
        FUZZ_CHECK(edited.handle == handle && is_function_initialized(handle) == 1, "an edit compiles in place");
        FUZZ_CHECK(get_function_angle_mode(handle) == mode, "with the angle unit chosen");
        for (const FunctionVariable &v : LibraryFunction(handle).Variables())
            for (const FunctionVariable &o : before)
                if (o.name == v.name) {
                    FUZZ_CHECK(SameDouble(o.value, v.value) && SameDouble(o.min, v.min) &&
                                   SameDouble(o.max, v.max) && o.steps == v.steps,
                               "a surviving variable keeps its settings: " + v.name);
                    break;
                }
        return;
    }
    if (ValidateDefinition(newText, false).ok) {
        FUZZ_CHECK(is_function_initialized(handle) == 0, "a failed compile leaves the function reset");
        FUZZ_CHECK(get_function_angle_mode(handle) == modeBefore, "and keeps its angle unit");
        FUZZ_CHECK(EnsureCompiled(handle, oldText), "the old text compiles again: " + oldText);
    } else {
        FUZZ_CHECK(LibraryText(handle) == compiledBefore, "a refused edit changes nothing");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.Byte();
    const int addMode = (flags & 3) % 3, editMode = ((flags >> 2) & 3) % 3;
    const std::string text = in.Until('\0');
    const std::string edit = in.Rest();

    CheckHeader(text);
    CheckHeader(edit);
    const DefinitionOutcome validated = ValidateDefinition(text, true);
    CheckOutcome(validated, text);
    CheckOutcome(ValidateDefinition(text, false), text);
    FUZZ_CHECK(CheckLabel(edit).isEmpty() == (!edit.empty() && edit.size() <= 80), "labels of 1 to 80 characters");

    const DefinitionOutcome added = CompileNewFunction(text, addMode);
    CheckOutcome(added, text);
    FUZZ_CHECK(!added.ok || validated.ok, "only a valid definition is added");
    if (!added.ok) {
        FUZZ_CHECK(added.handle == -1, "no handle for a refused definition");
        CheckNoFunctionLeft();
        return 0;
    }
    CheckAdded(added, text, addMode);
    CheckEdit(added.handle, text, edit, editMode);
    delete_all();
    return 0;
}
