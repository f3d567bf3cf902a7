// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/StepsDialog.h"

#include <QLabel>
#include <QLineEdit>

StepsDialog::StepsDialog(QWidget *parent) : SingleFieldDialog(36, 7, 40, 14, parent)
{
    setWindowTitle(QStringLiteral("Steps editing"));
    SetDluSize(211, 69);
    AddText(QStringLiteral("steps:"), 7, 10, 28, 10);
    // Wider than its template so that the four lines fit with any dialog font.
    QLabel *hint = AddText(QStringLiteral("Enter the desired number of divisions in which you want the "
                                          "range to be subdivided during visualization"),
                           7, 34, 142, 32);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceButtons(154, 7, 154, 24);
}

void StepsDialog::LoadFields()
{
    edit_->setText(QString::number(steps));
}

bool StepsDialog::SaveFields()
{
    return ReadInteger(edit_, &steps);
}
