// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The document's undo history: the modified flag against the saved state,
// what New and Open do to it, and exact restoring of deleted functions.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "../model/FileTestSupport.h"
#include "../model/QelSlots.h"
#include "DocumentState.h"
#include "history/DocumentHistory.h"
#include "history/FunctionCommands.h"

namespace {

class HistoryTest : public QelTest {
protected:
    HistoryTest() : history(DocumentHistory::Of(doc)), stack(history.Stack()) {}

    int Add(const std::string &label, const std::string &text, int angleMode = QEL_RADIANS)
    {
        const DefinitionOutcome made = CompileNewFunction(text, angleMode);
        EXPECT_TRUE(made.ok) << text;
        FunctionRecord record;
        record.label = label;
        record.text = text;
        record.handle = made.handle;
        history.Push(FunctionCommands::AddFunction(history, record));
        return made.handle;
    }

    // Three functions with settings of their own, saved.
    void ThreeSaved()
    {
        Add("waves", "z(x,y,t)=sin(x+t)*y");
        Add("ball", "r(alpha,beta)=2", QEL_DEGREES);
        Add("ramp", "y(x,z)=x+z");
        history.Push(FunctionCommands::ChangeRange(history, 0, "t", -1, 1));
        history.Push(FunctionCommands::ChangeColor(history, 1, 2, 0x123456));
        history.Push(FunctionCommands::ChangeMode(history, 2, ChessBoard));
        ASSERT_TRUE(doc.Save(dir.filePath("three.vxf")));
    }

    QTemporaryDir dir;
    CVeltrix2Doc doc;
    DocumentHistory &history;
    QUndoStack &stack;
};

TEST_F(HistoryTest, UndoingBackToTheSavedStateClearsModified)
{
    ThreeSaved();
    EXPECT_FALSE(doc.IsModified());
    history.Push(FunctionCommands::ToggleVisible(history, 0));
    EXPECT_TRUE(doc.IsModified());
    stack.undo();
    EXPECT_FALSE(doc.IsModified());
    stack.undo();   // behind the save is modified too
    EXPECT_TRUE(doc.IsModified());
    stack.redo();
    EXPECT_FALSE(doc.IsModified());

    // A change the history does not keep (the camera) stays until saved.
    doc.SetModifiedFlag(true);
    history.Push(FunctionCommands::ChangeSteps(history, 0, "x", 3));
    stack.undo();
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Save(dir.filePath("three.vxf")));
    EXPECT_FALSE(doc.IsModified());

    // Undoing past the save and doing something else leaves no way back to
    // the saved state.
    stack.undo();
    history.Push(FunctionCommands::EditLabel(history, 1, "sphere"));
    stack.undo();
    stack.redo();
    EXPECT_FALSE(stack.isClean());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(HistoryTest, NewAndOpenStartAnEmptyHistory)
{
    ThreeSaved();
    history.Push(FunctionCommands::DeleteFunction(history, 1));
    doc.NewDocument();
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(doc.IsModified());

    Add("f", "z(x,y)=x");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Open(dir.filePath("three.vxf")), ReadOutcome::Ok);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(stack.canUndo());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Count(), 3);
}

// The file a user saves after deleting and undoing is the file saved before.
TEST_F(HistoryTest, DeleteThenUndoGivesBackTheSameFile)
{
    ThreeSaved();
    const std::string saved = ReadAll(dir.filePath("three.vxf"));
    const DocumentState before = DocumentState::Of(doc);
    for (int position : {1, 0, 2}) {
        history.Push(FunctionCommands::DeleteFunction(history, position));
        EXPECT_EQ(doc.Count(), 2);
        stack.undo();
        EXPECT_EQ(DocumentState::Of(doc), before) << "position " << position;
    }
    history.Push(FunctionCommands::DeleteFunction(history, 2));
    history.Push(FunctionCommands::DeleteFunction(history, 0));
    stack.undo();
    stack.undo();
    EXPECT_EQ(DocumentState::Of(doc), before);
    ASSERT_TRUE(doc.Save(dir.filePath("again.vxf")));
    EXPECT_EQ(ReadAll(dir.filePath("again.vxf")), saved);
}

// A slot taken behind the history's back: the function comes back under
// another handle, and the commands around it still find it by its place.
TEST_F(HistoryTest, FunctionBackUnderAnotherHandleIsStillFoundByItsPlace)
{
    Add("f", "z(x,y,a)=x*a");
    Add("g", "z(x,y)=y");
    history.Push(FunctionCommands::ChangeValue(history, 0, "a", 4));
    history.Push(FunctionCommands::DeleteFunction(history, 0));
    const int32_t foreign = new_function();
    EXPECT_EQ(foreign, 0);
    stack.undo();
    ASSERT_EQ(doc.Count(), 2);
    const int32_t back = doc.Get(0).handle;
    EXPECT_NE(back, foreign);
    EXPECT_EQ(doc.Get(0).label, "f");
    VariableRecord a{};
    ASSERT_EQ(get_function_variable(back, "a", &a), 1);
    EXPECT_EQ(a.value, 4);
    stack.undo();
    ASSERT_EQ(get_function_variable(back, "a", &a), 1);
    EXPECT_EQ(a.value, 0);
    EXPECT_NE(is_function_initialized(foreign), -2);   // not touched
}

// A new range keeps a value that lies within it, both ends included; a
// value outside it starts again at the new minimum.
TEST_F(HistoryTest, ANewRangeKeepsAValueWithinItEndsIncluded)
{
    Add("f", "z(x,y,a)=x*a");
    const struct {
        double value, min, max, after;
    } cases[] = {{3, -1, 3, 3}, {-1, -1, 3, -1}, {0.5, -1, 3, 0.5}, {4, -1, 3, -1}, {-2, -1, 3, -1}};
    for (const auto &c : cases) {
        history.Push(FunctionCommands::ChangeValue(history, 0, "a", c.value));
        history.Push(FunctionCommands::ChangeRange(history, 0, "a", c.min, c.max));
        VariableRecord a{};
        ASSERT_EQ(get_function_variable(doc.Get(0).handle, "a", &a), 1);
        EXPECT_EQ(a.value, c.after) << c.value << " in [" << c.min << ", " << c.max << "]";
    }
}

// The names are the menu's: an ampersand of a label is shown, not taken for
// a mnemonic.  Only undo and redo are announced, not the first doing.
TEST_F(HistoryTest, CommandsAreNamedAndOnlyReplaysAreAnnounced)
{
    QSignalSpy replays(&history, &DocumentHistory::ReplayStarting);
    Add("a&b", "z(x,y,t)=x*t");
    EXPECT_EQ(stack.undoText(), "Add function a&&b");
    EXPECT_EQ(stack.command(0)->text(), "Add function a&b");
    history.Push(FunctionCommands::ToggleVisible(history, 0));
    history.Push(FunctionCommands::ToggleVisible(history, 0));
    EXPECT_EQ(stack.undoText(), "Show a&&b");
    EXPECT_EQ(replays.count(), 0);
    stack.undo();
    stack.redo();
    EXPECT_EQ(replays.count(), 2);
}

}  // namespace
