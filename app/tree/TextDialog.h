// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "tree/ExchangeDialog.h"

class PersistentEdit;
class QButtonGroup;
class QPushButton;
class QRadioButton;

// Asks for a function's definition text and its angle unit.  The text box
// keeps the user's font and colours between runs.
class TextDialog : public ExchangeDialog {
    Q_OBJECT
public:
    explicit TextDialog(QWidget *parent = nullptr);

    static constexpr int kNoSelection = -2;

    QString text;
    int selectionStart = kNoSelection;   // both kNoSelection: leave focus and caret alone
    int selectionEnd = kNoSelection;
    int angleMode = 0;                   // 0 "deg", 1 "rad", 2 "gra"

    PersistentEdit *Edit() const { return edit_; }
    QRadioButton *AngleButton(int mode) const;
    QPushButton *FontButton() const { return fontButton_; }
    QPushButton *ColorButton() const { return colorButton_; }

    void ChooseFont();
    void ChooseColor();

protected:
    void LoadFields() override;
    bool SaveFields() override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PlaceColorButton();

    QPushButton *colorButton_;
    QPushButton *fontButton_;
    PersistentEdit *edit_;
    QButtonGroup *angles_;
};
