// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

#include <QDialog>

class PictureButton;
class QLabel;
class QPushButton;

// Lets the user pick a visualization mode from four sample pictures; the
// chosen one carries a red tick.
class ModeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModeDialog(QWidget *parent = nullptr);

    int32_t mode = 0;

    PictureButton *ModeButton(int mode) const { return buttons_.at(size_t(mode)); }
    // The mode's name under its picture.
    QLabel *ModeCaption(int mode) const { return captions_.at(size_t(mode)); }
    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }
    // Gives every button its picture, the chosen one ticked.
    void LoadPictures();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ArrangeButtons();

    std::array<PictureButton *, 4> buttons_{};
    std::array<QLabel *, 4> captions_{};
    QPushButton *ok_;
    QPushButton *cancel_;
};
