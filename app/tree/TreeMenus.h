#pragma once

#include <memory>

#include <QIcon>
#include <QVector>

#include "tree/TreeActions.h"

class QMenu;
class QString;
class QWidget;
struct TreeNodeEntry;

// The tree's menus: the context menu of a node (or of the empty tree) and
// the node's part of the main window's "F&unctions" menu.  Both show the
// tree's actions, so they are greyed and checked alike: the main menu the
// actions themselves, the context menu stand-ins with their own texts.
class TreeMenus {
public:
    TreeMenus(const TreeActions &actions, QWidget *menuParent);

    // The popup of a node's kind; without a node the short one.
    std::unique_ptr<QMenu> ContextMenu(const TreeNodeEntry *entry) const;
    // Clears `menu` and fills it with "Refresh tree", "Add Function..." and
    // the commands of the node's kind.
    void FillFunctionsMenu(QMenu *menu, const TreeNodeEntry *entry) const;

private:
    const TreeActions &actions_;
    QWidget *menuParent_;
    QVector<QIcon> pictures_;
};
