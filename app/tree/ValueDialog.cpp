// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/ValueDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/DisplayForms.h"

ValueDialog::ValueDialog(QWidget *parent) : SingleFieldDialog(35, 19, 40, 14, parent)
{
    setWindowTitle(QStringLiteral("Value editing"));
    SetDluSize(225, 58);
    AddText(QStringLiteral("value:"), 7, 22, 27, 10);
    AddText(QStringLiteral("Insert a new value for the variable"), 7, 43, 150, 10);
    PlaceButtons(168, 7, 168, 24);
    range_ = AddText(QString(), 80, 22, 83, 10);
}

void ValueDialog::ShowRange(const QString &variable, double min, double max)
{
    range_->setText(variable + QStringLiteral(" in ") + RangeText(min, max));
    const int excess = range_->fontMetrics().horizontalAdvance(range_->text()) + 1 - range_->width();
    if (excess <= 0)
        return;
    // Everything right of the text moves over by what it lacks.
    range_->resize(range_->width() + excess, range_->height());
    for (QWidget *button : {static_cast<QWidget *>(OkButton()), static_cast<QWidget *>(CancelButton())})
        button->move(button->x() + excess, button->y());
    setFixedSize(width() + excess, height());
}

QString ValueDialog::RangeShown() const
{
    return range_->text();
}

void ValueDialog::LoadFields()
{
    edit_->setText(NumberFieldText(value));
}

bool ValueDialog::SaveFields()
{
    return ReadNumber(edit_, &value);
}
