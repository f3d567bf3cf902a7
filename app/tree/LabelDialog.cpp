// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/LabelDialog.h"

#include <QLineEdit>

#include "model/FunctionRecord.h"

LabelDialog::LabelDialog(QWidget *parent) : SingleFieldDialog(8, 7, 244, 14, parent)
{
    setWindowTitle(QStringLiteral("Label editing"));
    SetDluSize(337, 50);
    AddText(QStringLiteral("Insert the name of the function (max. 80 characters)"), 8, 30, 260, 10);
    PlaceButtons(279, 7, 279, 24);
}

void LabelDialog::LoadFields()
{
    edit_->setMaxLength(32767);
    edit_->setText(label);
    edit_->setMaxLength(kMaxLabelLength);
}

bool LabelDialog::SaveFields()
{
    const QString typed = edit_->text();
    if (typed.size() > kMaxLabelLength) {
        FieldMessage(edit_, QStringLiteral("Please enter no more than %1 characters.").arg(kMaxLabelLength));
        return false;
    }
    if (!StorableText(edit_, typed))
        return false;
    label = typed;
    return true;
}
