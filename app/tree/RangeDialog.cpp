// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/RangeDialog.h"

#include <QLineEdit>

RangeDialog::RangeDialog(QWidget *parent) : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("Range editing"));
    SetDluSize(216, 73);
    AddText(QStringLiteral("min:"), 7, 10, 26, 10);
    minEdit_ = AddField(34, 7, 49, 14);
    AddText(QStringLiteral("max:"), 7, 34, 26, 10);
    maxEdit_ = AddField(34, 31, 49, 14);
    AddText(QStringLiteral("Enter the minimum and maximum allowable values"), 7, 57, 200, 10);
    PlaceButtons(156, 7, 156, 24);
    minEdit_->setFocus();
}

void RangeDialog::LoadFields()
{
    minEdit_->setText(NumberFieldText(min));
    maxEdit_->setText(NumberFieldText(max));
}

bool RangeDialog::SaveFields()
{
    double newMin = 0, newMax = 0;
    if (!ReadNumber(minEdit_, &newMin) || !ReadNumber(maxEdit_, &newMax))
        return false;
    min = newMin;
    max = newMax;
    return true;
}
