#include "history/FunctionCommands.h"

#include <functional>
#include <optional>

#include "history/DocumentHistory.h"
#include "history/HistoryCommand.h"
#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/LibraryFunction.h"

namespace {

QString Named(const char *what, const std::string &name)
{
    return QString::fromLatin1(what) + FromCp1252(name);
}

// A function out of the document and the library: its record, its place
// and what the library knew of it.  It holds no library slot.
struct RemovedFunction {
    int position = -1;
    FunctionRecord record;
    FunctionSnapshot library;
};

RemovedFunction TakeOut(CVeltrix2Doc &doc, int position)
{
    RemovedFunction removed{position, doc.Get(position), {}};
    removed.library = FunctionSnapshot::Capture(removed.record.handle);
    doc.Remove(position);
    return removed;
}

// Back at its place, under its old handle when that is free (it is, unless
// something outside the history took it).
void PutBack(CVeltrix2Doc &doc, RemovedFunction removed)
{
    FunctionRecord record = removed.record;
    record.handle = AcquireHandle(removed.record.handle);
    if (record.handle < 0)
        return;
    removed.library.RestoreInto(record.handle, record.text);
    doc.Insert(removed.position, record);
}

// Adding and deleting are the same two moves in opposite order.
class ListCommand : public HistoryCommand {
public:
    ListCommand(DocumentHistory &history, const QString &text, int position, bool adding)
        : HistoryCommand(history, text), position_(position), adding_(adding)
    {
    }
    // The first doing of an add: the function is compiled but not listed.
    void SetFresh(const FunctionRecord &record) { fresh_ = record; }

protected:
    void Apply() override { adding_ ? In() : Out(); }
    void Revert() override { adding_ ? Out() : In(); }

private:
    void In()
    {
        if (fresh_) {
            Doc().Add(*fresh_);
            fresh_.reset();
        } else if (removed_) {
            PutBack(Doc(), *removed_);
            removed_.reset();
        }
    }
    void Out() { removed_ = TakeOut(Doc(), position_); }

    int position_;
    bool adding_;
    std::optional<FunctionRecord> fresh_;
    std::optional<RemovedFunction> removed_;
};

// Label, visibility, mode and colours: fields of the record alone.
class RecordCommand : public HistoryCommand {
public:
    RecordCommand(DocumentHistory &history, const QString &text, int position, const FunctionRecord &after,
                  bool redrawAll = false)
        : HistoryCommand(history, text), position_(position), before_(history.Document().Get(position)),
          after_(after), redrawAll_(redrawAll)
    {
    }

protected:
    void Apply() override { Store(after_); }
    void Revert() override { Store(before_); }

private:
    void Store(FunctionRecord record)
    {
        record.handle = Doc().Get(position_).handle;
        Doc().Update(position_, record);
        if (redrawAll_) {
            Doc().SetModifiedFlag();
            Doc().UpdateAllViews(Doc().FirstView(), -1);
        }
    }

    int position_;
    FunctionRecord before_, after_;
    bool redrawAll_;
};

// A new definition: the text in the record, the compiled function, its
// variables and its angle unit in the library.
class TextCommand : public HistoryCommand {
public:
    TextCommand(DocumentHistory &history, int position, const FunctionSnapshot &before, const std::string &text)
        : HistoryCommand(history, Named("Edit text of ", history.Document().Get(position).label)),
          position_(position)
    {
        const FunctionRecord record = Doc().Get(position);
        before_ = {record.text, before};
        after_ = {text, FunctionSnapshot::Capture(record.handle)};
    }

protected:
    void Apply() override { Define(after_); }
    void Revert() override { Define(before_); }

private:
    struct Definition {
        std::string text;
        FunctionSnapshot library;
    };
    void Define(const Definition &definition)
    {
        FunctionRecord record = Doc().Get(position_);
        definition.library.RestoreInto(record.handle, definition.text);
        record.text = definition.text;
        Doc().Update(position_, record);
    }

    int position_;
    Definition before_, after_;
};

// Value, range or steps of one variable in the library.
class VariableCommand : public HistoryCommand {
public:
    enum Part {
        Value,
        Range,
        Steps
    };

    VariableCommand(DocumentHistory &history, const QString &text, int position, Part part,
                    const FunctionVariable &before, const FunctionVariable &after)
        : HistoryCommand(history, text), position_(position), part_(part), before_(before), after_(after)
    {
    }

protected:
    void Apply() override { Write(after_); }
    void Revert() override { Write(before_); }

private:
    void Write(const FunctionVariable &v)
    {
        CVeltrix2Doc &doc = Doc();
        const FunctionRecord record = doc.Get(position_);
        const LibraryFunction function(record);
        function.Write(v);
        if (part_ == Value) {
            // A plotting variable only moves the point of evaluation: the
            // drawing stays as it is.
            doc.NotifyVariablesChanged(record.handle);
            if (!function.IsPlotted(v.name))
                doc.UpdateAllViews(doc.FirstView(), record.handle);
            return;
        }
        doc.SetModifiedFlag();
        doc.UpdateAllViews(doc.FirstView(), -1);
        doc.NotifyVariablesChanged(record.handle);
    }

    int position_;
    Part part_;
    FunctionVariable before_, after_;
};

// The variable as the library holds it now, changed by `change`.
QUndoCommand *ChangeVariable(DocumentHistory &history, int position, const std::string &name,
                             VariableCommand::Part part, const std::function<void(FunctionVariable &)> &change)
{
    static const char *const kTexts[] = {"Change value of ", "Change range of ", "Change steps of "};
    const FunctionVariable before = LibraryFunction(history.Document().Get(position).handle)
                                        .Variable(name)
                                        .value_or(FunctionVariable{name, 0, 0, 0, 0});
    FunctionVariable after = before;
    change(after);
    return new VariableCommand(history, Named(kTexts[part], name), position, part, before, after);
}

}  // namespace

namespace FunctionCommands {

QUndoCommand *AddFunction(DocumentHistory &history, const FunctionRecord &compiled)
{
    auto *command = new ListCommand(history, Named("Add function ", compiled.label),
                                    history.Document().Count(), true);
    command->SetFresh(compiled);
    return command;
}

QUndoCommand *DeleteFunction(DocumentHistory &history, int position)
{
    return new ListCommand(history, Named("Delete function ", history.Document().Get(position).label), position,
                           false);
}

QUndoCommand *EditText(DocumentHistory &history, int position, const FunctionSnapshot &before,
                       const std::string &text)
{
    return new TextCommand(history, position, before, text);
}

QUndoCommand *EditLabel(DocumentHistory &history, int position, const std::string &label)
{
    FunctionRecord record = history.Document().Get(position);
    const QString text = Named("Edit label of ", record.label);
    record.label = label;
    return new RecordCommand(history, text, position, record);
}

QUndoCommand *ChangeMode(DocumentHistory &history, int position, int32_t mode)
{
    FunctionRecord record = history.Document().Get(position);
    record.mode = mode;
    return new RecordCommand(history, Named("Change mode of ", record.label), position, record);
}

QUndoCommand *ChangeColor(DocumentHistory &history, int position, int which, Color color)
{
    FunctionRecord record = history.Document().Get(position);
    (which == 1 ? record.color1 : record.color2) = color;
    const QString text = QStringLiteral("Change colour %1 of ").arg(which) + FromCp1252(record.label);
    return new RecordCommand(history, text, position, record);
}

QUndoCommand *ToggleVisible(DocumentHistory &history, int position)
{
    FunctionRecord record = history.Document().Get(position);
    record.visible = record.visible == 1 ? 0 : 1;
    const QString text = Named(record.visible == 1 ? "Show " : "Hide ", record.label);
    return new RecordCommand(history, text, position, record, true);
}

QUndoCommand *ChangeValue(DocumentHistory &history, int position, const std::string &name, double value)
{
    return ChangeVariable(history, position, name, VariableCommand::Value,
                          [value](FunctionVariable &v) { v.value = value; });
}

QUndoCommand *ChangeRange(DocumentHistory &history, int position, const std::string &name, double min,
                          double max)
{
    return ChangeVariable(history, position, name, VariableCommand::Range, [min, max](FunctionVariable &v) {
        v.min = min;
        v.max = max;
        if (v.value < min || v.value > max)
            v.value = min;
    });
}

QUndoCommand *ChangeSteps(DocumentHistory &history, int position, const std::string &name, int32_t steps)
{
    return ChangeVariable(history, position, name, VariableCommand::Steps,
                          [steps](FunctionVariable &v) { v.steps = steps; });
}

}  // namespace FunctionCommands
