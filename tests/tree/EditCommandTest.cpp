// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QSignalSpy>
#include <QTextCursor>

#include "ViewFixture.h"
#include "qel/qel.h"
#include "tree/ModeDialog.h"
#include "tree/PictureButton.h"
#include "tree/RangeDialog.h"
#include "tree/StepsDialog.h"
#include "tree/ValueDialog.h"

TEST_F(ViewTest, EditedTextKeepsTheSurvivingVariablesSettings)
{
    const int32_t h = AddDirect("f", "z(x,y)=x+y");
    modify_function_variable(h, VariableRecord{"x", 1.5, -1, 2, 7});
    view.FillTree();
    doc.SetModifiedFlag(false);

    QString shown;
    int caret = -1, angle = -1;
    Select(h, TextNode);
    prompter.Accept<TextDialog>([&](TextDialog &d) {
        shown = d.Edit()->toPlainText();
        caret = d.Edit()->textCursor().position();
        angle = d.AngleButton(1)->isChecked() ? 1 : 0;
        d.Edit()->setPlainText(QStringLiteral("z(x,t)=x+t"));
    });
    view.Actions().editText->trigger();

    EXPECT_EQ(shown, "z(x,y)=x+y");
    EXPECT_EQ(caret, 10);
    EXPECT_EQ(angle, 1);
    EXPECT_EQ(doc.Get(0).text, "z(x,t)=x+t");
    EXPECT_TRUE(doc.IsModified());
    const VariableRecord x = Variable(h, "x");
    EXPECT_EQ(x.min, -1);
    EXPECT_EQ(x.max, 2);
    EXPECT_EQ(x.steps, 7);
    EXPECT_EQ(x.value, 1.5);
    const VariableRecord t = Variable(h, "t");
    EXPECT_EQ(t.min, -5);
    EXPECT_EQ(t.max, 5);
    EXPECT_EQ(t.steps, 20);

    // The text node shows the new definition, its variables in the
    // library's order; the re-made range and steps carry no colour of their own.
    QTreeWidgetItem *text = Node(h, TextNode)->item;
    EXPECT_EQ(text->text(0), "z(x,t)=x+t");
    ASSERT_EQ(text->childCount(), 2);
    EXPECT_EQ(text->child(0)->text(0), "x = 1.5");
    EXPECT_EQ(text->child(1)->text(0), "t = 0.");
    EXPECT_EQ(text->child(0)->child(0)->text(0), "[-1.,2.]");
    EXPECT_FALSE(view.Tree()->GetItemColor(text->child(0)->child(0)).isValid());
    EXPECT_EQ(Node(h, VariableNode, "y"), nullptr);
    EXPECT_EQ(view.Nodes().size(), 11u);
}

// Two equal names are refused by Edit text as by Add Function: the same
// message, and the dialog opens again with the text and selection the add
// flow gives it.
TEST_F(ViewTest, EditRefusesDuplicatedNamesAsAddDoes)
{
    struct Look {
        QString text;
        int start = -1, end = -1;
    };
    auto look = [](TextDialog &d) {
        const QTextCursor cursor = d.Edit()->textCursor();
        return Look{d.Edit()->toPlainText(), cursor.selectionStart(), cursor.selectionEnd()};
    };
    Look added, edited;
    ScriptAdd(QStringLiteral("f"), QStringLiteral("z(x,x)=x"));
    prompter.Cancel<TextDialog>([&](TextDialog &d) { added = look(d); });
    view.Actions().addFunction->trigger();
    ASSERT_EQ(prompter.MessageTexts(), QStringList{QStringLiteral("The variable \"x\" is duplicated")});
    ASSERT_EQ(doc.Count(), 0);

    const int32_t h = AddDirect("g", "z(x,y,a)=x*a");
    modify_function_variable(h, VariableRecord{"a", 2, 0, 4, 9});
    doc.SetModifiedFlag(false);
    Select(h, TextNode);
    prompter.Accept<TextDialog>([](TextDialog &d) { d.Edit()->setPlainText(QStringLiteral("z(x,x)=x")); });
    prompter.Accept<TextDialog>([&](TextDialog &d) {
        edited = look(d);
        d.Edit()->setPlainText(QStringLiteral("z(a,x,a)=x*a"));
    });
    prompter.Cancel<TextDialog>();
    view.Actions().editText->trigger();

    EXPECT_EQ(prompter.MessageTexts(), QStringList({QStringLiteral("The variable \"x\" is duplicated"),
                                                    QStringLiteral("The variable \"x\" is duplicated"),
                                                    QStringLiteral("The variable \"a\" is duplicated")}));
    EXPECT_EQ(edited.text, QStringLiteral("z(x,x)=x"));
    EXPECT_EQ(edited.text, added.text);
    EXPECT_EQ(edited.start, added.start);
    EXPECT_EQ(edited.end, added.end);
    // Nothing of the refused texts reached the function.
    EXPECT_EQ(doc.Get(0).text, "z(x,y,a)=x*a");
    EXPECT_EQ(Variable(h, "a").steps, 9);
    EXPECT_EQ(Node(h, TextNode)->item->childCount(), 3);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewTest, CancelAfterAFailedEditBringsTheOldFunctionBack)
{
    const int32_t h = AddDirect("f", "z(x,y,a)=x*a");
    modify_function_variable(h, VariableRecord{"a", 2, 0, 4, 9});
    Select(h, TextNode);
    prompter.Accept<TextDialog>([](TextDialog &d) { d.Edit()->setPlainText(QStringLiteral("z(x,y,a)=x*")); });
    prompter.Cancel<TextDialog>();
    view.Actions().editText->trigger();

    EXPECT_EQ(prompter.MessageTexts(), QStringList{QStringLiteral("Syntax error")});
    EXPECT_EQ(doc.Get(0).text, "z(x,y,a)=x*a");
    double result = 0;
    const double values[] = {3, 0, 2, 2.718281828, 3.141592654};
    EXPECT_EQ(execute_function(h, values, &result), 0);
    EXPECT_DOUBLE_EQ(result, 6);
    const VariableRecord a = Variable(h, "a");
    EXPECT_EQ(a.max, 4);
    EXPECT_EQ(a.steps, 9);
}

TEST_F(ViewTest, ValueDialogRefusesOutOfRangeAndAcceptsTheBounds)
{
    const int32_t h = AddDirect("f", "z(x,y,a)=x*a");
    doc.SetModifiedFlag(false);
    Select(h, VariableNode, "x");
    QString reopenedWith, range;
    prompter.Accept<ValueDialog>([&](ValueDialog &d) {
        range = d.RangeShown();
        d.Edit()->setText(QStringLiteral("5.5"));
    });
    prompter.Accept<ValueDialog>([&](ValueDialog &d) {
        reopenedWith = d.Edit()->text();
        d.Edit()->setText(QStringLiteral("5"));
    });
    QSignalSpy notified(&doc, &CVeltrix2Doc::ViewsNeedUpdate);
    view.Actions().editValue->trigger();

    EXPECT_EQ(prompter.MessageTexts(), QStringList{QStringLiteral("Out of range")});
    EXPECT_EQ(reopenedWith, "5.5");
    EXPECT_EQ(range, "x in [-5.,5.]");
    EXPECT_EQ(Variable(h, "x").value, 5);
    EXPECT_EQ(NodeText(h, VariableNode, "x"), "x = 5.");
    // x is a plotting variable of z: the surface does not change, but the
    // value is saved with the document.
    EXPECT_EQ(notified.count(), 0);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    Select(h, VariableNode, "a");
    prompter.Accept<ValueDialog>([](ValueDialog &d) { d.Edit()->setText(QStringLiteral("-5")); });
    view.Actions().editValue->trigger();
    EXPECT_EQ(Variable(h, "a").value, -5);
    ASSERT_EQ(notified.count(), 1);
    EXPECT_EQ(notified.at(0).at(1).toInt(), h);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, RangeDialogRefusesReversedBoundsAndMovesTheValueInside)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    doc.SetModifiedFlag(false);
    Select(h, RangeNode, "y");
    QString reopenedMin, reopenedMax;
    prompter.Accept<RangeDialog>([](RangeDialog &d) {
        d.MinEdit()->setText(QStringLiteral("3"));
        d.MaxEdit()->setText(QStringLiteral("1"));
    });
    prompter.Accept<RangeDialog>([&](RangeDialog &d) {
        reopenedMin = d.MinEdit()->text();
        reopenedMax = d.MaxEdit()->text();
        d.MinEdit()->setText(QStringLiteral("1"));
        d.MaxEdit()->setText(QStringLiteral("3"));
    });
    QSignalSpy notified(&doc, &CVeltrix2Doc::ViewsNeedUpdate);
    view.Actions().editRange->trigger();

    EXPECT_EQ(prompter.MessageTexts(),
              QStringList{QStringLiteral("The value \"max\" must be greater or equal than the value \"min\"")});
    EXPECT_EQ(reopenedMin, "3");
    EXPECT_EQ(reopenedMax, "1");
    // The value 0 was outside [1, 3]: it goes to the minimum, not the maximum.
    const VariableRecord y = Variable(h, "y");
    EXPECT_EQ(y.min, 1);
    EXPECT_EQ(y.max, 3);
    EXPECT_EQ(y.value, 1);
    EXPECT_EQ(NodeText(h, RangeNode, "y"), "[1.,3.]");
    EXPECT_EQ(NodeText(h, VariableNode, "y"), "y = 1.");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(notified.count(), 1);
    EXPECT_EQ(notified.at(0).at(1).toInt(), -1);

    // A value inside the new range stays; min = max is a range too.
    modify_function_variable(h, VariableRecord{"x", 2.5, -5, 5, 20});
    Select(h, RangeNode, "x");
    prompter.Accept<RangeDialog>([](RangeDialog &d) {
        d.MinEdit()->setText(QStringLiteral("2"));
        d.MaxEdit()->setText(QStringLiteral("4"));
    });
    view.Actions().editRange->trigger();
    EXPECT_EQ(Variable(h, "x").value, 2.5);
    prompter.Accept<RangeDialog>([](RangeDialog &d) {
        d.MinEdit()->setText(QStringLiteral("-7"));
        d.MaxEdit()->setText(QStringLiteral("-7"));
    });
    view.Actions().editRange->trigger();
    EXPECT_EQ(Variable(h, "x").value, -7);
    EXPECT_EQ(Variable(h, "x").max, -7);
}

TEST_F(ViewTest, StepsDialogRefusesNonPositiveCounts)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    doc.SetModifiedFlag(false);
    Select(h, StepsNode, "x");
    for (const char *typed : {"0", "-3", "7"})
        prompter.Accept<StepsDialog>([typed](StepsDialog &d) { d.Edit()->setText(QString::fromLatin1(typed)); });
    QSignalSpy notified(&doc, &CVeltrix2Doc::ViewsNeedUpdate);
    view.Actions().editSteps->trigger();

    EXPECT_EQ(prompter.MessageTexts(), QStringList({QStringLiteral("Insert a value grater than 0"),
                                                    QStringLiteral("Insert a value grater than 0")}));
    EXPECT_EQ(Variable(h, "x").steps, 7);
    EXPECT_EQ(Variable(h, "y").steps, 20);
    EXPECT_EQ(NodeText(h, StepsNode, "x"), "7");
    // The drawing changes with the grid: the views are told, once, and the
    // steps are saved with the document.
    ASSERT_EQ(notified.count(), 1);
    EXPECT_EQ(notified.at(0).at(1).toInt(), -1);
    EXPECT_TRUE(doc.IsModified());
}

// Steps whose grid could never be drawn are refused in the dialog, which
// says how many the variable may have.
TEST_F(ViewTest, StepsDialogRefusesGridsTooLargeToDraw)
{
    const int32_t h = AddDirect("f", "z(x,y,a)=x*a");
    modify_function_variable(h, VariableRecord{"y", 0, -5, 5, 100000});
    Select(h, StepsNode, "x");
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("100000")); });
    QString reopened;
    prompter.Accept<StepsDialog>([&reopened](StepsDialog &d) {
        reopened = d.Edit()->text();
        d.Edit()->setText(QStringLiteral("9"));   // 10 x 100001 points: the most there may be
    });
    view.Actions().editSteps->trigger();
    ASSERT_EQ(prompter.MessageTexts().size(), 1);
    const QString message = prompter.MessageTexts().at(0);
    EXPECT_TRUE(message.contains("100001 x 100001 points")) << message.toStdString();
    EXPECT_TRUE(message.contains("1048576")) << message.toStdString();
    EXPECT_TRUE(message.contains("\"x\" can have at most 9 steps")) << message.toStdString();
    EXPECT_EQ(prompter.messages.at(0).title, "Error");
    EXPECT_EQ(reopened, "100000");
    EXPECT_EQ(Variable(h, "x").steps, 9);

    // The largest grid is accepted, one step more is not.
    modify_function_variable(h, VariableRecord{"y", 0, -5, 5, 20});
    prompter.messages.clear();
    Select(h, StepsNode, "x");
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("49932")); });
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("49931")); });
    view.Actions().editSteps->trigger();
    ASSERT_EQ(prompter.MessageTexts().size(), 1);
    EXPECT_TRUE(prompter.MessageTexts().at(0).contains("at most 49931 steps")) << prompter.MessageTexts().at(0).toStdString();
    EXPECT_EQ(Variable(h, "x").steps, 49931);

    // A parameter is not drawn over: any number of steps.
    prompter.messages.clear();
    Select(h, StepsNode, "a");
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("2000000000")); });
    view.Actions().editSteps->trigger();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Variable(h, "a").steps, 2000000000);

    // While y alone is too many, x can have no number of steps.
    modify_function_variable(h, VariableRecord{"y", 0, -5, 5, 1 << 20});
    Select(h, StepsNode, "x");
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("1")); });
    prompter.Cancel<StepsDialog>();
    view.Actions().editSteps->trigger();
    ASSERT_EQ(prompter.MessageTexts().size(), 1);
    EXPECT_TRUE(prompter.MessageTexts().at(0).contains("reduce the steps of \"y\" first"))
        << prompter.MessageTexts().at(0).toStdString();
    EXPECT_EQ(Variable(h, "x").steps, 49931);
}

// A function drawn over one variable: its grid is one point wide.
TEST_F(ViewTest, StepsOfAFunctionOfOneVariableMayReachTheWholeGrid)
{
    const int32_t h = AddDirect("f", "z(x,t)=x*t");
    Select(h, StepsNode, "x");
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("1048576")); });
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("1048575")); });
    view.Actions().editSteps->trigger();
    ASSERT_EQ(prompter.MessageTexts().size(), 1);
    EXPECT_TRUE(prompter.MessageTexts().at(0).contains("a grid of 1048577 points")) << prompter.MessageTexts().at(0).toStdString();
    EXPECT_TRUE(prompter.MessageTexts().at(0).contains("\"x\" can have at most 1048575 steps"));
    EXPECT_EQ(Variable(h, "x").steps, 1048575);
}

TEST_F(ViewTest, CancelledDialogsChangeNothing)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    doc.SetModifiedFlag(false);
    Select(h, VariableNode, "x");
    prompter.Cancel<ValueDialog>([](ValueDialog &d) { d.Edit()->setText(QStringLiteral("1")); });
    view.Actions().editValue->trigger();
    Select(h, RangeNode, "x");
    prompter.Cancel<RangeDialog>([](RangeDialog &d) { d.MinEdit()->setText(QStringLiteral("1")); });
    view.Actions().editRange->trigger();
    Select(h, ModeNode);
    prompter.steps.push_back([](QDialog &dialog) {
        auto &d = dynamic_cast<ModeDialog &>(dialog);
        d.show();
        d.ModeButton(1)->click();
        d.reject();
        return false;
    });
    view.Actions().changeMode->trigger();

    EXPECT_EQ(Variable(h, "x").min, -5);
    EXPECT_EQ(Variable(h, "x").value, 0);
    EXPECT_EQ(doc.Get(0).mode, 0);
    EXPECT_EQ(NodeText(h, ModeNode), "wire frame");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewTest, ModeAndColorChangesReachRecordAndNode)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    Select(h, ModeNode);
    prompter.Accept<ModeDialog>([](ModeDialog &d) { d.ModeButton(2)->click(); });
    view.Actions().changeMode->trigger();
    EXPECT_EQ(doc.Get(0).mode, 2);
    EXPECT_EQ(NodeText(h, ModeNode), "chess board");

    Select(h, Color2Node);
    prompter.colors.push_back(QColor(255, 0, 0));
    emit view.Tree()->LeftButtonDoubleClicked();   // double-click edits a colour node
    ASSERT_EQ(prompter.colorRequests.size(), 1u);
    EXPECT_EQ(prompter.colorRequests[0], QColor(0, 0, 0));
    EXPECT_EQ(doc.Get(0).color2, 0x0000FFu);
    EXPECT_EQ(NodeText(h, Color2Node), "(255,0,0)");
    EXPECT_EQ(view.Tree()->GetItemColor(Node(h, Color2Node)->item), QColor(255, 0, 0));
}

TEST_F(ViewTest, LabelEditRefusesAnEmptyLabelWithoutReopening)
{
    const int32_t h = AddDirect("old", "z(x,y)=x");
    Select(h, FunctionNode);
    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->clear(); });
    view.Actions().editLabel->trigger();
    EXPECT_EQ(prompter.runs, 1);
    EXPECT_EQ(prompter.MessageTexts(),
              QStringList{QStringLiteral("The number of characters in a label has to be between 0 and 80")});
    EXPECT_EQ(doc.Get(0).label, "old");

    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->setText(QString(80, QLatin1Char('n'))); });
    view.Actions().editLabel->trigger();
    EXPECT_EQ(doc.Get(0).label, std::string(80, 'n'));
    EXPECT_EQ(NodeText(h, FunctionNode), QString(80, QLatin1Char('n')));
}

// Labels and definitions are Windows-1252 bytes in the document: what a file
// holds shows as its characters, and typographic characters typed in a
// dialog reach the document as their codes.
TEST_F(ViewTest, TextsCrossBetweenTreeAndDocumentInTheDocumentCodePage)
{
    const int32_t h = AddDirect("Price \x80", "z(x,y)=x");
    EXPECT_EQ(NodeText(h, FunctionNode), QString::fromUtf8("Price \u20ac"));

    Select(h, FunctionNode);
    QString shown;
    prompter.Accept<LabelDialog>([&shown](LabelDialog &d) {
        shown = d.Edit()->text();
        d.Edit()->setText(QString::fromUtf8("caf\u00e9 \u2014 \u20ac"));
    });
    view.Actions().editLabel->trigger();
    EXPECT_EQ(shown, QString::fromUtf8("Price \u20ac"));
    EXPECT_EQ(doc.Get(0).label, "caf\xe9 \x97 \x80");
    EXPECT_EQ(NodeText(h, FunctionNode), QString::fromUtf8("caf\u00e9 \u2014 \u20ac"));
}
