#pragma once

#include <string>
#include <vector>

#include <QString>

#include "FunctionVariable.h"

// The definition header "z(x,y)=" in front of an expression.
struct HeaderAnalysis {
    bool valid = false;
    int errorPosition = 0;     // caret position when invalid
    int expressionStart = 0;   // index after the first '=' when valid
    int independentCount = 0;
};
HeaderAnalysis AnalyzeHeader(const std::string &text);

struct DefinitionNames {
    std::string dependent;
    std::vector<std::string> independents;   // header order
};
DefinitionNames ExtractNames(const std::string &text);   // after a valid header

// Result of checking or compiling a definition, for the text dialog to show:
// on failure `message` goes into a box titled "Error" and the dialog reopens
// with the selection [selectionStart, selectionEnd) (a caret when equal, no
// selection when hasSelection is false).
struct DefinitionOutcome {
    bool ok = true;
    QString message;
    bool hasSelection = false;
    int selectionStart = 0;
    int selectionEnd = 0;
    int32_t handle = -1;       // the compiled function on success
};

// Rules 1..5, without compiling.  `adding` decides only whether a missing
// partner selects the dependent variable (editing) or nothing (adding).
DefinitionOutcome ValidateDefinition(const std::string &text, bool adding);

// Default variable table of a new function: independents in header order,
// then e and pi.  `angleMode` picks the spherical bounds.
std::vector<std::string> TableNames(const DefinitionNames &names);   // with e, pi
std::vector<FunctionVariable> DefaultVariableTable(const DefinitionNames &names, int angleMode);
// Table of the edit flow before the old settings are carried over: every
// independent variable -5..5, 20 steps, value 0, whatever its name; e, pi.
std::vector<FunctionVariable> EditVariableTable(const DefinitionNames &names);

// Label check of the add flow: empty on success, else the message.
QString CheckLabel(const std::string &label);

// Add flow after the dialogs: validate, new_function, initialize_function,
// set_function_angle_mode.  On a compile failure the handle is released.
DefinitionOutcome CompileNewFunction(const std::string &text, int angleMode);

// Edit flow: validate, carry the old variable settings
// over by name, reset_function, initialize_function, set_function_angle_mode.
// On a compile failure the library function stays reset.
DefinitionOutcome RecompileFunction(int32_t handle, const std::string &text, int angleMode);

// Compiles the expression part of the valid definition `text` into the reset
// function `handle` with the variable table `table`; initialize_function's
// code.
int32_t CompileExpression(int32_t handle, const std::string &text, const std::vector<FunctionVariable> &table);

// Recompiles a reset function from its record's text, keeping whatever the
// library still knows (angle mode).  Used before saving and may be used after
// an edit was cancelled.  Returns true when the function is compiled.
bool EnsureCompiled(int32_t handle, const std::string &text);
