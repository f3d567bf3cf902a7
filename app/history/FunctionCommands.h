#pragma once

#include <string>

#include "model/FunctionRecord.h"
#include "model/FunctionSnapshot.h"

class DocumentHistory;
class QUndoCommand;

// The undoable changes of the document's functions.  Each returns a command
// for DocumentHistory::Push, which carries it out; `position` is the
// function's place in the document's list.  The commands tell the document's
// views exactly what the edit commands of the tree have always told them.
namespace FunctionCommands {

// "Add function <label>": appends `compiled`, whose library function is
// ready under its handle.
QUndoCommand *AddFunction(DocumentHistory &history, const FunctionRecord &compiled);
// "Delete function <label>".
QUndoCommand *DeleteFunction(DocumentHistory &history, int position);
// "Edit text of <label>": the library already holds the new definition
// `text`; `before` is what it held before the edit began.
QUndoCommand *EditText(DocumentHistory &history, int position, const FunctionSnapshot &before,
                       const std::string &text);
// "Edit label of <label>".
QUndoCommand *EditLabel(DocumentHistory &history, int position, const std::string &label);
// "Change mode of <label>".
QUndoCommand *ChangeMode(DocumentHistory &history, int position, int32_t mode);
// "Change colour 1 of <label>" or "Change colour 2 of <label>".
QUndoCommand *ChangeColor(DocumentHistory &history, int position, int which, Color color);
// "Hide <label>" or "Show <label>".
QUndoCommand *ToggleVisible(DocumentHistory &history, int position);
// "Change value of <name>", within the variable's range.
QUndoCommand *ChangeValue(DocumentHistory &history, int position, const std::string &name, double value);
// "Change range of <name>": min <= max; a value outside the new range
// becomes the new min.
QUndoCommand *ChangeRange(DocumentHistory &history, int position, const std::string &name, double min,
                          double max);
// "Change steps of <name>".
QUndoCommand *ChangeSteps(DocumentHistory &history, int position, const std::string &name, int32_t steps);

}  // namespace FunctionCommands
