// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FrameActions.h"

#include <QAction>
#include <QKeySequence>

#include "KeyBindings.h"
#include "view3d/CommandAction.h"

namespace {

QAction *MakeCheckable(QObject *owner, const char *name, const QString &text, const QString &promptAndTip)
{
    QAction *action = MakeCommandAction(owner, name, text, promptAndTip);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

}  // namespace

FrameActions FrameActions::Make(QObject *owner)
{
    using K = QKeySequence;
    FrameActions a;
    a.fileNew = MakeCommandAction(owner, "fileNew", QStringLiteral("&New\tCtrl+N"),
                                  QStringLiteral("Create a new document\nNew"),
                                  {K(QStringLiteral("Ctrl+N"))});
    a.fileOpen = MakeCommandAction(owner, "fileOpen", QStringLiteral("&Open...\tCtrl+O"),
                                   QStringLiteral("Open an existing document\nOpen"), {K(QStringLiteral("Ctrl+O"))});
    a.fileSave = MakeCommandAction(owner, "fileSave", QStringLiteral("&Save\tCtrl+S"),
                                   QStringLiteral("Save the active document\nSave"),
                                   {K(QStringLiteral("Ctrl+S"))});
    a.fileSaveAs = MakeCommandAction(owner, "fileSaveAs", QStringLiteral("Save &As..."),
                                     QStringLiteral("Save the active document with a new name\nSave As"),
                                     StandardKeys(K::SaveAs, {K(QStringLiteral("Ctrl+Shift+S"))}));
    a.exit = MakeCommandAction(owner, "exit", QStringLiteral("E&xit"),
                               QStringLiteral("Quit the application; prompts to save documents\nExit"),
                               StandardKeys(K::Quit, {K(QStringLiteral("Ctrl+Q"))}));
    a.settings = MakeCommandAction(owner, "settings", QStringLiteral("&Settings..."),
                                   QStringLiteral("Change the view settings\nSettings"));

    a.standardBar = MakeCheckable(owner, "standardBar", QStringLiteral("&Standard Toolbar"),
                                  QStringLiteral("Show or hide the toolbar\nToggle ToolBar"));
    a.toolBar3d = MakeCheckable(owner, "toolBar3d", QStringLiteral("&3D Toolbar"),
                                QStringLiteral("Show or hide the3d toolbar\nToggle 3d toolBar"));
    a.statusBar = MakeCheckable(owner, "statusBar", QStringLiteral("&Status Bar"),
                                QStringLiteral("Show or hide the status bar\nToggle StatusBar"));
    a.parameters = MakeCheckable(owner, "parameters", QStringLiteral("&Parameters"),
                                 QStringLiteral("Show or hide the sliders of the selected function's parameters\n"
                                                "Parameters"));
    a.parameters->setChecked(false);
    a.fullScreen = MakeCommandAction(owner, "fullScreen", QStringLiteral("Full Screen"), QString(),
                                     StandardKeys(K::FullScreen, {K(Qt::Key_F11)}));

    a.summary = MakeCommandAction(owner, "summary", QStringLiteral("&Summary"),
                                  QStringLiteral("Display the manual\nthe manual"));
    a.about = MakeCommandAction(owner, "about", QStringLiteral("&About Veltrix..."),
                                QStringLiteral("Display program information, version number and copyright\nAbout"));

    a.nextPane = MakeCommandAction(owner, "nextPane", QStringLiteral("Next Pane"),
                                   QStringLiteral("Switch to the next window pane\nNext Pane"), {K(Qt::Key_F6)});
    a.prevPane = MakeCommandAction(owner, "prevPane", QStringLiteral("Previous Pane"),
                                   QStringLiteral("Switch back to the previous window pane\nPrevious Pane"),
                                   {K(Qt::SHIFT | Qt::Key_F6)});
    a.closeTraceAnimation = MakeCommandAction(owner, "closeTraceAnimation", QStringLiteral("Close"),
                                              QStringLiteral("Stop tracing and animating\nClose"));
    return a;
}
