// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QKeySequence>
#include <QPoint>
#include <QWidget>

#include "tree/FunctionEditFlows.h"
#include "tree/FunctionTreeMirror.h"
#include "tree/TreeActions.h"
#include "tree/TreeMenus.h"

class CVeltrix2Doc;
class CColorTreeCtrl;
class QMenu;
class QTreeWidgetItem;

// The left pane: every plotted function of the document as a subtree (label,
// definition text, variables with range and steps, mode, two colours), with
// the commands, context menus and dialogs through which functions are added
// and edited.  The pane puts its parts together: the mirror of the document
// (FunctionTreeMirror), the actions and menus (TreeActions, TreeMenus) and
// the edit flows (FunctionEditFlows).  It decides which command may run on
// the selected node, keeps trace and animation on for one function at a
// time, and requests them through signals the main window connects: it
// knows neither the main window nor the 3D view.
class CVeltrix2View : public QWidget {
    Q_OBJECT
public:
    explicit CVeltrix2View(CVeltrix2Doc *doc, QWidget *parent = nullptr);
    ~CVeltrix2View() override;

    // Empties the tree and adds the subtree of every function in list order.
    // Call it whenever the document was made new or opened.
    void FillTree() { mirror_->FillTree(); }
    // Appends one function's subtree at the end of the top level.
    void AddFunctionNodes(const FunctionRecord &record) { mirror_->AddFunctionNodes(record); }
    // The context menu of the selected node (the short one without a
    // selection), shown at the node: the keyboard's way to it.
    void ShowContextMenuForSelection();
    // Selects (and focuses) the label node of the function; a negative handle
    // clears the selection; an unknown handle does nothing.
    void SelectFunctionNode(int handle) { mirror_->SelectFunctionNode(handle); }
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
    const std::vector<TreeNodeEntry> &Nodes() const { return mirror_->Nodes(); }
    const TreeNodeEntry *FindNodeEntry(const QTreeWidgetItem *item) const { return mirror_->FindNodeEntry(item); }
    bool IsTracing() const { return trace_.on; }
    bool IsAnimating() const { return animation_.on; }
    int AnimatedFunction() const { return animation_.function; }

signals:
    void TraceBarRequested(bool show);
    void AnimationBarRequested(bool show);
    void TraceRequested(bool on, int handle);
    void AnimationRequested(bool on, int handle);
    // Why a key or a double-click did nothing, for the status bar.
    void StatusMessage(const QString &text);
    // The function of the selected node changed (-1: nothing selected).
    void SelectedFunctionChanged(int handle);
    // A trace or an animation began or ended: `running` while either is on.
    void RunningChanged(bool running);

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

    void ConnectActions();
    void UpdateActionStates();
    void AddShortcut(const QList<QKeySequence> &keys, void (CVeltrix2View::*handler)());
    bool Busy() const { return trace_.on || animation_.on; }
    // True, after saying why in the status bar, while a trace or an
    // animation keeps the functions from changing.
    bool RefusedWhileBusy();
    // The selected node when it is one of `kinds`, and, for a command that
    // changes a function's definition, variables, mode or existence, only
    // while neither trace nor animation runs.
    std::optional<TreeNodeEntry> Target(std::initializer_list<TreeNodeKind> kinds, bool refusedWhileBusy) const;
    void ShowContextMenu();
    void ExecContextMenu(std::unique_ptr<QMenu> menu, const QPoint &viewportPos);

    void EditSelectedNode();
    void DeleteFunction();
    void EditLabel();
    void ToggleVisible();
    void EditText();
    void Evaluate();
    void EditValue();
    void EditRange();
    void EditSteps();
    void ChangeMode();
    void ChangeColor();
    void ToggleTrace();
    void ToggleAnimation();
    void ToggleRun(FunctionRun &run, const FunctionRun &other, void (CVeltrix2View::*barRequested)(bool),
                   void (CVeltrix2View::*runRequested)(bool, int));

    CVeltrix2Doc *doc_;
    CColorTreeCtrl *tree_ = nullptr;
    FunctionTreeMirror *mirror_ = nullptr;
    TreeActions actions_;
    TreeMenus menus_;
    FunctionEditFlows flows_;
    FunctionRun trace_;
    FunctionRun animation_;
    int selectedFunction_ = -1;   // as last told
    bool running_ = false;        // as last told
};
