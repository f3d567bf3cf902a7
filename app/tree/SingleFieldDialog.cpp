// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/SingleFieldDialog.h"

#include <QLineEdit>

SingleFieldDialog::SingleFieldDialog(int x, int y, int width, int height, QWidget *parent)
    : ExchangeDialog(parent), edit_(AddField(x, y, width, height))
{
    edit_->setFocus();
}
