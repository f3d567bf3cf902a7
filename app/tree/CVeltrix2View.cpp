// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/CVeltrix2View.h"

#include <algorithm>

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QResizeEvent>

#include "model/CVeltrix2Doc.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/Prompter.h"
#include "tree/TreePictures.h"

CVeltrix2View::CVeltrix2View(CVeltrix2Doc *doc, QWidget *parent)
    : QWidget(parent), doc_(doc), tree_(new CColorTreeCtrl(this)), mirror_(new FunctionTreeMirror(doc, tree_, this)),
      actions_(TreeActions::Make(this)), menus_(actions_, this), flows_(*doc, this)
{
    doc_->SetFirstView(this);
    tree_->setObjectName(QStringLiteral("126"));
    tree_->setIconSize(QSize(15, 14));
    tree_->SetBackground(PaperBackground());
    connect(tree_, &CColorTreeCtrl::RightButtonPressed, this, &CVeltrix2View::ShowContextMenu);
    connect(tree_, &CColorTreeCtrl::LeftButtonDoubleClicked, this, &CVeltrix2View::EditSelectedNode);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &CVeltrix2View::UpdateActionStates);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CVeltrix2View::UpdateActionStates);
    connect(doc_, &CVeltrix2Doc::FunctionChanged, this, &CVeltrix2View::UpdateActionStates);
    ConnectActions();

    AddShortcut({QKeySequence(QKeySequence::Delete)}, &CVeltrix2View::DeleteFunction);
    AddShortcut({QKeySequence(Qt::Key_F2)}, &CVeltrix2View::EditSelectedNode);
    AddShortcut({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)},
                &CVeltrix2View::ShowContextMenuForSelection);
    FillTree();
    UpdateActionStates();
}

CVeltrix2View::~CVeltrix2View()
{
    if (doc_->FirstView() == this)
        doc_->SetFirstView(nullptr);
}

void CVeltrix2View::ConnectActions()
{
    const TreeActions &a = actions_;
    connect(a.refreshTree, &QAction::triggered, this, &CVeltrix2View::FillTree);
    connect(a.addFunction, &QAction::triggered, this, [this] { flows_.AddFunction(); });
    const struct {
        QAction *action;
        void (CVeltrix2View::*handler)();
    } commands[] = {
        {a.deleteFunction, &CVeltrix2View::DeleteFunction},
        {a.editLabel, &CVeltrix2View::EditLabel},
        {a.visible, &CVeltrix2View::ToggleVisible},
        {a.editText, &CVeltrix2View::EditText},
        {a.evaluate, &CVeltrix2View::Evaluate},
        {a.trace, &CVeltrix2View::ToggleTrace},
        {a.animate, &CVeltrix2View::ToggleAnimation},
        {a.editValue, &CVeltrix2View::EditValue},
        {a.editRange, &CVeltrix2View::EditRange},
        {a.editSteps, &CVeltrix2View::EditSteps},
        {a.changeMode, &CVeltrix2View::ChangeMode},
        {a.changeColor, &CVeltrix2View::ChangeColor},
    };
    for (const auto &c : commands)
        connect(c.action, &QAction::triggered, this, c.handler);
}

// What the selected node allows now.  The commands check again when they
// run, so a state that lags behind never lets a command do harm.
void CVeltrix2View::UpdateActionStates()
{
    const std::optional<TreeNodeEntry> entry = mirror_->SelectedEntry();
    const int function = entry ? entry->function : -1;
    const bool busy = Busy();
    for (QAction *edit : {actions_.deleteFunction, actions_.editText, actions_.editValue, actions_.editRange,
                          actions_.editSteps, actions_.changeMode})
        edit->setEnabled(!busy);
    actions_.visible->setChecked(entry && doc_->Get(doc_->Find(function)).visible == 1);
    actions_.trace->setEnabled(trace_.MayToggle(function, animation_));
    actions_.trace->setChecked(trace_.OnFunction(function));
    actions_.animate->setEnabled(animation_.MayToggle(function, trace_));
    actions_.animate->setChecked(animation_.OnFunction(function));
    if (function != selectedFunction_) {
        selectedFunction_ = function;
        emit SelectedFunctionChanged(function);
    }
    if (busy != running_) {
        running_ = busy;
        emit RunningChanged(busy);
    }
}

// Keys that work while the tree has the focus.
void CVeltrix2View::AddShortcut(const QList<QKeySequence> &keys, void (CVeltrix2View::*handler)())
{
    auto *action = new QAction(this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
}

QWidget *CVeltrix2View::FocusWidget() const
{
    return tree_;
}

void CVeltrix2View::resizeEvent(QResizeEvent *event)
{
    tree_->setGeometry(0, 0, event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}

void CVeltrix2View::ResetTraceState()
{
    trace_.on = false;
    animation_.on = false;
    UpdateActionStates();
}

// ---------------------------------------------------------------- menus

std::unique_ptr<QMenu> CVeltrix2View::BuildContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = tree_->itemAt(pos);
    const TreeNodeEntry *entry = nullptr;
    if (item && tree_->LabelAndIconRect(item).contains(pos)) {
        tree_->setCurrentItem(item);
        entry = mirror_->FindNodeEntry(item);
    } else {
        tree_->clearSelection();
        tree_->setCurrentItem(nullptr);
    }
    UpdateActionStates();
    return menus_.ContextMenu(entry);
}

void CVeltrix2View::ShowContextMenu()
{
    const QPoint pos = tree_->viewport()->mapFromGlobal(QCursor::pos());
    ExecContextMenu(BuildContextMenu(pos), pos);
}

void CVeltrix2View::ShowContextMenuForSelection()
{
    const std::optional<TreeNodeEntry> entry = mirror_->SelectedEntry();
    QPoint pos(0, 0);
    if (entry) {
        tree_->scrollToItem(entry->item);
        pos = tree_->LabelAndIconRect(entry->item).bottomLeft();
    }
    UpdateActionStates();
    ExecContextMenu(menus_.ContextMenu(entry ? &*entry : nullptr), pos);
}

void CVeltrix2View::ExecContextMenu(std::unique_ptr<QMenu> menu, const QPoint &viewportPos)
{
    menu->exec(tree_->viewport()->mapToGlobal(viewportPos));
}

void CVeltrix2View::PopulateFunctionsMenu(QMenu *menu)
{
    UpdateActionStates();
    const std::optional<TreeNodeEntry> entry = mirror_->SelectedEntry();
    menus_.FillFunctionsMenu(menu, entry ? &*entry : nullptr);
}

// ---------------------------------------------------------------- commands

std::optional<TreeNodeEntry> CVeltrix2View::Target(std::initializer_list<TreeNodeKind> kinds,
                                                   bool refusedWhileBusy) const
{
    if (refusedWhileBusy && Busy())
        return std::nullopt;
    std::optional<TreeNodeEntry> entry = mirror_->SelectedEntry();
    if (!entry || std::find(kinds.begin(), kinds.end(), entry->kind) == kinds.end())
        return std::nullopt;
    return entry;
}

// The double-click and F2: the selected node's edit command.
void CVeltrix2View::EditSelectedNode()
{
    const std::optional<TreeNodeEntry> entry = mirror_->SelectedEntry();
    if (!entry)
        return;
    if (entry->kind == Color1Node || entry->kind == Color2Node) {
        ChangeColor();
        return;
    }
    if (RefusedWhileBusy())
        return;
    switch (entry->kind) {
    case FunctionNode: EditLabel(); break;
    case TextNode: EditText(); break;
    case VariableNode: EditValue(); break;
    case RangeNode: EditRange(); break;
    case StepsNode: EditSteps(); break;
    case ModeNode: ChangeMode(); break;
    default: break;
    }
}

bool CVeltrix2View::RefusedWhileBusy()
{
    if (!Busy())
        return false;
    emit StatusMessage(animation_.on ? QStringLiteral("Functions cannot be changed or deleted while one is animated: "
                                                      "close the animation first.")
                                     : QStringLiteral("Functions cannot be changed or deleted while one is traced: "
                                                      "close the trace first."));
    return true;
}

void CVeltrix2View::DeleteFunction()
{
    if (RefusedWhileBusy())
        return;
    const std::optional<TreeNodeEntry> entry = mirror_->SelectedEntry();
    if (!entry)
        return;
    if (entry->kind != FunctionNode) {
        ShowError(this, QStringLiteral("Select a function label"));
        return;
    }
    flows_.DeleteFunction(entry->function);
}

void CVeltrix2View::EditLabel()
{
    if (const std::optional<TreeNodeEntry> entry = Target({FunctionNode}, false))
        flows_.EditLabel(entry->function);
}

void CVeltrix2View::ToggleVisible()
{
    if (const std::optional<TreeNodeEntry> entry = Target({FunctionNode}, false))
        flows_.ToggleVisible(entry->function);
}

void CVeltrix2View::EditText()
{
    if (const std::optional<TreeNodeEntry> entry = Target({TextNode}, true))
        flows_.EditText(entry->function);
}

void CVeltrix2View::Evaluate()
{
    if (const std::optional<TreeNodeEntry> entry = Target({TextNode}, false))
        flows_.Evaluate(entry->function);
}

void CVeltrix2View::EditValue()
{
    if (const std::optional<TreeNodeEntry> entry = Target({VariableNode}, true))
        flows_.EditValue(entry->function, entry->variable);
}

void CVeltrix2View::EditRange()
{
    if (const std::optional<TreeNodeEntry> entry = Target({RangeNode}, true))
        flows_.EditRange(entry->function, entry->variable);
}

void CVeltrix2View::EditSteps()
{
    if (const std::optional<TreeNodeEntry> entry = Target({StepsNode}, true))
        flows_.EditSteps(entry->function, entry->variable);
}

void CVeltrix2View::ChangeMode()
{
    if (const std::optional<TreeNodeEntry> entry = Target({ModeNode}, true))
        flows_.ChangeMode(entry->function);
}

void CVeltrix2View::ChangeColor()
{
    if (const std::optional<TreeNodeEntry> entry = Target({Color1Node, Color2Node}, false))
        flows_.ChangeColor(entry->function, entry->kind == Color1Node ? 1 : 2);
}

// ---------------------------------------------------------------- trace and animation

void CVeltrix2View::ToggleTrace()
{
    ToggleRun(trace_, animation_, &CVeltrix2View::TraceBarRequested, &CVeltrix2View::TraceRequested);
}

void CVeltrix2View::ToggleAnimation()
{
    ToggleRun(animation_, trace_, &CVeltrix2View::AnimationBarRequested, &CVeltrix2View::AnimationRequested);
}

// Starts or stops `run` on the selected function's text node.  Trace and
// animation exclude each other, and a running one stops only from the
// function it runs on.
void CVeltrix2View::ToggleRun(FunctionRun &run, const FunctionRun &other,
                              void (CVeltrix2View::*barRequested)(bool),
                              void (CVeltrix2View::*runRequested)(bool, int))
{
    const std::optional<TreeNodeEntry> entry = Target({TextNode}, false);
    if (!entry || !run.MayToggle(entry->function, other))
        return;
    run.on = !run.on;
    if (run.on)
        run.function = entry->function;
    UpdateActionStates();
    emit(this->*barRequested)(run.on);
    emit(this->*runRequested)(run.on, entry->function);
}
