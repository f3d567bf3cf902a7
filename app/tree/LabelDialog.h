// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tree/SingleFieldDialog.h"

// Asks for a function's label.
class LabelDialog : public SingleFieldDialog {
    Q_OBJECT
public:
    explicit LabelDialog(QWidget *parent = nullptr);

    QString label;

protected:
    void LoadFields() override;
    bool SaveFields() override;
};
