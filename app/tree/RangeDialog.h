// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tree/ExchangeDialog.h"

// Asks for the range of a variable.
class RangeDialog : public ExchangeDialog {
    Q_OBJECT
public:
    explicit RangeDialog(QWidget *parent = nullptr);

    double min = 0;
    double max = 0;

    QLineEdit *MinEdit() const { return minEdit_; }
    QLineEdit *MaxEdit() const { return maxEdit_; }

protected:
    void LoadFields() override;
    bool SaveFields() override;

private:
    QLineEdit *minEdit_;
    QLineEdit *maxEdit_;
};
