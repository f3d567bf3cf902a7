#pragma once

#include <string>
#include <vector>

#include <QString>

#include "DependentKind.h"
#include "FunctionVariable.h"

// The definition header in front of an expression: "z(x,y)=" with one
// dependent name, or "(x,y,z)(u,v)=" with a tuple of them.
struct HeaderAnalysis {
    bool valid = false;
    int errorPosition = 0;     // caret position when invalid
    int expressionStart = 0;   // index after the first '=' when valid
    int independentCount = 0;
    bool tuple = false;        // the header starts with '('
    int dependentCount = 0;    // names in the tuple; 1 for a single name
};
HeaderAnalysis AnalyzeHeader(const std::string &text);

struct DefinitionNames {
    std::string dependent;                   // a single name; empty for a tuple
    int dependentPosition = 0;
    std::vector<std::string> dependents;     // a tuple's names, in order
    std::vector<std::string> independents;   // header order
    // Where each name starts in the text, for pointing at a fault.
    std::vector<int> dependentPositions;
    std::vector<int> independentPositions;
    bool tuple = false;
    // The tuple's parentheses and the independents' parentheses ([open,
    // close] indices; -1 when absent).
    int dependentsOpen = -1, dependentsClose = -1;
    int independentsOpen = -1, independentsClose = -1;
};
DefinitionNames ExtractNames(const std::string &text);   // after a valid header

// The kind the names of a definition make (NoKind for a tuple of other names
// than x, y and z).
DependentKind KindOfNames(const DefinitionNames &names);
// For a tuple of x, y and z: which of x, y, z (0, 1, 2) each expression
// gives, in tuple order.
std::vector<int> TupleAxes(const DefinitionNames &names);
// The number of expressions the library compiles for the definition `text`:
// a tuple's size, else 1.
int32_t ExpressionCount(const std::string &text);
// Prepares the reset or new library function `handle` for `text`'s
// expressions (how many there are) before it is compiled or loaded.
void PrepareForDefinition(int32_t handle, const std::string &text);
// Whether the header is one of the forms the program has always had: a
// single dependent name of Cartesian or spherical coordinates.
bool IsClassicKind(DependentKind kind);

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

// An implicit surface "0(x,y,z)=f" (the points where f is 0) has the
// dependent name "0" and needs x, y and z among its names; further names are
// parameters.  Its own rules stand in for the partner rule of the other
// forms: the same messages for a name that is the dependent one, for e and
// pi and for duplicates, and one of its own for a missing x, y or z.
bool IsImplicitDependent(const std::string &dependent);
DefinitionOutcome ValidateImplicit(const DefinitionNames &names, bool adding);

// Rules 1..5, without compiling.  `adding` decides only whether a missing
// partner selects the dependent variable (editing) or nothing (adding).
DefinitionOutcome ValidateDefinition(const std::string &text, bool adding);

// Default variable table of a new function: independents in header order,
// then e and pi.  `angleMode` picks the bounds of angles.
std::vector<std::string> TableNames(const DefinitionNames &names);   // with e, pi
std::vector<FunctionVariable> DefaultVariableTable(const DefinitionNames &names, int angleMode);
// Table of the edit flow before the old settings are carried over: for the
// Cartesian and spherical forms every independent variable -5..5, 20 steps,
// value 0, whatever its name; for the others the defaults of a new function.
// Then e, pi.
std::vector<FunctionVariable> EditVariableTable(const DefinitionNames &names, int angleMode);

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
