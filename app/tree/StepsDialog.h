// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "tree/SingleFieldDialog.h"

// Asks for the number of divisions of a variable's range.
class StepsDialog : public SingleFieldDialog {
    Q_OBJECT
public:
    explicit StepsDialog(QWidget *parent = nullptr);

    int32_t steps = 0;

protected:
    void LoadFields() override;
    bool SaveFields() override;
};
