#pragma once

#include <cstdint>
#include <string>

class CVeltrix2Doc;
class DocumentHistory;
class QWidget;

// The tree's edits of a function, from the first dialog to the change on the
// document's undo history: each asks with its dialogs, refuses what may not
// be and pushes the change, from which the tree and the 3D view follow.
// Functions are named by their library handles; every modal question goes
// through the installed Prompter.  Whether an edit may run now (the
// selection, a running trace or animation) is the tree pane's to decide.
class FunctionEditFlows {
public:
    FunctionEditFlows(CVeltrix2Doc &doc, QWidget *dialogParent);

    void AddFunction();
    void DeleteFunction(int32_t function);
    void EditLabel(int32_t function);
    void ToggleVisible(int32_t function);
    // Reopens with the faulty part selected until the definition compiles;
    // giving up brings the old definition back.
    void EditText(int32_t function);
    void Evaluate(int32_t function);
    // Value, range and steps of the variable `variable`; nothing when the
    // function has no such variable.
    void EditValue(int32_t function, const std::string &variable);
    void EditRange(int32_t function, const std::string &variable);
    void EditSteps(int32_t function, const std::string &variable);
    void ChangeMode(int32_t function);
    // `which`: 1 or 2.
    void ChangeColor(int32_t function, int which);

private:
    CVeltrix2Doc &doc_;
    DocumentHistory &history_;
    QWidget *parent_;
};
