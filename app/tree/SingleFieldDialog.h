// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tree/ExchangeDialog.h"

// An exchange dialog of one line field, which has the focus when shown.
class SingleFieldDialog : public ExchangeDialog {
    Q_OBJECT
public:
    QLineEdit *Edit() const { return edit_; }

protected:
    // The field at a place given in dialog units.
    SingleFieldDialog(int x, int y, int width, int height, QWidget *parent);

    QLineEdit *const edit_;
};
