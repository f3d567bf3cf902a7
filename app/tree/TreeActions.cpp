// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/TreeActions.h"

#include <QAction>
#include <QIcon>

#include <optional>

#include "tree/TreePictures.h"

namespace {

QAction *Make(QObject *owner, const char *name, const QString &text, const QString &prompt = QString(),
              std::optional<MenuPicture> picture = std::nullopt)
{
    auto *action = new QAction(text, owner);
    action->setObjectName(QLatin1String(name));
    action->setStatusTip(prompt);
    if (picture)
        action->setIcon(QIcon(MenuPictures().at(*picture)));
    return action;
}

}  // namespace

TreeActions TreeActions::Make(QObject *owner)
{
    TreeActions a;
    a.refreshTree = ::Make(owner, "refreshTree", QStringLiteral("&Refresh tree"),
                           QStringLiteral("Reload all the functions"), RefreshPicture);
    a.addFunction = ::Make(owner, "addFunction", QStringLiteral("&Add Function..."),
                           QStringLiteral("Add a new function"), FunctionPicture);
    a.deleteFunction = ::Make(owner, "deleteFunction", QStringLiteral("&Delete function"),
                              QStringLiteral("Delete the function"), CrossPicture);
    a.editLabel = ::Make(owner, "editLabel", QStringLiteral("&Edit label..."),
                         QStringLiteral("Edit the function label"), EditPicture);
    a.visible = ::Make(owner, "visible", QStringLiteral("&Visible"));
    a.visible->setCheckable(true);
    a.editText = ::Make(owner, "editText", QStringLiteral("&Edit text..."), QStringLiteral("Edit the function text"),
                        EditPicture);
    a.evaluate = ::Make(owner, "evaluate", QStringLiteral("E&valuate"), QString(), CurvePicture);
    a.trace = ::Make(owner, "trace", QStringLiteral("&Trace"));
    a.trace->setCheckable(true);
    a.animate = ::Make(owner, "animate", QStringLiteral("A&nimate"));
    a.animate->setCheckable(true);
    a.editValue = ::Make(owner, "editValue", QStringLiteral("&Edit value..."), QString(), EditPicture);
    a.editRange = ::Make(owner, "editRange", QStringLiteral("&Edit range..."),
                         QStringLiteral("Edit the range of the variable"), EditPicture);
    a.editSteps = ::Make(owner, "editSteps", QStringLiteral("&Edit steps..."),
                         QStringLiteral("Change the number of steps for the variable"), EditPicture);
    a.changeMode = ::Make(owner, "changeMode", QStringLiteral("&Change mode..."),
                          QStringLiteral("Change the visualization mode"), EditPicture);
    a.changeColor = ::Make(owner, "changeColor", QStringLiteral("&Change color..."),
                           QStringLiteral("Change the color"), EditPicture);
    return a;
}

QList<QAction *> TreeActions::All() const
{
    return {refreshTree, addFunction, deleteFunction, editLabel, visible, editText, evaluate,
            trace, animate, editValue, editRange, editSteps, changeMode, changeColor};
}
