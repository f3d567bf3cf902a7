// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStyledItemDelegate>

// Draws an item as usual, with a small square of a colour of its own (the
// item's data under kSwatchRole) between its picture and its text: the
// colour the item stands for, whatever colour its text has to be written in.
class SwatchDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kSwatchRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    // The option the item is drawn with, picture and swatch included.
    void InitOption(QStyleOptionViewItem *option, const QModelIndex &index) const
    {
        initStyleOption(option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
