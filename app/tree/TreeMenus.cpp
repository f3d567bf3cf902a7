// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/TreeMenus.h"

#include <QAction>
#include <QMenu>

#include "tree/FunctionTreeMirror.h"
#include "tree/TreePictures.h"

namespace {

QIcon MenuIcon(const QPixmap &picture, const QPixmap &checkedPicture = QPixmap())
{
    QIcon icon(picture);
    if (!checkedPicture.isNull())
        icon.addPixmap(checkedPicture, QIcon::Normal, QIcon::On);
    return icon;
}

// The stand-in shows the command's state when the menu opens and runs it
// when chosen; the command then checks the selection itself.
QAction *AddStandIn(QMenu *menu, QAction *command, const QString &text, const QIcon &icon = {})
{
    QAction *item = menu->addAction(icon, text);
    item->setObjectName(command->objectName());
    item->setStatusTip(command->statusTip());
    item->setEnabled(command->isEnabled());
    item->setCheckable(command->isCheckable());
    item->setChecked(command->isChecked());
    QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

}  // namespace

TreeMenus::TreeMenus(const TreeActions &actions, QWidget *menuParent) : actions_(actions), menuParent_(menuParent)
{
    for (const QPixmap &picture : MenuPictures())
        pictures_.append(MenuIcon(picture));
}

std::unique_ptr<QMenu> TreeMenus::ContextMenu(const TreeNodeEntry *entry) const
{
    const TreeActions &a = actions_;
    auto menu = std::make_unique<QMenu>(menuParent_);
    if (!entry) {
        AddStandIn(menu.get(), a.refreshTree, QStringLiteral("&Refresch"));
        AddStandIn(menu.get(), a.addFunction, QStringLiteral("&Add Function..."));
        return menu;
    }

    // Every "Edit..." and "Evaluate" has the red cross as its checked picture.
    const QPixmap cross = MenuPictures().at(CrossPicture);
    const QIcon edit = MenuIcon(MenuPictures().at(EditPicture), cross);
    const QString editText = QStringLiteral("&Edit...");
    switch (entry->kind) {
    case FunctionNode:
        AddStandIn(menu.get(), a.deleteFunction, QStringLiteral("&Delete Function"), pictures_.at(CrossPicture));
        AddStandIn(menu.get(), a.visible, QStringLiteral("&Visible"));
        menu->addSeparator();
        AddStandIn(menu.get(), a.editLabel, editText, edit);
        break;
    case TextNode:
        AddStandIn(menu.get(), a.editText, editText, edit);
        AddStandIn(menu.get(), a.evaluate, QStringLiteral("E&valuate"),
                   MenuIcon(MenuPictures().at(CurvePicture), cross));
        AddStandIn(menu.get(), a.trace, QStringLiteral("&Trace"));
        AddStandIn(menu.get(), a.animate, QStringLiteral("&Animate"));
        break;
    case VariableNode: AddStandIn(menu.get(), a.editValue, editText, edit); break;
    case RangeNode: AddStandIn(menu.get(), a.editRange, editText, edit); break;
    case StepsNode: AddStandIn(menu.get(), a.editSteps, editText, edit); break;
    case ModeNode: AddStandIn(menu.get(), a.changeMode, editText, edit); break;
    default: AddStandIn(menu.get(), a.changeColor, editText, edit); break;
    }
    return menu;
}

void TreeMenus::FillFunctionsMenu(QMenu *menu, const TreeNodeEntry *entry) const
{
    const TreeActions &a = actions_;
    menu->clear();
    menu->addActions({a.refreshTree, a.addFunction});
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
    default: menu->addAction(a.changeColor); break;
    }
}
