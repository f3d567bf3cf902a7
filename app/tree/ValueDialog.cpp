// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/ValueDialog.h"

#include <QLineEdit>

ValueDialog::ValueDialog(QWidget *parent) : SingleFieldDialog(35, 19, 40, 14, parent)
{
    setWindowTitle(QStringLiteral("Value editing"));
    SetDluSize(225, 58);
    AddText(QStringLiteral("value:"), 7, 22, 27, 10);
    AddText(QStringLiteral("Insert a new value for the variable"), 7, 43, 150, 10);
    PlaceButtons(168, 7, 168, 24);
}

void ValueDialog::LoadFields()
{
    edit_->setText(NumberFieldText(value));
}

bool ValueDialog::SaveFields()
{
    return ReadNumber(edit_, &value);
}
