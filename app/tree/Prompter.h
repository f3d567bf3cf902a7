// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

// Every modal interaction of the tree and its dialogs goes through the
// installed prompter, so that tests can answer dialogs and message boxes
// without entering a modal loop.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Runs a dialog modally; true when it ended with OK.
    virtual bool Run(QDialog &dialog);
    virtual void Message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                         const QString &text);
    // Colour chooser started from `initial`; true and `chosen` set on OK.
    virtual bool ChooseColor(QWidget *parent, const QColor &initial, QColor *chosen);
    // Font chooser with a text colour, started from the given pair.
    virtual bool ChooseFont(QWidget *parent, const QFont &initial, const QColor &initialColor,
                            QFont *font, QColor *color);

    // The prompter in use (a default one unless a test installed its own).
    static Prompter &Current();
    // Installs `prompter` (not owned); nullptr restores the default.
    static void Install(Prompter *prompter);
};

// The user-input error box: title "Error", error icon.
void ShowError(QWidget *parent, const QString &text);
