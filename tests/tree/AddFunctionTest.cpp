#include <QTextCursor>

#include "ViewFixture.h"
#include "qel/qel.h"
#include "tree/TreePictures.h"

namespace {
struct Reopened {
    QString text;
    int selectionStart, selectionEnd;
    int angleMode;
};

Reopened Look(TextDialog &d)
{
    const QTextCursor cursor = d.Edit()->textCursor();
    int checked = -1;
    for (int mode = 0; mode < 3; ++mode)
        if (d.AngleButton(mode)->isChecked())
            checked = mode;
    return {d.Edit()->toPlainText(), cursor.selectionStart(), cursor.selectionEnd(), checked};
}
}  // namespace

TEST_F(ViewTest, AddedFunctionAppearsWithItsWholeSubtree)
{
    ScriptAdd(QStringLiteral("waves"), QStringLiteral("z(x,y)=cosx*siny"));
    view.Actions().addFunction->trigger();

    ASSERT_EQ(doc.Count(), 1);
    const FunctionRecord record = doc.Get(0);
    EXPECT_EQ(record.label, "waves");
    EXPECT_EQ(record.text, "z(x,y)=cosx*siny");
    EXPECT_EQ(record.visible, 1);
    EXPECT_EQ(record.color1, 0xFFFFFFu);
    EXPECT_EQ(record.color2, 0u);
    EXPECT_EQ(record.mode, 0);
    EXPECT_EQ(get_function_angle_mode(record.handle), QEL_RADIANS);
    EXPECT_TRUE(doc.IsModified());

    CColorTreeCtrl *tree = view.Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *function = tree->topLevelItem(0);
    EXPECT_EQ(function->text(0), "waves");
    EXPECT_TRUE(tree->GetItemBold(function));
    EXPECT_EQ(tree->GetItemColor(function), QColor(255, 0, 0));
    EXPECT_FALSE(function->isExpanded());

    // Text, then mode; the text holds x and y (not e and pi) with range and steps.
    ASSERT_EQ(function->childCount(), 2);
    QTreeWidgetItem *text = function->child(0);
    EXPECT_EQ(text->text(0), "z(x,y)=cosx*siny");
    ASSERT_EQ(text->childCount(), 2);
    EXPECT_EQ(text->child(0)->text(0), "x = 0.");
    EXPECT_EQ(text->child(1)->text(0), "y = 0.");
    QTreeWidgetItem *x = text->child(0);
    ASSERT_EQ(x->childCount(), 2);
    EXPECT_EQ(x->child(0)->text(0), "[-5.,5.]");
    EXPECT_EQ(x->child(1)->text(0), "20");
    EXPECT_EQ(tree->GetItemColor(x->child(0)), QColor(0, 0, 255));
    EXPECT_EQ(tree->GetItemColor(x->child(1)), QColor(0, 0, 255));

    QTreeWidgetItem *mode = function->child(1);
    EXPECT_EQ(mode->text(0), "wire frame");
    ASSERT_EQ(mode->childCount(), 2);
    EXPECT_EQ(mode->child(0)->text(0), "(255,255,255)");
    EXPECT_EQ(mode->child(1)->text(0), "(0,0,0)");
    // White on the white tree would be invisible: it is written in the text colour.
    EXPECT_EQ(tree->GetItemColor(mode->child(0)), tree->palette().color(QPalette::Text));
    EXPECT_EQ(tree->GetItemColor(mode->child(1)), QColor(0, 0, 0));

    // One entry per item, each naming what it shows.
    EXPECT_EQ(view.Nodes().size(), 11u);
    EXPECT_EQ(view.FindNodeEntry(x->child(0))->kind, RangeNode);
    EXPECT_EQ(view.FindNodeEntry(x->child(0))->variable, "x");
    EXPECT_EQ(view.FindNodeEntry(mode->child(1))->kind, Color2Node);
}

TEST_F(ViewTest, AddRefusesEachBadDefinitionAndReopensWithTheFaultSelected)
{
    std::vector<Reopened> seen;
    auto typeAndLook = [this, &seen](const QString &typed) {
        prompter.Accept<TextDialog>([&seen, typed](TextDialog &d) {
            seen.push_back(Look(d));
            d.Edit()->setPlainText(typed);
        });
    };
    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->setText(QStringLiteral("f")); });
    typeAndLook(QStringLiteral("z (x,y)=x"));
    typeAndLook(QStringLiteral("w(x,y)=x"));
    typeAndLook(QStringLiteral("z(z,x)=x"));
    typeAndLook(QStringLiteral("z(x,e)=x"));
    typeAndLook(QStringLiteral("z(t)=t"));
    typeAndLook(QStringLiteral("z(x,x)=x"));
    typeAndLook(QStringLiteral("z(x,y)=x+"));
    typeAndLook(QStringLiteral("z(x,y)=x*y"));

    view.Actions().addFunction->trigger();

    EXPECT_EQ(prompter.MessageTexts(),
              QStringList({QStringLiteral("Syntax error"),
                           QStringLiteral("\"w\" is an unknown dependent variable: use only \"x\" ,\"y\" ,\"z\" ,\"r\", "
                                          "alpha\" or \"beta\""),
                           QStringLiteral("\"z\" is a dependent o an independent variable?"),
                           QStringLiteral("Do not use \"e\" or \"pi\" as variable name"),
                           QStringLiteral("The variable \"z\" doesn't depend from \"x\" or \"y\""),
                           QStringLiteral("The variable \"x\" is duplicated"), QStringLiteral("Syntax error")}));
    for (const auto &message : prompter.messages) {
        EXPECT_EQ(message.title, "Error");
        EXPECT_EQ(message.icon, QMessageBox::Critical);
    }

    ASSERT_EQ(seen.size(), 8u);
    // First opening: empty, caret at the start, radians.
    EXPECT_EQ(seen[0].text, "");
    EXPECT_EQ(seen[0].angleMode, 1);
    // Each reopening shows the refused text with the faulty part marked.
    EXPECT_EQ(seen[1].text, "z (x,y)=x");
    EXPECT_EQ(seen[1].selectionStart, 2);
    EXPECT_EQ(seen[1].selectionEnd, 2);
    EXPECT_EQ(seen[2].selectionStart, 0);
    EXPECT_EQ(seen[2].selectionEnd, 1);
    EXPECT_EQ(seen[3].text, "z(z,x)=x");
    EXPECT_EQ(seen[3].selectionEnd, 1);
    EXPECT_EQ(seen[7].text, "z(x,y)=x+");
    EXPECT_EQ(seen[7].selectionStart, 9);
    EXPECT_EQ(seen[7].selectionEnd, 9);

    // Only the last, valid text made a function; the failed compile's
    // handle was given back.
    ASSERT_EQ(doc.Count(), 1);
    EXPECT_EQ(doc.Get(0).text, "z(x,y)=x*y");
    EXPECT_EQ(doc.Get(0).handle, 0);
    EXPECT_EQ(view.Tree()->topLevelItemCount(), 1);
}

// Curves, surfaces and cylinders go through the same dialogs; their
// refusals point at the fault, and their sampled parameters run over a full
// turn in the unit chosen.
TEST_F(ViewTest, AddTakesCurvesSurfacesAndCylindersAndPointsAtTheirFaults)
{
    std::vector<Reopened> seen;
    auto typeAndLook = [this, &seen](const QString &typed, int unit = -1) {
        prompter.Accept<TextDialog>([&seen, typed, unit](TextDialog &d) {
            seen.push_back(Look(d));
            d.Edit()->setPlainText(typed);
            if (unit >= 0)
                d.AngleButton(unit)->click();
        });
    };
    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->setText(QStringLiteral("torus")); });
    typeAndLook(QStringLiteral("(x,y,z)(u,v)=(u,v)"));
    typeAndLook(QStringLiteral("(x,y,w)(u,v)=(u,v,u)"));
    typeAndLook(QStringLiteral("(x,y,z)(u,v)=(cos(u),sin(u),v*)"));
    typeAndLook(QStringLiteral("(x,y,z)(u,v)=(cos(u)*(2+cos(v)), sin(u)*(2+cos(v)), sin(v))"), QEL_DEGREES);
    view.Actions().addFunction->trigger();

    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith(QStringLiteral("Write three expressions in parentheses")));
    EXPECT_TRUE(prompter.messages[1].text.startsWith(QStringLiteral("The coordinates of a curve or surface")));
    EXPECT_EQ(prompter.messages[2].text, QStringLiteral("Syntax error"));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[1].selectionStart, 17);   // before the ')' where the third is due
    EXPECT_EQ(seen[1].selectionEnd, 17);
    EXPECT_EQ(seen[2].selectionStart, 5);    // the w
    EXPECT_EQ(seen[2].selectionEnd, 6);
    EXPECT_EQ(seen[3].selectionStart, 30);   // the ) after v*
    EXPECT_EQ(seen[3].selectionEnd, 30);

    ASSERT_EQ(doc.Count(), 1);
    const int32_t torus = doc.Get(0).handle;
    EXPECT_EQ(NodeText(torus, VariableNode, "u"), "u = 0.");
    EXPECT_EQ(NodeText(torus, RangeNode, "u"), "[0.,360.]");
    EXPECT_EQ(NodeText(torus, StepsNode, "v"), "20");
    EXPECT_EQ(Node(torus, VariableNode, "e"), nullptr);

    ScriptAdd(QStringLiteral("helix"), QStringLiteral("(x,y,z)(t)=(cos(t), sin(t), t/5)"));
    ScriptAdd(QStringLiteral("cylinder"), QStringLiteral("rho(theta,z)=2"));
    view.Actions().addFunction->trigger();
    view.Actions().addFunction->trigger();
    ASSERT_EQ(doc.Count(), 3);
    EXPECT_EQ(NodeText(doc.Get(1).handle, RangeNode, "t"), "[0.,6.283185308]");
    EXPECT_EQ(NodeText(doc.Get(1).handle, StepsNode, "t"), "100");
    EXPECT_EQ(NodeText(doc.Get(2).handle, RangeNode, "theta"), "[0.,6.283185308]");
    EXPECT_EQ(NodeText(doc.Get(2).handle, RangeNode, "z"), "[-5.,5.]");
}

TEST_F(ViewTest, AddEndsOnCancelOrABadLabel)
{
    prompter.Cancel<LabelDialog>();
    view.Actions().addFunction->trigger();
    EXPECT_EQ(prompter.runs, 1);

    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->clear(); });
    view.Actions().addFunction->trigger();
    EXPECT_EQ(prompter.MessageTexts(),
              QStringList{QStringLiteral("The number of characters in a label has to be between 0 and 80")});
    EXPECT_EQ(prompter.runs, 2);   // the text dialog never opened

    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->setText(QStringLiteral("f")); });
    prompter.Accept<TextDialog>([](TextDialog &d) { d.Edit()->setPlainText(QStringLiteral("z(x,y)=x+")); });
    prompter.Cancel<TextDialog>();
    view.Actions().addFunction->trigger();

    EXPECT_EQ(doc.Count(), 0);
    EXPECT_EQ(view.Tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(new_function(), 0);   // nothing kept a handle
}

TEST_F(ViewTest, AngleUnitChosenInTheDialogShapesSphericalRanges)
{
    prompter.Accept<LabelDialog>([](LabelDialog &d) { d.Edit()->setText(QStringLiteral("ball")); });
    prompter.Accept<TextDialog>([](TextDialog &d) {
        d.Edit()->setPlainText(QStringLiteral("r(alpha,beta)=1"));
        d.AngleButton(0)->click();
    });
    view.Actions().addFunction->trigger();
    ASSERT_EQ(doc.Count(), 1);
    const int32_t h = doc.Get(0).handle;
    EXPECT_EQ(get_function_angle_mode(h), QEL_DEGREES);
    EXPECT_EQ(NodeText(h, RangeNode, "alpha"), "[0.,360.]");
    EXPECT_EQ(NodeText(h, RangeNode, "beta"), "[-90.,90.]");
}
