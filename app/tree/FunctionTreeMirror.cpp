#include "tree/FunctionTreeMirror.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include <QPalette>

#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/DisplayForms.h"
#include "model/LibraryFunction.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/ColorButton.h"
#include "tree/ReadableColor.h"
#include "tree/TreePictures.h"

namespace {
enum TreeImage {
    VisibleImage = 0,
    HiddenImage,
    TextImage,
    VariableImage,
    RangeImage,
    StepsImage,
    ModeImage,
    ColorImage
};

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
}  // namespace

FunctionTreeMirror::FunctionTreeMirror(CVeltrix2Doc *doc, CColorTreeCtrl *tree, QObject *view)
    : QObject(view), doc_(doc), tree_(tree), view_(view)
{
    for (const QPixmap &picture : TreeImages())
        images_.append(QIcon(picture));
    connect(doc_, &CVeltrix2Doc::ViewsNeedUpdate, this, &FunctionTreeMirror::OnUpdate);
    connect(doc_, &CVeltrix2Doc::FunctionInserted, this, &FunctionTreeMirror::OnFunctionInserted);
    connect(doc_, &CVeltrix2Doc::FunctionRemoved, this, &FunctionTreeMirror::OnFunctionRemoved);
    connect(doc_, &CVeltrix2Doc::FunctionChanged, this, &FunctionTreeMirror::OnFunctionChanged);
}

QTreeWidgetItem *FunctionTreeMirror::AddNode(QTreeWidgetItem *parent, int index, const QString &text, int image,
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
void FunctionTreeMirror::SetReadableColor(QTreeWidgetItem *item, const QColor &color)
{
    tree_->SetItemColor(item, ReadableOn(color, tree_->PaperColor(), tree_->palette().color(QPalette::Text)));
}

// A colour node shows its colour as a swatch whatever its text is written in.
void FunctionTreeMirror::ShowColor(QTreeWidgetItem *item, Color color)
{
    item->setText(0, ColorText(color));
    SetReadableColor(item, ToQColor(color));
    tree_->SetItemSwatch(item, ToQColor(color));
}

void FunctionTreeMirror::AddVariableNodes(QTreeWidgetItem *textItem, int32_t handle, const FunctionVariable &var,
                                          int index, bool colored)
{
    const std::string &name = var.name;
    QTreeWidgetItem *variable =
        AddNode(textItem, index, ValueText(var.name, var.value), VariableImage, handle, VariableNode, name);
    QTreeWidgetItem *range = AddNode(variable, -1, RangeText(var.min, var.max), RangeImage, handle, RangeNode, name);
    QTreeWidgetItem *steps = AddNode(variable, -1, StepsText(var.steps), StepsImage, handle, StepsNode, name);
    if (colored) {
        SetReadableColor(variable, kBlack);
        SetReadableColor(range, kBlue);
        SetReadableColor(steps, kBlue);
    }
}

void FunctionTreeMirror::AddFunctionNodes(const FunctionRecord &record)
{
    InsertFunctionNodes(record, -1);
}

// `index`: the place among the top-level items, -1 for the end.
void FunctionTreeMirror::InsertFunctionNodes(const FunctionRecord &record, int index)
{
    const int32_t h = record.handle;
    const int picture = record.visible == 1 ? VisibleImage : HiddenImage;
    QTreeWidgetItem *function = AddNode(nullptr, index, FromCp1252(record.label), picture, h, FunctionNode);
    tree_->SetItemBold(function, true);
    SetReadableColor(function, kRed);

    QTreeWidgetItem *text = AddNode(function, -1, FromCp1252(record.text), TextImage, h, TextNode);
    SetReadableColor(text, kBlack);
    for (const FunctionVariable &var : LibraryFunction(h).UserVariables())
        AddVariableNodes(text, h, var, -1, true);

    QTreeWidgetItem *mode = AddNode(function, -1, ModeName(record.mode), ModeImage, h, ModeNode);
    SetReadableColor(mode, kBlack);
    ShowColor(AddNode(mode, -1, QString(), ColorImage, h, Color1Node), record.color1);
    ShowColor(AddNode(mode, -1, QString(), ColorImage, h, Color2Node), record.color2);

    tree_->viewport()->repaint();
}

void FunctionTreeMirror::FillTree()
{
    tree_->DeleteAllItems();
    nodes_.clear();
    for (int pos = doc_->First(); pos != -1; pos = doc_->Next(pos))
        AddFunctionNodes(doc_->Get(pos));
}

const TreeNodeEntry *FunctionTreeMirror::FindNodeEntry(const QTreeWidgetItem *item) const
{
    for (const TreeNodeEntry &entry : nodes_)
        if (entry.item == item)
            return &entry;
    return nullptr;
}

// A copy: the modal dialogs of the commands may outlive the entry's place
// in the list.
std::optional<TreeNodeEntry> FunctionTreeMirror::SelectedEntry() const
{
    QTreeWidgetItem *item = tree_->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    const TreeNodeEntry *entry = FindNodeEntry(item);
    if (!entry)
        return std::nullopt;
    return *entry;
}

void FunctionTreeMirror::SelectFunctionNode(int handle)
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

void FunctionTreeMirror::RemoveEntries(int32_t function, bool variablesOnly)
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

void FunctionTreeMirror::OnUpdate(QObject *sender, int hint)
{
    if (sender == view_)
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

void FunctionTreeMirror::RefreshVariableTexts(int32_t handle, bool rangesAndSteps)
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
void FunctionTreeMirror::OnFunctionInserted(int position)
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

void FunctionTreeMirror::OnFunctionRemoved(int32_t handle)
{
    RemoveEntries(handle, false);
}

// The record or the variables of a function changed: every node of it shows
// what the document and the library hold now.  A new definition makes its
// variable nodes again.
void FunctionTreeMirror::OnFunctionChanged(int32_t handle)
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
            ShowColor(entry.item, entry.kind == Color1Node ? record.color1 : record.color2);
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
void FunctionTreeMirror::RebuildVariableNodes(const TreeNodeEntry &textEntry)
{
    const int32_t handle = textEntry.function;
    QTreeWidgetItem *textItem = textEntry.item;
    RemoveEntries(handle, true);
    const std::vector<FunctionVariable> vars = LibraryFunction(handle).UserVariables();
    for (auto it = vars.rbegin(); it != vars.rend(); ++it)
        AddVariableNodes(textItem, handle, *it, 0, false);
}
