// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QMenu>
#include <QSet>
#include <QSignalSpy>

#include "ViewFixture.h"
#include "qel/qel.h"
#include "tree/StepsDialog.h"
#include "tree/TreePictures.h"
#include "tree/ValueDialog.h"

namespace {
struct ItemState {
    QString text;
    bool enabled;
    bool checked;
    bool operator==(const ItemState &o) const { return text == o.text && enabled == o.enabled && checked == o.checked; }
};

std::ostream &operator<<(std::ostream &out, const ItemState &s)
{
    return out << s.text.toStdString() << (s.enabled ? "" : " (grey)") << (s.checked ? " (checked)" : "");
}

std::vector<ItemState> States(const QMenu &menu)
{
    std::vector<ItemState> states;
    for (QAction *action : menu.actions())
        if (!action->isSeparator())
            states.push_back({action->text(), action->isEnabled(), action->isChecked()});
    return states;
}

QImage IconImage(const QIcon &icon)
{
    return icon.pixmap(15, 14).toImage().convertToFormat(QImage::Format_ARGB32);
}
}  // namespace

TEST_F(ViewTest, VisibleFlipsTheRecordAndTheIcon)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    doc.SetModifiedFlag(false);
    QSignalSpy notified(&doc, &CVeltrix2Doc::ViewsNeedUpdate);
    Select(h, FunctionNode);
    view.Actions().visible->trigger();

    EXPECT_EQ(doc.Get(0).visible, 0);
    EXPECT_TRUE(doc.IsModified());
    QTreeWidgetItem *item = Node(h, FunctionNode)->item;
    const QVector<QPixmap> images = TreeImages();
    EXPECT_EQ(IconImage(item->icon(0)), images[1].toImage().convertToFormat(QImage::Format_ARGB32));
    // Everyone else hears of it: the 3D view has to redraw without it.
    ASSERT_FALSE(notified.isEmpty());
    EXPECT_EQ(notified.last().at(1).toInt(), -1);

    view.Actions().visible->trigger();
    EXPECT_EQ(doc.Get(0).visible, 1);
    EXPECT_EQ(IconImage(item->icon(0)), images[0].toImage().convertToFormat(QImage::Format_ARGB32));
}

TEST_F(ViewTest, DeletingTheSecondOfThreeKeepsTheOthersInOrder)
{
    const int32_t a = AddDirect("a", "z(x,y)=x");
    const int32_t b = AddDirect("b", "z(x,y)=y");
    const int32_t c = AddDirect("c", "z(x,y)=x*y");

    Select(b, TextNode);
    view.Actions().deleteFunction->trigger();
    EXPECT_EQ(prompter.MessageTexts(), QStringList{QStringLiteral("Select a function label")});
    EXPECT_EQ(doc.Count(), 3);

    Select(b, FunctionNode);
    view.Actions().deleteFunction->trigger();
    ASSERT_EQ(doc.Count(), 2);
    EXPECT_EQ(doc.Get(0).handle, a);
    EXPECT_EQ(doc.Get(1).handle, c);
    ASSERT_EQ(view.Tree()->topLevelItemCount(), 2);
    EXPECT_EQ(view.Tree()->topLevelItem(0)->text(0), "a");
    EXPECT_EQ(view.Tree()->topLevelItem(1)->text(0), "c");
    for (const TreeNodeEntry &entry : view.Nodes())
        EXPECT_NE(entry.function, b);
    EXPECT_EQ(view.Nodes().size(), 2 * 11u);
    // The nodes of the function before it still know their variables.
    Select(a, StepsNode, "x");
    prompter.Accept<StepsDialog>([](StepsDialog &d) { d.Edit()->setText(QStringLiteral("9")); });
    view.Actions().editSteps->trigger();
    EXPECT_EQ(Variable(a, "x").steps, 9);
    // The freed handle is the next one handed out.
    EXPECT_EQ(AddDirect("d", "z(x,y)=1+x"), b);
    EXPECT_EQ(view.Tree()->topLevelItem(2)->text(0), "d");
}

TEST_F(ViewTest, TracingRefusesDefinitionChangesButNotColors)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    const int32_t other = AddDirect("g", "z(x,y)=y");
    QSignalSpy bar(&view, &CVeltrix2View::TraceBarRequested);
    QSignalSpy trace(&view, &CVeltrix2View::TraceRequested);
    Select(h, TextNode);
    view.Actions().trace->trigger();
    ASSERT_TRUE(view.IsTracing());
    ASSERT_EQ(bar.count(), 1);
    EXPECT_TRUE(bar.at(0).at(0).toBool());
    ASSERT_EQ(trace.count(), 1);
    EXPECT_TRUE(trace.at(0).at(0).toBool());
    EXPECT_EQ(trace.at(0).at(1).toInt(), h);

    // Animation cannot start meanwhile.
    view.Actions().animate->trigger();
    EXPECT_FALSE(view.IsAnimating());

    // Del says in the status bar why it does nothing.
    QSignalSpy status(&view, &CVeltrix2View::StatusMessage);
    Select(other, FunctionNode);
    view.Actions().deleteFunction->trigger();
    for (QAction *key : view.actions())
        if (key->shortcuts().contains(QKeySequence(QKeySequence::Delete)))
            key->trigger();
    EXPECT_EQ(doc.Count(), 2);
    ASSERT_EQ(status.count(), 1);
    EXPECT_TRUE(status.at(0).at(0).toString().contains(QStringLiteral("close the trace first")));
    Select(h, VariableNode, "x");
    view.Actions().editValue->trigger();
    emit view.Tree()->LeftButtonDoubleClicked();
    Select(h, ModeNode);
    emit view.Tree()->LeftButtonDoubleClicked();
    EXPECT_EQ(prompter.runs, 0);

    Select(h, Color1Node);
    prompter.colors.push_back(QColor(0, 0, 255));
    emit view.Tree()->LeftButtonDoubleClicked();
    EXPECT_EQ(doc.Get(0).color1, 0xFF0000u);

    // Context menus grey what the flags forbid.
    Select(h, FunctionNode);
    auto menu = view.BuildContextMenu(view.Tree()->visualItemRect(Node(h, FunctionNode)->item).topLeft() + QPoint(20, 3));
    EXPECT_EQ(States(*menu), (std::vector<ItemState>{{"&Delete Function", false, false},
                                                     {"&Visible", true, true},
                                                     {"&Edit...", true, false}}));
    view.Tree()->expandAll();
    menu = view.BuildContextMenu(view.Tree()->visualItemRect(Node(h, TextNode)->item).topLeft() + QPoint(20, 3));
    EXPECT_EQ(States(*menu), (std::vector<ItemState>{{"&Edit...", false, false},
                                                     {"E&valuate", true, false},
                                                     {"&Trace", true, true},
                                                     {"&Animate", false, false}}));
    menu = view.BuildContextMenu(view.Tree()->visualItemRect(Node(other, TextNode)->item).topLeft() + QPoint(20, 3));
    EXPECT_EQ(States(*menu), (std::vector<ItemState>{{"&Edit...", false, false},
                                                     {"E&valuate", true, false},
                                                     {"&Trace", false, false},
                                                     {"&Animate", false, false}}));

    // Stopping makes Delete available again.
    Select(h, TextNode);
    view.Actions().trace->trigger();
    EXPECT_FALSE(view.IsTracing());
    EXPECT_FALSE(bar.last().at(0).toBool());
    Select(h, FunctionNode);
    view.Actions().deleteFunction->trigger();
    EXPECT_EQ(doc.Count(), 1);
}

TEST_F(ViewTest, AnimationMirrorsTraceAndResetForgetsBoth)
{
    const int32_t h = AddDirect("f", "z(x,y,a)=x*a");
    QSignalSpy animation(&view, &CVeltrix2View::AnimationRequested);
    Select(h, TextNode);
    view.Actions().animate->trigger();
    ASSERT_TRUE(view.IsAnimating());
    EXPECT_EQ(view.AnimatedFunction(), h);
    view.Actions().trace->trigger();
    EXPECT_FALSE(view.IsTracing());

    QMenu functions;
    view.PopulateFunctionsMenu(&functions);
    EXPECT_EQ(States(functions), (std::vector<ItemState>{{"&Refresh tree", true, false},
                                                         {"&Add Function...", true, false},
                                                         {"&Edit text...", false, false},
                                                         {"E&valuate", true, false},
                                                         {"&Trace", false, false},
                                                         {"A&nimate", true, true}}));
    view.ResetTraceState();
    EXPECT_FALSE(view.IsAnimating());
    EXPECT_EQ(animation.count(), 1);   // the reset tells nobody
}

TEST_F(ViewTest, FunctionsMenuFollowsTheSelectedNode)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    QMenu functions;
    view.PopulateFunctionsMenu(&functions);
    EXPECT_EQ(States(functions), (std::vector<ItemState>{{"&Refresh tree", true, false},
                                                         {"&Add Function...", true, false}}));
    Select(h, FunctionNode);
    view.PopulateFunctionsMenu(&functions);
    EXPECT_EQ(States(functions), (std::vector<ItemState>{{"&Refresh tree", true, false},
                                                         {"&Add Function...", true, false},
                                                         {"&Delete function", true, false},
                                                         {"&Edit label...", true, false},
                                                         {"&Visible", true, true}}));
    EXPECT_EQ(functions.actions().at(2)->isSeparator(), true);
    const char *expected[][2] = {{"&Edit value...", "x"}, {"&Edit range...", "x"}, {"&Edit steps...", "x"}};
    const TreeNodeKind kinds[] = {VariableNode, RangeNode, StepsNode};
    for (int i = 0; i < 3; ++i) {
        Select(h, kinds[i], expected[i][1]);
        view.PopulateFunctionsMenu(&functions);
        EXPECT_EQ(functions.actions().last()->text(), expected[i][0]);
    }
    Select(h, Color2Node);
    view.PopulateFunctionsMenu(&functions);
    EXPECT_EQ(functions.actions().last()->text(), "&Change color...");
    EXPECT_EQ(functions.actions().last()->statusTip(), "Change the color");
    EXPECT_EQ(functions.actions().at(1)->statusTip(), "Add a new function");

    // A menu item does what its command does.
    Select(h, FunctionNode);
    view.PopulateFunctionsMenu(&functions);
    functions.actions().last()->trigger();
    EXPECT_EQ(doc.Get(0).visible, 0);
}

TEST_F(ViewTest, RightClickOffALabelDeselectsAndOffersTheShortMenu)
{
    AddDirect("a label much longer than the other", "z(x,y)=y");   // the rows are as wide as this
    const int32_t h = AddDirect("f", "z(x,y)=x");
    QTreeWidgetItem *item = Node(h, FunctionNode)->item;
    const QRect row = view.Tree()->visualItemRect(item);
    auto menu = view.BuildContextMenu(row.topLeft() + QPoint(4, row.height() / 2));
    EXPECT_EQ(view.Tree()->currentItem(), item);
    EXPECT_EQ(States(*menu).size(), 3u);

    ASSERT_GT(row.right() - 5, view.Tree()->LabelAndIconRect(item).right()) << "no room right of the label";
    menu = view.BuildContextMenu(QPoint(row.right() - 5, row.center().y()));
    EXPECT_EQ(view.Tree()->currentItem(), nullptr);
    EXPECT_TRUE(view.Tree()->selectedItems().isEmpty());
    EXPECT_EQ(States(*menu), (std::vector<ItemState>{{"&Refresch", true, false}, {"&Add Function...", true, false}}));
}

TEST_F(ViewTest, NotificationWithAHandleRewritesThatFunctionsValues)
{
    const int32_t f = AddDirect("f", "z(x,y,a)=x*a");
    const int32_t g = AddDirect("g", "z(x,y,a)=x+a");
    modify_function_variable(f, VariableRecord{"a", 0.001, -5, 5, 20});
    modify_function_variable(g, VariableRecord{"a", 2, -5, 5, 20});
    doc.UpdateAllViews(nullptr, f);
    EXPECT_EQ(NodeText(f, VariableNode, "a"), "a = 1.e-003");
    EXPECT_EQ(NodeText(g, VariableNode, "a"), "a = 0.");

    // Its own notifications are not news to the tree.
    doc.UpdateAllViews(&view, g);
    EXPECT_EQ(NodeText(g, VariableNode, "a"), "a = 0.");

    // A document made new empties the tree.
    doc.NewDocument();
    EXPECT_EQ(view.Tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(view.Nodes().empty());
}

TEST_F(ViewTest, SelectFunctionNodeFollowsPicking)
{
    AddDirect("f", "z(x,y)=x");
    const int32_t g = AddDirect("g", "z(x,y)=y");
    view.SelectFunctionNode(g);
    EXPECT_EQ(view.Tree()->currentItem(), Node(g, FunctionNode)->item);
    view.SelectFunctionNode(57);
    EXPECT_EQ(view.Tree()->currentItem(), Node(g, FunctionNode)->item);
    view.SelectFunctionNode(-1);
    EXPECT_TRUE(view.Tree()->selectedItems().isEmpty());
}

TEST_F(ViewTest, EvaluateShowsTheCurrentValue)
{
    const int32_t h = AddDirect("f", "z(x,y,a)=x+a/3");
    modify_function_variable(h, VariableRecord{"a", 1, -5, 5, 20});
    Select(h, TextNode);
    view.Actions().evaluate->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Current value");
    EXPECT_EQ(prompter.messages[0].text, "0.3333333333");
}

// Every item of the tree's menus is one of its actions, or stands in for
// one under another text and runs it.
TEST_F(ViewTest, EveryMenuItemIsOrRunsOneOfTheTreesActions)
{
    const int32_t h = AddDirect("f", "z(x,y,a)=x*a");
    view.Tree()->expandAll();
    QStringList names;
    for (QAction *action : view.Actions().All())
        names << action->objectName();
    EXPECT_EQ(names.size(), 14);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << "one name each";
    QMenu functions;
    for (const TreeNodeEntry &entry : std::vector<TreeNodeEntry>(view.Nodes())) {
        view.Tree()->setCurrentItem(entry.item);
        view.PopulateFunctionsMenu(&functions);
        auto menu = view.BuildContextMenu(view.Tree()->visualItemRect(entry.item).topLeft() + QPoint(20, 3));
        for (QAction *action : functions.actions())
            EXPECT_TRUE(action->isSeparator() || view.Actions().All().contains(action)) << action->text().toStdString();
        for (QAction *action : menu->actions())
            EXPECT_TRUE(action->isSeparator() || names.contains(action->objectName())) << action->text().toStdString();
    }
    EXPECT_EQ(view.Nodes().front().function, h);
}

TEST_F(ViewTest, EachContextMenuEditRunsItsNodesCommand)
{
    const int32_t h = AddDirect("f", "z(x,y)=x");
    view.Tree()->expandAll();
    struct {
        TreeNodeKind kind;
        const char *dialogClass;
    } cases[] = {
        {FunctionNode, "LabelDialog"},
        {TextNode, "TextDialog"},
        {VariableNode, "ValueDialog"},
        {RangeNode, "RangeDialog"},
        {StepsNode, "StepsDialog"},
        {ModeNode, "ModeDialog"},
    };
    for (const auto &c : cases) {
        QString opened;
        prompter.steps.push_back([&opened](QDialog &dialog) {
            opened = QString::fromLatin1(dialog.metaObject()->className());
            return false;
        });
        QTreeWidgetItem *item = Node(h, c.kind, c.kind >= VariableNode && c.kind <= StepsNode ? "x" : "")->item;
        auto menu = view.BuildContextMenu(view.Tree()->visualItemRect(item).topLeft() + QPoint(20, 3));
        QAction *edit = nullptr;
        for (QAction *action : menu->actions())
            if (action->text() == "&Edit...")
                edit = action;
        ASSERT_NE(edit, nullptr) << c.dialogClass;
        edit->trigger();
        EXPECT_EQ(opened, c.dialogClass);
    }
    auto menu = view.BuildContextMenu(view.Tree()->visualItemRect(Node(h, Color1Node)->item).topLeft() + QPoint(20, 3));
    menu->actions().last()->trigger();
    EXPECT_EQ(prompter.colorRequests.size(), 1u);
}
