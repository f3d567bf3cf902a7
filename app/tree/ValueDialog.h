// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tree/SingleFieldDialog.h"

// Asks for a new current value of a variable.
class ValueDialog : public SingleFieldDialog {
    Q_OBJECT
public:
    explicit ValueDialog(QWidget *parent = nullptr);

    double value = 0;

protected:
    void LoadFields() override;
    bool SaveFields() override;
};
