// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/FunctionEditFlows.h"

#include <optional>

#include "history/DocumentHistory.h"
#include "history/FunctionCommands.h"
#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/CommandLinePlot.h"
#include "model/FormatGeneral.h"
#include "model/FunctionDefinition.h"
#include "model/FunctionSnapshot.h"
#include "model/LibraryFunction.h"
#include "tree/AskUntilValid.h"
#include "tree/ColorButton.h"
#include "tree/LabelDialog.h"
#include "tree/ModeDialog.h"
#include "tree/Prompter.h"
#include "tree/RangeDialog.h"
#include "tree/StepsDialog.h"
#include "tree/TextDialog.h"
#include "tree/ValueDialog.h"

namespace {

// The document's bytes of a text the dialogs accepted: they refuse what the
// code page cannot hold, so nothing is lost here.
std::string DocumentText(const QString &text)
{
    std::string bytes;
    ToCp1252(text, &bytes);
    return bytes;
}

// Where the text dialog opens again after a refused definition.
void PresetSelection(TextDialog &dialog, const DefinitionOutcome &outcome)
{
    dialog.selectionStart = outcome.hasSelection ? outcome.selectionStart : TextDialog::kNoSelection;
    dialog.selectionEnd = outcome.hasSelection ? outcome.selectionEnd : TextDialog::kNoSelection;
}

// The label of a dialog, refused (with its message, and no second chance)
// when it is empty or too long.
std::optional<std::string> AcceptedLabel(QWidget *parent, const LabelDialog &dialog)
{
    const std::string label = DocumentText(dialog.label);
    const QString error = CheckLabel(label);
    if (error.isEmpty())
        return label;
    ShowError(parent, error);
    return std::nullopt;
}

}  // namespace

FunctionEditFlows::FunctionEditFlows(CVeltrix2Doc &doc, QWidget *dialogParent)
    : doc_(doc), history_(DocumentHistory::Of(doc)), parent_(dialogParent)
{
}

void FunctionEditFlows::AddFunction()
{
    LabelDialog labelDialog(parent_);
    if (!Prompter::Current().Run(labelDialog))
        return;
    const std::optional<std::string> label = AcceptedLabel(parent_, labelDialog);
    if (!label)
        return;

    TextDialog textDialog(parent_);
    textDialog.angleMode = Radians;
    textDialog.selectionStart = textDialog.selectionEnd = 0;
    std::string text;
    DefinitionOutcome outcome;
    const bool accepted = AskUntilValid(parent_, textDialog, [&] {
        text = DocumentText(textDialog.text);
        outcome = CompileNewFunction(text, textDialog.angleMode);
        if (outcome.ok)
            return QString();
        PresetSelection(textDialog, outcome);
        return outcome.message;
    });
    if (!accepted)
        return;

    FunctionRecord record;
    record.label = *label;
    record.text = text;
    record.handle = outcome.handle;
    history_.Push(FunctionCommands::AddFunction(history_, record));
}

void FunctionEditFlows::DeleteFunction(int32_t function)
{
    history_.Push(FunctionCommands::DeleteFunction(history_, doc_.Find(function)));
}

void FunctionEditFlows::EditLabel(int32_t function)
{
    const int pos = doc_.Find(function);
    LabelDialog dialog(parent_);
    dialog.label = FromCp1252(doc_.Get(pos).label);
    if (!Prompter::Current().Run(dialog))
        return;
    if (const std::optional<std::string> label = AcceptedLabel(parent_, dialog))
        history_.Push(FunctionCommands::EditLabel(history_, pos, *label));
}

void FunctionEditFlows::ToggleVisible(int32_t function)
{
    history_.Push(FunctionCommands::ToggleVisible(history_, doc_.Find(function)));
}

void FunctionEditFlows::EditText(int32_t function)
{
    const int pos = doc_.Find(function);
    const FunctionRecord record = doc_.Get(pos);

    // A failed compile leaves the library function reset; this brings the
    // old definition back if the user gives up, and is what an undo restores.
    const FunctionSnapshot before = FunctionSnapshot::Capture(function);
    bool reset = false;

    TextDialog dialog(parent_);
    dialog.text = FromCp1252(record.text);
    dialog.selectionStart = dialog.selectionEnd = int(dialog.text.size());
    dialog.angleMode = before.angleMode;
    std::string text;
    const bool accepted = AskUntilValid(parent_, dialog, [&] {
        text = DocumentText(dialog.text);
        const DefinitionOutcome outcome = RecompileFunction(function, text, dialog.angleMode);
        if (outcome.ok)
            return QString();
        reset = reset || ValidateDefinition(text, false).ok;
        PresetSelection(dialog, outcome);
        return outcome.message;
    });
    if (!accepted) {
        if (reset && before.RestoreInto(function, record.text))
            doc_.UpdateAllViews(doc_.FirstView(), function);
        return;
    }
    history_.Push(FunctionCommands::EditText(history_, pos, before, text));
}

void FunctionEditFlows::Evaluate(int32_t function)
{
    const LibraryFunction library(function, doc_.Get(doc_.Find(function)).text);
    QString result;
    if (library.GivesPoints()) {
        // A curve or surface is worth its point.
        const SpacePoint p = library.Point();
        result = QStringLiteral("(%1, %2, %3)").arg(FormatGeneral(p.x, 10), FormatGeneral(p.y, 10), FormatGeneral(p.z, 10));
    } else {
        result = FormatGeneral(library.Evaluate(), 10);
    }
    Prompter::Current().Message(parent_, QMessageBox::NoIcon, QStringLiteral("Current value"), result);
}

void FunctionEditFlows::EditValue(int32_t function, const std::string &variable)
{
    const std::optional<FunctionVariable> v = LibraryFunction(function).Variable(variable);
    if (!v)
        return;
    ValueDialog dialog(parent_);
    dialog.value = v->value;
    dialog.ShowRange(FromCp1252(variable), v->min, v->max);
    const bool accepted = AskUntilValid(parent_, dialog, [&] {
        return dialog.value >= v->min && dialog.value <= v->max ? QString() : QStringLiteral("Out of range");
    });
    if (accepted)
        history_.Push(FunctionCommands::ChangeValue(history_, doc_.Find(function), variable, dialog.value));
}

void FunctionEditFlows::EditRange(int32_t function, const std::string &variable)
{
    const std::optional<FunctionVariable> v = LibraryFunction(function).Variable(variable);
    if (!v)
        return;
    RangeDialog dialog(parent_);
    dialog.min = v->min;
    dialog.max = v->max;
    const bool accepted = AskUntilValid(parent_, dialog, [&] { return RangeRefusal(dialog.min, dialog.max); });
    if (accepted)
        history_.Push(FunctionCommands::ChangeRange(history_, doc_.Find(function), variable, dialog.min, dialog.max));
}

void FunctionEditFlows::EditSteps(int32_t function, const std::string &variable)
{
    const std::optional<FunctionVariable> v = LibraryFunction(function).Variable(variable);
    if (!v)
        return;
    StepsDialog dialog(parent_);
    dialog.steps = v->steps;
    // A grid too large is refused here rather than told later by the view
    // that cannot draw it.
    const bool accepted = AskUntilValid(parent_, dialog, [&] {
        return StepsRefusal(function, doc_.Get(doc_.Find(function)).text, variable, dialog.steps);
    });
    if (accepted)
        history_.Push(FunctionCommands::ChangeSteps(history_, doc_.Find(function), variable, dialog.steps));
}

void FunctionEditFlows::ChangeMode(int32_t function)
{
    const int pos = doc_.Find(function);
    ModeDialog dialog(parent_);
    dialog.mode = doc_.Get(pos).mode;
    if (Prompter::Current().Run(dialog))
        history_.Push(FunctionCommands::ChangeMode(history_, pos, dialog.mode));
}

void FunctionEditFlows::ChangeColor(int32_t function, int which)
{
    const int pos = doc_.Find(function);
    const FunctionRecord record = doc_.Get(pos);
    QColor chosen;
    if (Prompter::Current().ChooseColor(parent_, ToQColor(which == 1 ? record.color1 : record.color2), &chosen))
        history_.Push(FunctionCommands::ChangeColor(history_, pos, which, FromQColor(chosen)));
}
