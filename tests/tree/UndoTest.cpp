// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Undo and redo of every edit the tree offers, the tree's keys, and long
// random runs of edits, undos and redos checked against a model.
#include <random>

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include "../history/DocumentState.h"
#include "TreeDump.h"
#include "ViewFixture.h"
#include "history/DocumentHistory.h"
#include "history/FunctionCommands.h"
#include "qel/qel.h"
#include "tree/ModeDialog.h"
#include "tree/PictureButton.h"
#include "tree/RangeDialog.h"
#include "tree/StepsDialog.h"
#include "tree/ValueDialog.h"

namespace {

class UndoTest : public ViewTest {
protected:
    struct Seen {
        DocumentState document;
        std::string tree;
        int usedSlots;
        bool operator==(const Seen &o) const { return document == o.document && tree == o.tree && usedSlots == o.usedSlots; }
    };

    Seen Now() const
    {
        int used = 0;
        for (int32_t h = 0; h < 100; ++h)
            used += is_function_initialized(h) != -2;
        return {DocumentState::Of(doc), TreeDump(view), used};
    }
    int32_t HandleAt(int position) const { return doc.Get(position).handle; }

    DocumentHistory &history = DocumentHistory::Of(doc);
    QUndoStack &stack = history.Stack();
};

TEST_F(UndoTest, EveryEditOfTheTreeIsUndoneAndRedoneExactly)
{
    AddDirect("waves", "z(x,y,t)=sin(x+t)*y");
    AddDirect("ball", "r(alpha,beta)=2");
    modify_function_variable(HandleAt(0), VariableRecord{"t", 2, 0, 4, 8});
    view.FillTree();
    doc.SetModifiedFlag(false);

    const std::vector<std::pair<const char *, std::function<void()>>> edits = {
        {"Add function ramp",
         [&] {
             ScriptAdd(QStringLiteral("ramp"), QStringLiteral("y(x,z)=x*z"));
             view.Actions().addFunction->trigger();
         }},
        {"Edit label of waves",
         [&] {
             Select(HandleAt(0), FunctionNode);
             prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->setText(QStringLiteral("sea")); });
             view.Actions().editLabel->trigger();
         }},
        {"Edit text of sea",
         [&] {
             Select(HandleAt(0), TextNode);
             prompter.Accept<TextDialog>([](TextDialog &d) {
                 d.Edit()->setPlainText(QStringLiteral("z(x,t,b)=x*t+b"));
                 d.AngleButton(QEL_DEGREES)->click();
             });
             view.Actions().editText->trigger();
         }},
        {"Change value of b",
         [&] {
             Select(HandleAt(0), VariableNode, "b");
             prompter.Accept<ValueDialog>([](ValueDialog &d) { d.Edit()->setText(QStringLiteral("2")); });
             view.Actions().editValue->trigger();
         }},
        {"Change range of t",
         [&] {
             Select(HandleAt(0), RangeNode, "t");
             prompter.Accept<RangeDialog>([](RangeDialog &d) {
                 d.MinEdit()->setText(QStringLiteral("3"));
                 d.MaxEdit()->setText(QStringLiteral("6"));
             });
             view.Actions().editRange->trigger();
         }},
        {"Change steps of x",
         [&] {
             Select(HandleAt(0), StepsNode, "x");
             prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("7")); });
             view.Actions().editSteps->trigger();
         }},
        {"Change mode of ball",
         [&] {
             Select(HandleAt(1), ModeNode);
             prompter.Accept<ModeDialog>([](ModeDialog &d) { d.ModeButton(3)->click(); });
             view.Actions().changeMode->trigger();
         }},
        {"Change colour 1 of ball",
         [&] {
             Select(HandleAt(1), Color1Node);
             prompter.colors.push_back(QColor(10, 20, 30));
             view.Actions().changeColor->trigger();
         }},
        {"Change colour 2 of ramp",
         [&] {
             Select(HandleAt(2), Color2Node);
             prompter.colors.push_back(QColor(200, 0, 100));
             emit view.Tree()->LeftButtonDoubleClicked();
         }},
        {"Hide ball",
         [&] {
             Select(HandleAt(1), FunctionNode);
             view.Actions().visible->trigger();
         }},
        {"Delete function sea",
         [&] {
             Select(HandleAt(0), FunctionNode);
             view.Actions().deleteFunction->trigger();
         }},
    };
    for (const auto &[text, edit] : edits) {
        SCOPED_TRACE(text);
        const Seen before = Now();
        edit();
        const Seen after = Now();
        ASSERT_FALSE(after == before);
        EXPECT_EQ(stack.undoText(), text);
        EXPECT_TRUE(doc.IsModified());
        stack.undo();
        EXPECT_EQ(Now().document, before.document);
        EXPECT_EQ(Now().tree, before.tree);
        EXPECT_EQ(Now().usedSlots, before.usedSlots);
        stack.redo();
        EXPECT_EQ(Now().document, after.document);
        EXPECT_EQ(Now().tree, after.tree);
        EXPECT_EQ(Now().usedSlots, after.usedSlots);
    }
    EXPECT_EQ(TreeDump(view), ExpectedTree(doc));
    EXPECT_TRUE(prompter.messages.empty());
}

// The undone delete comes back at its place, under its old handle, with the
// function the library had.
TEST_F(UndoTest, UndoneDeleteComesBackWhereItWas)
{
    for (const char *label : {"a", "b", "c"})
        AddDirect(label, "z(x,y,k)=k*x");
    modify_function_variable(1, VariableRecord{"k", 3, -4, 4, 9});
    view.FillTree();
    view.Tree()->expandAll();
    const Seen before = Now();
    Select(1, FunctionNode);
    view.Actions().deleteFunction->trigger();
    EXPECT_EQ(view.Tree()->topLevelItemCount(), 2);
    stack.undo();
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(view.Tree()->topLevelItem(1)->text(0), "b");
    // Its entries are among the others in list order: a full check of the
    // tree against the document finds nothing to refill, which would fold
    // the others up.
    doc.UpdateAllViews(nullptr, -1);
    EXPECT_TRUE(view.Tree()->topLevelItem(0)->isExpanded());
    EXPECT_TRUE(view.Tree()->topLevelItem(2)->isExpanded());
}

class KeyTest : public UndoTest {
protected:
    void SetUp() override
    {
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        view.Tree()->setFocus();
    }
};

TEST_F(KeyTest, DelDeletesTheSelectedFunctionWithoutAskingAndF2EditsTheNode)
{
    AddDirect("keep", "z(x,y)=x");
    AddDirect("gone", "z(x,y)=y");
    Select(1, FunctionNode);
    QTest::keyClick(view.Tree(), Qt::Key_Delete);
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(stack.undoText(), "Delete function gone");
    EXPECT_TRUE(prompter.messages.empty());

    // On another node Del says what it needs, as the menu command does.
    Select(0, TextNode);
    QTest::keyClick(view.Tree(), Qt::Key_Delete);
    EXPECT_EQ(prompter.MessageTexts(), QStringList{QStringLiteral("Select a function label")});
    EXPECT_EQ(doc.Count(), 1);

    Select(0, FunctionNode);
    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->setText(QStringLiteral("kept")); });
    QTest::keyClick(view.Tree(), Qt::Key_F2);
    Select(0, TextNode);
    prompter.Accept<TextDialog>([](TextDialog &d) { d.Edit()->setPlainText(QStringLiteral("z(x,y)=2*x")); });
    QTest::keyClick(view.Tree(), Qt::Key_F2);
    EXPECT_EQ(doc.Get(0).label, "kept");
    EXPECT_EQ(doc.Get(0).text, "z(x,y)=2*x");
}

TEST_F(KeyTest, MenuKeyAndShiftF10OpenTheSelectedNodesMenu)
{
    AddDirect("f", "z(x,y)=x");
    QStringList shown;
    auto readAndClose = [&shown] {
        QTimer::singleShot(0, [&shown] {
            QStringList items;
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *a : menu->actions())
                    items << (a->isSeparator() ? QStringLiteral("-") : a->text());
                menu->close();
            }
            shown << items.join(QLatin1Char(','));
        });
    };
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        readAndClose();
        QTest::keyClick(view.Tree(), key, modifiers);
    };
    Select(0, FunctionNode);
    press(Qt::Key_Menu);
    Select(0, RangeNode, "x");
    press(Qt::Key_F10, Qt::ShiftModifier);
    view.Tree()->clearSelection();
    press(Qt::Key_Menu);
    EXPECT_EQ(shown.join(QLatin1Char('|')).toStdString(),
              "&Delete Function,&Visible,-,&Edit...|&Edit...|&Refresch,&Add Function...");
}

// Long runs of random edits, undos, redos and saves.  The model is the list
// of states the document went through: an undo must give back the one
// before, a redo the one after, the tree must show what the document and the
// library hold, the library must hold exactly the listed functions, and the
// document counts as modified exactly when it stands away from its save.
TEST_F(UndoTest, RandomEditsUndosAndRedosKeepEverythingConsistent)
{
    const char *definitions[] = {"z(x,y)=x*y", "z(x,y,a)=a*x+y", "r(alpha,beta)=1+beta",
                                 "x(y,z,k)=k*y*z", "y(x,z)=x-z", "z(x,t,y)=sin(x+t)*y",
                                 "beta(r,alpha)=r", "z(y,x,b,c)=b*x+c*y"};
    QTemporaryDir dir;
    const QString path = dir.filePath("run.vxf");
    std::mt19937 random(1234);
    auto below = [&random](int n) { return int(random() % unsigned(n)); };
    auto variableOf = [&](int position) {
        const std::vector<FunctionVariable> table = LibraryFunction(HandleAt(position)).Variables();
        return table.at(size_t(below(int(table.size()) - 2)));   // not e or pi
    };

    for (int run = 0; run < 200; ++run) {
        doc.NewDocument();
        std::vector<DocumentState> states{DocumentState::Of(doc)};
        size_t at = 0;
        long saved = 0;
        for (int step = 0; step < 24; ++step) {
            const int count = doc.Count();
            const int choice = below(16);
            SCOPED_TRACE(QStringLiteral("run %1 step %2 choice %3").arg(run).arg(step).arg(choice).toStdString());
            if (choice < 3 && at > 0) {
                stack.undo();
                --at;
            } else if (choice < 5 && at + 1 < states.size()) {
                stack.redo();
                ++at;
            } else if (choice == 5) {
                ASSERT_TRUE(doc.Save(path));
                saved = long(at);
            } else {
                const int position = count > 0 ? below(count) : -1;
                QUndoCommand *command = nullptr;
                if (count == 0 || (choice == 6 && count < 8)) {
                    const std::string text = definitions[below(8)];
                    const DefinitionOutcome made = CompileNewFunction(text, below(3));
                    ASSERT_TRUE(made.ok);
                    FunctionRecord record;
                    record.label = "f" + std::to_string(step);
                    record.text = text;
                    record.handle = made.handle;
                    command = FunctionCommands::AddFunction(history, record);
                } else if (choice == 7) {
                    command = FunctionCommands::DeleteFunction(history, position);
                } else if (choice == 8) {
                    const FunctionSnapshot before = FunctionSnapshot::Capture(HandleAt(position));
                    const std::string text = definitions[below(8)];
                    ASSERT_TRUE(RecompileFunction(HandleAt(position), text, below(3)).ok) << text;
                    command = FunctionCommands::EditText(history, position, before, text);
                } else if (choice == 9) {
                    const FunctionVariable v = variableOf(position);
                    command = FunctionCommands::ChangeValue(history, position, v.name, v.min + (v.max - v.min) / 3);
                } else if (choice == 10) {
                    const double min = below(10) - 5;
                    command = FunctionCommands::ChangeRange(history, position, variableOf(position).name, min,
                                                            min + below(4));
                } else if (choice == 11) {
                    command = FunctionCommands::ChangeSteps(history, position, variableOf(position).name, 1 + below(40));
                } else if (choice == 12) {
                    command = FunctionCommands::ChangeMode(history, position, below(4));
                } else if (choice == 13) {
                    command = FunctionCommands::ChangeColor(history, position, 1 + below(2), Color(random() & 0xFFFFFF));
                } else if (choice == 14) {
                    command = FunctionCommands::ToggleVisible(history, position);
                } else {
                    command = FunctionCommands::EditLabel(history, position, "g" + std::to_string(below(100)));
                }
                history.Push(command);
                states.resize(at + 1);
                if (saved > long(at))
                    saved = -1;   // the saved state can no longer be reached
                states.push_back(DocumentState::Of(doc));
                ++at;
            }
            ASSERT_EQ(DocumentState::Of(doc), states[at]);
            ASSERT_EQ(stack.index(), int(at));
            ASSERT_EQ(Now().usedSlots, doc.Count());
            ASSERT_EQ(TreeDump(view), ExpectedTree(doc));
            ASSERT_EQ(doc.IsModified(), long(at) != saved);
        }
    }
    doc.NewDocument();
    EXPECT_EQ(Now().usedSlots, 0);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_EQ(view.Tree()->topLevelItemCount(), 0);
}

}  // namespace
