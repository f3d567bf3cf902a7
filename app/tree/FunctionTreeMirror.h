#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QIcon>
#include <QObject>
#include <QVector>

#include "model/FunctionRecord.h"
#include "model/FunctionVariable.h"

class CColorTreeCtrl;
class CVeltrix2Doc;
class QTreeWidgetItem;

// What a tree item stands for.
enum TreeNodeKind : int32_t {
    FunctionNode = 0,
    TextNode = 1,
    VariableNode = 2,
    RangeNode = 3,
    StepsNode = 4,
    ModeNode = 5,
    Color1Node = 6,
    Color2Node = 7,
};

// The one way from a tree item to its meaning: the tree's own item data is
// not used, so that the mirror alone decides what a node is.
struct TreeNodeEntry {
    QTreeWidgetItem *item = nullptr;
    int32_t function = -1;        // qel handle of the function the node belongs to
    int32_t kind = FunctionNode;
    std::string variable;         // variable, range and steps nodes: the variable's name
};

// The document as the function tree shows it: one subtree per function
// (label; definition text with its variables, their ranges and steps; mode
// with the two colours), in the document's order.  It follows the
// document's notifications, so every change shows here whoever made it: an
// edit of the tree, an undo, the 3D view's trace or animation.
class FunctionTreeMirror : public QObject {
    Q_OBJECT
public:
    // `view`: the tree pane, the document's first view, whose own
    // notifications are no news here.
    FunctionTreeMirror(CVeltrix2Doc *doc, CColorTreeCtrl *tree, QObject *view);

    // Empties the tree and adds the subtree of every function in list order.
    void FillTree();
    // Appends one function's subtree at the end of the top level.
    void AddFunctionNodes(const FunctionRecord &record);
    // Selects (and focuses) the label node of the function; a negative handle
    // clears the selection; an unknown handle does nothing.
    void SelectFunctionNode(int handle);

    const std::vector<TreeNodeEntry> &Nodes() const { return nodes_; }
    const TreeNodeEntry *FindNodeEntry(const QTreeWidgetItem *item) const;
    // A copy of the selected node's entry: the modal dialogs of the commands
    // may outlive the entry's place in the list.
    std::optional<TreeNodeEntry> SelectedEntry() const;

public slots:
    // The document's notification: a handle refreshes that function's
    // variable values; -1 without a sender (a new or opened document) fills
    // the tree again if its functions are others now.
    void OnUpdate(QObject *sender, int hint);

private:
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, int index, const QString &text, int image, int32_t function,
                             TreeNodeKind kind, const std::string &variable = {});
    void InsertFunctionNodes(const FunctionRecord &record, int index);
    void AddVariableNodes(QTreeWidgetItem *textItem, int32_t handle, const FunctionVariable &var, int index,
                          bool colored);
    void SetReadableColor(QTreeWidgetItem *item, const QColor &color);
    void ShowColor(QTreeWidgetItem *item, Color color);
    void RemoveEntries(int32_t function, bool variablesOnly);
    void OnFunctionInserted(int position);
    void OnFunctionRemoved(int32_t handle);
    void OnFunctionChanged(int32_t handle);
    // The variable nodes' values; with `rangesAndSteps` their children too.
    void RefreshVariableTexts(int32_t handle, bool rangesAndSteps = false);
    void RebuildVariableNodes(const TreeNodeEntry &textEntry);

    CVeltrix2Doc *doc_;
    CColorTreeCtrl *tree_;
    QObject *view_;
    QVector<QIcon> images_;
    std::vector<TreeNodeEntry> nodes_;
};
