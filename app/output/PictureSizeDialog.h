// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QSize>

class QRadioButton;
class QSpinBox;

// Asks for the size of an exported picture: the view's own, twice or four
// times as large, or a size typed in.  Sizes beyond `maxSide` a side cannot
// be chosen.
class PictureSizeDialog : public QDialog {
    Q_OBJECT
public:
    PictureSizeDialog(QSize viewSize, int maxSide, QWidget *parent = nullptr);

    QSize ChosenSize() const;

private:
    QSize viewSize_;
    QRadioButton *scaled_[3] = {};
    QRadioButton *other_ = nullptr;
    QSpinBox *width_ = nullptr, *height_ = nullptr;
};
