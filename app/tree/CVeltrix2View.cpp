#include "tree/CVeltrix2View.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPalette>
#include <QResizeEvent>

#include "history/DocumentHistory.h"
#include "history/FunctionCommands.h"
#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/DisplayForms.h"
#include "model/FormatGeneral.h"
#include "model/FunctionDefinition.h"
#include "model/FunctionSnapshot.h"
#include "model/GridSize.h"
#include "model/LibraryFunction.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/ColorButton.h"
#include "tree/LabelDialog.h"
#include "tree/ModeDialog.h"
#include "tree/Prompter.h"
#include "tree/RangeDialog.h"
#include "tree/ReadableColour.h"
#include "tree/StepsDialog.h"
#include "tree/TextDialog.h"
#include "tree/TreePictures.h"
#include "tree/ValueDialog.h"

namespace {
enum TreeImage { VisibleImage = 0, HiddenImage, TextImage, VariableImage, RangeImage, StepsImage, ModeImage, ColorImage };

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);

// The document's bytes of a text the dialogs accepted: they refuse what the
// code page cannot hold, so nothing is lost here.
std::string DocumentText(const QString &text)
{
    std::string bytes;
    ToCp1252(text, &bytes);
    return bytes;
}

QIcon MenuIcon(const QPixmap &picture, const QPixmap &checkedPicture = QPixmap())
{
    QIcon icon(picture);
    if (!checkedPicture.isNull())
        icon.addPixmap(checkedPicture, QIcon::Normal, QIcon::On);
    return icon;
}
}  // namespace

CVeltrix2View::CVeltrix2View(CVeltrix2Doc *doc, QWidget *parent)
    : QWidget(parent), doc_(doc), history_(&DocumentHistory::Of(*doc)), actions_(TreeActions::Make(this))
{
    for (const QPixmap &picture : TreeImages())
        images_.append(QIcon(picture));
    for (const QPixmap &picture : MenuPictures())
        menuBitmaps_.append(MenuIcon(picture));

    tree_ = new CColorTreeCtrl(this);
    tree_->setObjectName(QStringLiteral("126"));
    tree_->setIconSize(QSize(15, 14));
    tree_->SetBackground(PaperBackground());
    connect(tree_, &CColorTreeCtrl::RightButtonPressed, this, &CVeltrix2View::ShowContextMenu);
    connect(tree_, &CColorTreeCtrl::LeftButtonDoubleClicked, this, &CVeltrix2View::EditSelectedNode);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &CVeltrix2View::UpdateActionStates);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CVeltrix2View::UpdateActionStates);
    ConnectActions();

    doc_->SetFirstView(this);
    connect(doc_, &CVeltrix2Doc::ViewsNeedUpdate, this, &CVeltrix2View::OnUpdate);
    connect(doc_, &CVeltrix2Doc::FunctionInserted, this, &CVeltrix2View::OnFunctionInserted);
    connect(doc_, &CVeltrix2Doc::FunctionRemoved, this, &CVeltrix2View::OnFunctionRemoved);
    connect(doc_, &CVeltrix2Doc::FunctionChanged, this, &CVeltrix2View::OnFunctionChanged);
    connect(doc_, &CVeltrix2Doc::FunctionChanged, this, &CVeltrix2View::UpdateActionStates);

    AddShortcut({QKeySequence(QKeySequence::Delete)}, &CVeltrix2View::DeleteFunction);
    AddShortcut({QKeySequence(Qt::Key_F2)}, &CVeltrix2View::EditSelectedNode);
    AddShortcut({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)},
                &CVeltrix2View::ShowContextMenuForSelection);
    FillTree();
    UpdateActionStates();
}

void CVeltrix2View::ConnectActions()
{
    const TreeActions &a = actions_;
    const struct {
        QAction *action;
        void (CVeltrix2View::*handler)();
    } commands[] = {{a.refreshTree, &CVeltrix2View::FillTree},     {a.addFunction, &CVeltrix2View::AddFunction},
                    {a.deleteFunction, &CVeltrix2View::DeleteFunction}, {a.editLabel, &CVeltrix2View::EditLabel},
                    {a.visible, &CVeltrix2View::ToggleVisible},     {a.editText, &CVeltrix2View::EditText},
                    {a.evaluate, &CVeltrix2View::Evaluate},         {a.trace, &CVeltrix2View::ToggleTrace},
                    {a.animate, &CVeltrix2View::ToggleAnimation},   {a.editValue, &CVeltrix2View::EditValue},
                    {a.editRange, &CVeltrix2View::EditRange},       {a.editSteps, &CVeltrix2View::EditSteps},
                    {a.changeMode, &CVeltrix2View::ChangeMode},     {a.changeColour, &CVeltrix2View::ChangeColor}};
    for (const auto &c : commands)
        connect(c.action, &QAction::triggered, this, c.handler);
}

// What the selected node allows now.  The commands check again when they
// run, so a state that lags behind never lets a command do harm.
void CVeltrix2View::UpdateActionStates()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
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

CVeltrix2View::~CVeltrix2View()
{
    if (doc_->FirstView() == this)
        doc_->SetFirstView(nullptr);
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

// ---------------------------------------------------------------- nodes

QTreeWidgetItem *CVeltrix2View::AddNode(QTreeWidgetItem *parent, int index, const QString &text, int image,
                                        int32_t function, TreeNodeKind kind, const std::string &variable)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setIcon(0, images_.value(image));
    if (!parent)
        tree_->insertTopLevelItem(index < 0 ? tree_->topLevelItemCount() : std::min(index, tree_->topLevelItemCount()),
                                  item);
    else if (index < 0)
        parent->addChild(item);
    else
        parent->insertChild(index, item);
    nodes_.push_back(TreeNodeEntry{item, function, kind, variable});
    return item;
}

// No text is invisible: a colour too close to the paper is written in the
// window's text colour instead.
void CVeltrix2View::SetReadableColor(QTreeWidgetItem *item, const QColor &color)
{
    tree_->SetItemColor(item, ReadableOn(color, tree_->PaperColour(), tree_->palette().color(QPalette::Text)));
}

// A colour node shows its colour as a swatch whatever its text is written in.
void CVeltrix2View::ShowColour(QTreeWidgetItem *item, Colour colour)
{
    item->setText(0, ColourText(colour));
    SetReadableColor(item, ToQColor(colour));
    tree_->SetItemSwatch(item, ToQColor(colour));
}

void CVeltrix2View::AddVariableNodes(QTreeWidgetItem *textItem, int32_t handle, const FunctionVariable &var,
                                     int index, bool coloured)
{
    const std::string &name = var.name;
    QTreeWidgetItem *variable =
        AddNode(textItem, index, ValueText(var.name, var.value), VariableImage, handle, VariableNode, name);
    QTreeWidgetItem *range = AddNode(variable, -1, RangeText(var.min, var.max), RangeImage, handle, RangeNode, name);
    QTreeWidgetItem *steps = AddNode(variable, -1, StepsText(var.steps), StepsImage, handle, StepsNode, name);
    if (coloured) {
        SetReadableColor(variable, kBlack);
        SetReadableColor(range, kBlue);
        SetReadableColor(steps, kBlue);
    }
}

void CVeltrix2View::AddFunctionNodes(const FunctionRecord &record)
{
    InsertFunctionNodes(record, -1);
}

// `index`: the place among the top-level items, -1 for the end.
void CVeltrix2View::InsertFunctionNodes(const FunctionRecord &record, int index)
{
    const int32_t h = record.handle;
    QTreeWidgetItem *function =
        AddNode(nullptr, index, FromCp1252(record.label), record.visible == 1 ? VisibleImage : HiddenImage, h, FunctionNode);
    tree_->SetItemBold(function, true);
    SetReadableColor(function, kRed);

    QTreeWidgetItem *text = AddNode(function, -1, FromCp1252(record.text), TextImage, h, TextNode);
    SetReadableColor(text, kBlack);
    for (const FunctionVariable &var : LibraryFunction(h).UserVariables())
        AddVariableNodes(text, h, var, -1, true);

    QTreeWidgetItem *mode = AddNode(function, -1, ModeName(record.mode), ModeImage, h, ModeNode);
    SetReadableColor(mode, kBlack);
    ShowColour(AddNode(mode, -1, QString(), ColorImage, h, Color1Node), record.color1);
    ShowColour(AddNode(mode, -1, QString(), ColorImage, h, Color2Node), record.color2);

    tree_->viewport()->repaint();
}

void CVeltrix2View::FillTree()
{
    tree_->DeleteAllItems();
    nodes_.clear();
    for (int pos = doc_->First(); pos != -1; pos = doc_->Next(pos))
        AddFunctionNodes(doc_->Get(pos));
}

const TreeNodeEntry *CVeltrix2View::FindNodeEntry(const QTreeWidgetItem *item) const
{
    for (const TreeNodeEntry &entry : nodes_)
        if (entry.item == item)
            return &entry;
    return nullptr;
}

// A copy: the modal dialogs of the commands may outlive the entry's place
// in the list.
std::optional<TreeNodeEntry> CVeltrix2View::SelectedEntry() const
{
    QTreeWidgetItem *item = tree_->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    const TreeNodeEntry *entry = FindNodeEntry(item);
    if (!entry)
        return std::nullopt;
    return *entry;
}

void CVeltrix2View::SelectFunctionNode(int handle)
{
    if (handle < 0) {
        tree_->clearSelection();
        tree_->setCurrentItem(nullptr);
        return;
    }
    for (const TreeNodeEntry &entry : nodes_) {
        if (entry.function == handle && entry.kind == FunctionNode) {
            tree_->setFocus();
            tree_->setCurrentItem(entry.item);
            return;
        }
    }
}

void CVeltrix2View::ResetTraceState()
{
    trace_.on = false;
    animation_.on = false;
    UpdateActionStates();
}

void CVeltrix2View::RemoveEntries(int32_t function, bool variablesOnly)
{
    const auto goes = [function, variablesOnly](const TreeNodeEntry &e) {
        const bool variablePart = e.kind == VariableNode || e.kind == RangeNode || e.kind == StepsNode;
        return e.function == function && (!variablesOnly || variablePart);
    };
    // Deleting the top item of what goes deletes the items below it.
    std::vector<QTreeWidgetItem *> doomed;
    for (const TreeNodeEntry &e : nodes_)
        if (goes(e) && e.kind == (variablesOnly ? VariableNode : FunctionNode))
            doomed.push_back(e.item);
    nodes_.erase(std::remove_if(nodes_.begin(), nodes_.end(), goes), nodes_.end());
    for (QTreeWidgetItem *item : doomed)
        tree_->DeleteItem(item);
}

// The document and the tree still tell the same story when every function
// node stands for the record at the same place.
static bool SameFunction(const TreeNodeEntry &entry, const FunctionRecord &record, const QTreeWidgetItem *textItem)
{
    return entry.function == record.handle && entry.item->text(0) == FromCp1252(record.label) && textItem &&
           textItem->text(0) == FromCp1252(record.text);
}

void CVeltrix2View::OnUpdate(QObject *sender, int hint)
{
    if (sender == this)
        return;
    if (hint >= 0) {
        RefreshVariableTexts(hint);
        return;
    }
    // A document made new or opened notifies without a sender; refill only
    // when the list really changed, so that expanded nodes stay expanded on
    // notifications that do not touch the functions.
    if (sender)
        return;
    int pos = doc_->First();
    for (const TreeNodeEntry &entry : nodes_) {
        if (entry.kind != FunctionNode)
            continue;
        if (pos == -1 || !SameFunction(entry, doc_->Get(pos), entry.item->child(0))) {
            FillTree();
            return;
        }
        pos = doc_->Next(pos);
    }
    if (pos != -1)
        FillTree();
}

void CVeltrix2View::RefreshVariableTexts(int32_t handle, bool rangesAndSteps)
{
    const std::vector<FunctionVariable> vars = LibraryFunction(handle).Variables();
    // By name, the first of a name in table order: a function may have many
    // variables, each with its nodes.
    std::unordered_map<std::string_view, size_t> byName;
    for (size_t i = 0; i < vars.size(); ++i)
        byName.emplace(vars[i].name, i);
    for (const TreeNodeEntry &entry : nodes_) {
        if (entry.function != handle || (entry.kind != VariableNode && !rangesAndSteps))
            continue;
        const auto found = byName.find(entry.variable);
        if (found == byName.end())
            continue;
        const FunctionVariable &var = vars[found->second];
        switch (entry.kind) {
        case VariableNode: entry.item->setText(0, ValueText(var.name, var.value)); break;
        case RangeNode: entry.item->setText(0, RangeText(var.min, var.max)); break;
        case StepsNode: entry.item->setText(0, StepsText(var.steps)); break;
        default: break;
        }
    }
}

// A function came into the list (added, or back by an undo): its subtree at
// the same place among the top-level items.
void CVeltrix2View::OnFunctionInserted(int position)
{
    const size_t before = nodes_.size();
    InsertFunctionNodes(doc_->Get(position), position);
    // The function entries stay in list order, which OnUpdate relies on.
    const int next = doc_->Next(position);
    if (next == -1)
        return;
    const int32_t nextHandle = doc_->Get(next).handle;
    const auto oldEnd = nodes_.begin() + std::ptrdiff_t(before);
    const auto at = std::find_if(nodes_.begin(), oldEnd, [nextHandle](const TreeNodeEntry &e) {
        return e.function == nextHandle && e.kind == FunctionNode;
    });
    std::rotate(at, oldEnd, nodes_.end());
}

void CVeltrix2View::OnFunctionRemoved(int32_t handle)
{
    RemoveEntries(handle, false);
}

// The record or the variables of a function changed: every node of it shows
// what the document and the library hold now.  A new definition makes its
// variable nodes again.
void CVeltrix2View::OnFunctionChanged(int32_t handle)
{
    const int position = doc_->Find(handle);
    if (position < 0)
        return;
    const FunctionRecord record = doc_->Get(position);
    std::optional<TreeNodeEntry> textEntry;
    for (const TreeNodeEntry &entry : nodes_) {
        if (entry.function != handle)
            continue;
        switch (entry.kind) {
        case FunctionNode:
            entry.item->setText(0, FromCp1252(record.label));
            entry.item->setIcon(0, images_.value(record.visible == 1 ? VisibleImage : HiddenImage));
            break;
        case TextNode:
            textEntry = entry;
            break;
        case ModeNode:
            entry.item->setText(0, ModeName(record.mode));
            break;
        case Color1Node:
        case Color2Node: {
            ShowColour(entry.item, entry.kind == Color1Node ? record.color1 : record.color2);
            break;
        }
        default:
            break;
        }
    }
    if (textEntry && textEntry->item->text(0) != FromCp1252(record.text)) {
        textEntry->item->setText(0, FromCp1252(record.text));
        RebuildVariableNodes(*textEntry);
    }
    RefreshVariableTexts(handle, true);
}

// After a new definition the variables may have changed: their nodes are
// made again in the library's order, as first children of the text node.
void CVeltrix2View::RebuildVariableNodes(const TreeNodeEntry &textEntry)
{
    const int32_t handle = textEntry.function;
    QTreeWidgetItem *textItem = textEntry.item;
    RemoveEntries(handle, true);
    const std::vector<FunctionVariable> vars = LibraryFunction(handle).UserVariables();
    for (auto it = vars.rbegin(); it != vars.rend(); ++it)
        AddVariableNodes(textItem, handle, *it, 0, false);
}

// ---------------------------------------------------------------- menus

// The stand-in shows the command's state when the menu opens and runs it
// when chosen; the command then checks the selection itself.
QAction *CVeltrix2View::AddStandIn(QMenu *menu, QAction *command, const QString &text, const QIcon &icon)
{
    QAction *item = menu->addAction(icon, text);
    item->setObjectName(command->objectName());
    item->setStatusTip(command->statusTip());
    item->setEnabled(command->isEnabled());
    item->setCheckable(command->isCheckable());
    item->setChecked(command->isChecked());
    connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

std::unique_ptr<QMenu> CVeltrix2View::BuildContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = tree_->itemAt(pos);
    const TreeNodeEntry *entry = nullptr;
    if (item && tree_->LabelAndIconRect(item).contains(pos)) {
        tree_->setCurrentItem(item);
        entry = FindNodeEntry(item);
    } else {
        tree_->clearSelection();
        tree_->setCurrentItem(nullptr);
    }
    return MenuForEntry(entry);
}

// The popup of a node's kind; without a node the short one.
std::unique_ptr<QMenu> CVeltrix2View::MenuForEntry(const TreeNodeEntry *entry)
{
    UpdateActionStates();
    const TreeActions &a = actions_;
    auto menu = std::make_unique<QMenu>(this);
    if (!entry) {
        AddStandIn(menu.get(), a.refreshTree, QStringLiteral("Refresch"));
        AddStandIn(menu.get(), a.addFunction, QStringLiteral("Add Function..."));
        return menu;
    }

    const QPixmap cross = MenuPictures().at(CrossPicture);
    const QIcon edit = MenuIcon(MenuPictures().at(EditPicture), cross);
    const QString editText = QStringLiteral("Edit...");
    switch (entry->kind) {
    case FunctionNode:
        AddStandIn(menu.get(), a.deleteFunction, QStringLiteral("Delete Function"), menuBitmaps_.at(CrossPicture));
        AddStandIn(menu.get(), a.visible, QStringLiteral("Visible"));
        menu->addSeparator();
        AddStandIn(menu.get(), a.editLabel, editText, edit);
        break;
    case TextNode:
        AddStandIn(menu.get(), a.editText, editText, edit);
        AddStandIn(menu.get(), a.evaluate, QStringLiteral("Evaluate"), MenuIcon(MenuPictures().at(CurvePicture), cross));
        AddStandIn(menu.get(), a.trace, QStringLiteral("Trace"));
        AddStandIn(menu.get(), a.animate, QStringLiteral("Animate"));
        break;
    case VariableNode: AddStandIn(menu.get(), a.editValue, editText, edit); break;
    case RangeNode: AddStandIn(menu.get(), a.editRange, editText, edit); break;
    case StepsNode: AddStandIn(menu.get(), a.editSteps, editText, edit); break;
    case ModeNode: AddStandIn(menu.get(), a.changeMode, editText, edit); break;
    default: AddStandIn(menu.get(), a.changeColour, editText, edit); break;
    }
    return menu;
}

void CVeltrix2View::ShowContextMenu()
{
    const QPoint pos = tree_->viewport()->mapFromGlobal(QCursor::pos());
    ExecContextMenu(BuildContextMenu(pos), pos);
}

void CVeltrix2View::ShowContextMenuForSelection()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    QPoint pos(0, 0);
    if (entry) {
        tree_->scrollToItem(entry->item);
        pos = tree_->LabelAndIconRect(entry->item).bottomLeft();
    }
    ExecContextMenu(MenuForEntry(entry ? &*entry : nullptr), pos);
}

void CVeltrix2View::ExecContextMenu(std::unique_ptr<QMenu> menu, const QPoint &viewportPos)
{
    menu->exec(tree_->viewport()->mapToGlobal(viewportPos));
}

void CVeltrix2View::PopulateFunctionsMenu(QMenu *menu)
{
    UpdateActionStates();
    const TreeActions &a = actions_;
    menu->clear();
    menu->addActions({a.refreshTree, a.addFunction});
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry)
        return;
    menu->addSeparator();
    switch (entry->kind) {
    case FunctionNode: menu->addActions({a.deleteFunction, a.editLabel, a.visible}); break;
    case TextNode: menu->addActions({a.editText, a.evaluate, a.trace, a.animate}); break;
    case VariableNode: menu->addAction(a.editValue); break;
    case RangeNode: menu->addAction(a.editRange); break;
    case StepsNode: menu->addAction(a.editSteps); break;
    case ModeNode: menu->addAction(a.changeMode); break;
    default: menu->addAction(a.changeColour); break;
    }
}

// ---------------------------------------------------------------- commands

void CVeltrix2View::EditSelectedNode()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry)
        return;
    if (entry->kind == Color1Node || entry->kind == Color2Node) {
        ChangeColor();
        return;
    }
    if (Busy())
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

namespace {
void PresetSelection(TextDialog &dialog, const DefinitionOutcome &outcome)
{
    dialog.selectionStart = outcome.hasSelection ? outcome.selectionStart : TextDialog::kNoSelection;
    dialog.selectionEnd = outcome.hasSelection ? outcome.selectionEnd : TextDialog::kNoSelection;
}
}  // namespace

void CVeltrix2View::AddFunction()
{
    Prompter &prompter = Prompter::Current();
    LabelDialog labelDialog(this);
    if (!prompter.Run(labelDialog))
        return;
    const std::string label = DocumentText(labelDialog.label);
    const QString labelError = CheckLabel(label);
    if (!labelError.isEmpty()) {
        ShowError(this, labelError);
        return;
    }

    TextDialog textDialog(this);
    textDialog.angleMode = Radians;
    textDialog.selectionStart = textDialog.selectionEnd = 0;
    std::string text;
    DefinitionOutcome outcome;
    for (;;) {
        if (!prompter.Run(textDialog))
            return;
        text = DocumentText(textDialog.text);
        outcome = CompileNewFunction(text, textDialog.angleMode);
        if (outcome.ok)
            break;
        ShowError(this, outcome.message);
        PresetSelection(textDialog, outcome);
    }

    FunctionRecord record;
    record.label = label;
    record.text = text;
    record.handle = outcome.handle;
    history_->Push(FunctionCommands::AddFunction(*history_, record));
}

void CVeltrix2View::DeleteFunction()
{
    if (Busy())
        return;
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry)
        return;
    if (entry->kind != FunctionNode) {
        ShowError(this, QStringLiteral("Select a function label"));
        return;
    }
    history_->Push(FunctionCommands::DeleteFunction(*history_, doc_->Find(entry->function)));
}

void CVeltrix2View::EditLabel()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry || entry->kind != FunctionNode)
        return;
    const int pos = doc_->Find(entry->function);
    const FunctionRecord record = doc_->Get(pos);
    LabelDialog dialog(this);
    dialog.label = FromCp1252(record.label);
    if (!Prompter::Current().Run(dialog))
        return;
    const std::string label = DocumentText(dialog.label);
    const QString error = CheckLabel(label);
    if (!error.isEmpty()) {
        ShowError(this, error);
        return;
    }
    history_->Push(FunctionCommands::EditLabel(*history_, pos, label));
}

void CVeltrix2View::ToggleVisible()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry || entry->kind != FunctionNode)
        return;
    history_->Push(FunctionCommands::ToggleVisible(*history_, doc_->Find(entry->function)));
}

void CVeltrix2View::EditText()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry || entry->kind != TextNode)
        return;
    const int32_t handle = entry->function;
    const int pos = doc_->Find(handle);
    const FunctionRecord record = doc_->Get(pos);

    // A failed compile leaves the library function reset; this brings the
    // old definition back if the user gives up, and is what an undo restores.
    const FunctionSnapshot before = FunctionSnapshot::Capture(handle);
    bool reset = false;

    TextDialog dialog(this);
    dialog.text = FromCp1252(record.text);
    dialog.selectionStart = dialog.selectionEnd = int(dialog.text.size());
    dialog.angleMode = before.angleMode;
    std::string text;
    for (;;) {
        if (!Prompter::Current().Run(dialog)) {
            if (reset && before.RestoreInto(handle, record.text))
                doc_->UpdateAllViews(this, handle);
            return;
        }
        text = DocumentText(dialog.text);
        const DefinitionOutcome outcome = RecompileFunction(handle, text, dialog.angleMode);
        if (outcome.ok)
            break;
        reset = reset || ValidateDefinition(text, false).ok;
        ShowError(this, outcome.message);
        PresetSelection(dialog, outcome);
    }

    history_->Push(FunctionCommands::EditText(*history_, pos, before, text));
}

void CVeltrix2View::Evaluate()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry || entry->kind != TextNode)
        return;
    const double result = LibraryFunction(entry->function).Evaluate();
    Prompter::Current().Message(this, QMessageBox::NoIcon, QStringLiteral("Current value"),
                                FormatGeneral(result, 10));
}

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
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry || entry->kind != TextNode || !run.MayToggle(entry->function, other))
        return;
    run.on = !run.on;
    if (run.on)
        run.function = entry->function;
    UpdateActionStates();
    emit (this->*barRequested)(run.on);
    emit (this->*runRequested)(run.on, entry->function);
}

// Whether `entry` is a node of `kind` whose variable may be changed now; if
// so `var` receives the variable's current record.
bool CVeltrix2View::EditableVariable(const std::optional<TreeNodeEntry> &entry, TreeNodeKind kind,
                                     FunctionVariable *var) const
{
    if (Busy() || !entry || entry->kind != kind)
        return false;
    const std::optional<FunctionVariable> found = LibraryFunction(entry->function).Variable(entry->variable);
    if (found)
        *var = *found;
    return found.has_value();
}

void CVeltrix2View::EditValue()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    FunctionVariable var;
    if (!EditableVariable(entry, VariableNode, &var))
        return;
    const int32_t handle = entry->function;
    const std::string name = entry->variable;
    ValueDialog dialog(this);
    dialog.value = var.value;
    for (;;) {
        if (!Prompter::Current().Run(dialog))
            return;
        if (dialog.value >= var.min && dialog.value <= var.max)
            break;
        ShowError(this, QStringLiteral("Out of range"));
    }
    history_->Push(FunctionCommands::ChangeValue(*history_, doc_->Find(handle), name, dialog.value));
}

void CVeltrix2View::EditRange()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    FunctionVariable var;
    if (!EditableVariable(entry, RangeNode, &var))
        return;
    const int32_t handle = entry->function;
    const std::string name = entry->variable;
    RangeDialog dialog(this);
    dialog.min = var.min;
    dialog.max = var.max;
    for (;;) {
        if (!Prompter::Current().Run(dialog))
            return;
        if (dialog.min <= dialog.max)
            break;
        ShowError(this, QStringLiteral("The value \"max\" must be greater or equal than the value \"min\""));
    }
    history_->Push(FunctionCommands::ChangeRange(*history_, doc_->Find(handle), name, dialog.min, dialog.max));
}

void CVeltrix2View::EditSteps()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    FunctionVariable var;
    if (!EditableVariable(entry, StepsNode, &var))
        return;
    const int32_t handle = entry->function;
    const std::string name = entry->variable;
    StepsDialog dialog(this);
    dialog.steps = var.steps;
    for (;;) {
        if (!Prompter::Current().Run(dialog))
            return;
        if (dialog.steps <= 0) {
            ShowError(this, QStringLiteral("Insert a value grater than 0"));
            continue;
        }
        // Refused here rather than told later by the view that cannot draw it.
        const QString tooLarge = GridTooLargeMessage(handle, doc_->Get(doc_->Find(handle)).text, name, dialog.steps);
        if (tooLarge.isEmpty())
            break;
        ShowError(this, tooLarge);
    }
    history_->Push(FunctionCommands::ChangeSteps(*history_, doc_->Find(handle), name, dialog.steps));
}

void CVeltrix2View::ChangeMode()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (Busy() || !entry || entry->kind != ModeNode)
        return;
    const int pos = doc_->Find(entry->function);
    const FunctionRecord record = doc_->Get(pos);
    ModeDialog dialog(this);
    dialog.mode = record.mode;
    if (!Prompter::Current().Run(dialog))
        return;
    history_->Push(FunctionCommands::ChangeMode(*history_, pos, dialog.mode));
}

void CVeltrix2View::ChangeColor()
{
    const std::optional<TreeNodeEntry> entry = SelectedEntry();
    if (!entry || (entry->kind != Color1Node && entry->kind != Color2Node))
        return;
    const int pos = doc_->Find(entry->function);
    const FunctionRecord record = doc_->Get(pos);
    const int which = entry->kind == Color1Node ? 1 : 2;
    QColor chosen;
    if (!Prompter::Current().ChooseColor(this, ToQColor(which == 1 ? record.color1 : record.color2), &chosen))
        return;
    history_->Push(FunctionCommands::ChangeColour(*history_, pos, which, FromQColor(chosen)));
}
