#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QIcon>
#include <QKeySequence>
#include <QPoint>
#include <QVector>
#include <QWidget>

#include "model/FunctionRecord.h"
#include "model/FunctionVariable.h"
#include "tree/TreeActions.h"

class CVeltrix2Doc;
class CColorTreeCtrl;
class DocumentHistory;
class QAction;
class QMenu;
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
// not used, so that the view alone decides what a node is.
struct TreeNodeEntry {
    QTreeWidgetItem *item = nullptr;
    int32_t function = -1;        // qel handle of the function the node belongs to
    int32_t kind = FunctionNode;
    std::string variable;         // variable, range and steps nodes: the variable's name
};

// The left pane: every plotted function of the document as a subtree (label,
// definition text, variables with range and steps, mode, two colours), with
// the context menus and dialogs through which functions are added and edited.
// Every edit goes onto the document's undo history; the subtrees follow the
// document's notifications, so an undo or a redo shows here like the edit.
// It knows neither the main window nor the 3D view; trace and animation are
// requested through signals the main window connects.
class CVeltrix2View : public QWidget {
    Q_OBJECT
public:
    explicit CVeltrix2View(CVeltrix2Doc *doc, QWidget *parent = nullptr);
    ~CVeltrix2View() override;

    // Empties the tree and adds the subtree of every function in list order.
    // Call it whenever the document was made new or opened.
    void FillTree();
    // Appends one function's subtree at the end of the top level.
    void AddFunctionNodes(const FunctionRecord &record);
    // The context menu of the selected node (the short one without a
    // selection), shown at the node: the keyboard's way to it.
    void ShowContextMenuForSelection();
    // Selects (and focuses) the label node of the function; a negative handle
    // clears the selection; an unknown handle does nothing.
    void SelectFunctionNode(int handle);
    // Forgets trace and animation without telling anyone (the main frame
    // closed them itself).
    void ResetTraceState();
    // Clears `menu` and fills it with "Refresh tree", "Add Function..." and
    // the items of the selected node's kind.  Call from aboutToShow.
    void PopulateFunctionsMenu(QMenu *menu);
    // The widget that takes the focus when the user switches panes.
    QWidget *FocusWidget() const;

    // The tree's commands; their states follow the selection and the runs.
    const TreeActions &Actions() const { return actions_; }

    // Builds the context menu for a right press at `pos` (tree viewport
    // coordinates), selecting or deselecting as the click demands.
    std::unique_ptr<QMenu> BuildContextMenu(const QPoint &pos);

    CColorTreeCtrl *Tree() const { return tree_; }
    const std::vector<TreeNodeEntry> &Nodes() const { return nodes_; }
    const TreeNodeEntry *FindNodeEntry(const QTreeWidgetItem *item) const;
    bool IsTracing() const { return trace_.on; }
    bool IsAnimating() const { return animation_.on; }
    int AnimatedFunction() const { return animation_.function; }

public slots:
    // The document's notification: a handle refreshes that function's
    // variable values; -1 needs nothing from the tree.
    void OnUpdate(QObject *sender, int hint);

signals:
    void TraceBarRequested(bool show);
    void AnimationBarRequested(bool show);
    void TraceRequested(bool on, int handle);
    void AnimationRequested(bool on, int handle);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // A trace or an animation: on for one function at a time.
    struct FunctionRun {
        bool on = false;
        int function = -1;
        bool OnFunction(int handle) const { return on && function == handle; }
        // The one rule of the menus and the command: a run is switched for one
        // function at a time, and never while the other kind of run is on.
        bool MayToggle(int handle, const FunctionRun &other) const
        {
            return !other.on && (!on || function == handle);
        }
    };
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, int index, const QString &text, int image,
                             int32_t function, TreeNodeKind kind, const std::string &variable = {});
    void InsertFunctionNodes(const FunctionRecord &record, int index);
    void OnFunctionInserted(int position);
    void OnFunctionRemoved(int32_t handle);
    void OnFunctionChanged(int32_t handle);
    void AddShortcut(const QList<QKeySequence> &keys, void (CVeltrix2View::*handler)());
    void ExecContextMenu(std::unique_ptr<QMenu> menu, const QPoint &viewportPos);
    std::unique_ptr<QMenu> MenuForEntry(const TreeNodeEntry *entry);
    void AddVariableNodes(QTreeWidgetItem *textItem, int32_t handle, const FunctionVariable &var,
                          int index, bool coloured);
    void SetReadableColor(QTreeWidgetItem *item, const QColor &color);
    void ShowColour(QTreeWidgetItem *item, Colour colour);
    std::optional<TreeNodeEntry> SelectedEntry() const;
    bool Busy() const { return trace_.on || animation_.on; }
    bool EditableVariable(const std::optional<TreeNodeEntry> &entry, TreeNodeKind kind,
                          FunctionVariable *var) const;
    void RemoveEntries(int32_t function, bool variablesOnly);

    void ShowContextMenu();
    void EditSelectedNode();
    void AddFunction();
    void DeleteFunction();
    void EditLabel();
    void ToggleVisible();
    void EditText();
    void Evaluate();
    void ToggleTrace();
    void ToggleAnimation();
    void ToggleRun(FunctionRun &run, const FunctionRun &other, void (CVeltrix2View::*barRequested)(bool),
                   void (CVeltrix2View::*runRequested)(bool, int));
    void EditValue();
    void EditRange();
    void EditSteps();
    void ChangeMode();
    void ChangeColor();
    // The variable nodes' values; with `rangesAndSteps` their children too.
    void RefreshVariableTexts(int32_t handle, bool rangesAndSteps = false);
    void RebuildVariableNodes(const TreeNodeEntry &textEntry);

    void ConnectActions();
    void UpdateActionStates();
    // An item of a context menu that runs `command` under its own text.
    QAction *AddStandIn(QMenu *menu, QAction *command, const QString &text, const QIcon &icon = {});

    CVeltrix2Doc *doc_;
    DocumentHistory *history_;
    TreeActions actions_;
    CColorTreeCtrl *tree_ = nullptr;
    QVector<QIcon> images_;
    QVector<QIcon> menuBitmaps_;
    std::vector<TreeNodeEntry> nodes_;
    FunctionRun trace_;
    FunctionRun animation_;
};
