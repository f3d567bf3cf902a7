// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tree/SingleFieldDialog.h"

class QLabel;

// Asks for a new current value of a variable, showing beside the field the
// range the value must lie in.
class ValueDialog : public SingleFieldDialog {
    Q_OBJECT
public:
    explicit ValueDialog(QWidget *parent = nullptr);

    double value = 0;

    // "x in [-5.,5.]" beside the field; the dialog widens when that needs
    // more room than there is before the buttons.
    void ShowRange(const QString &variable, double min, double max);
    QString RangeShown() const;

private:
    QLabel *range_;

protected:
    void LoadFields() override;
    bool SaveFields() override;
};
