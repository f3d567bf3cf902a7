// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include "tree/DialogUnits.h"
#include "tree/FieldExchange.h"

class QLabel;
class QLineEdit;
class QPushButton;

// A dialog whose member data is copied into its controls each time it is
// shown and read back (and checked for format) when OK is pressed.  A
// refused field keeps the dialog open with the focus on that field.  The
// geometry is given in dialog units of the dialog's font, so the layout
// keeps its proportions with any font.
class ExchangeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExchangeDialog(QWidget *parent = nullptr);

    // Runs the field exchange from the controls; closes with OK when all
    // fields read.  Tests call it in place of pressing the OK button.
    void accept() override;

    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }

protected:
    void showEvent(QShowEvent *event) override;
    virtual void LoadFields() = 0;
    virtual bool SaveFields() = 0;

    // Dialog units to pixels.
    QRect Dlu(int x, int y, int width, int height) const;
    void SetDluSize(int width, int height);
    void PlaceButtons(int okX, int okY, int cancelX, int cancelY);
    // A static text and a line field at a place given in dialog units.
    QLabel *AddText(const QString &text, int x, int y, int width, int height);
    QLineEdit *AddField(int x, int y, int width, int height);

    bool ReadNumber(QLineEdit *edit, double *value);
    bool ReadInteger(QLineEdit *edit, int32_t *value);
    void FieldMessage(QWidget *field, const QString &text);
    // False, after telling the user and selecting the character, when `text`
    // holds one that the document's code page cannot store.
    bool StorableText(QWidget *field, const QString &text);

private:
    QPushButton *ok_;
    QPushButton *cancel_;
};
