// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QSize>

#include "output/VideoEncoder.h"

class QComboBox;
class QLabel;
class QSpinBox;

// What a film is to be: asked of the user before it is made.
struct AnimationChoice {
    VideoFormat format = VideoFormat::Mp4;
    QSize size;
    int frames = 0;
    int fps = 25;
};

// Asks for the format, size, number of pictures and rate of a film of a
// function's animation.  It starts with the view's size (even, as H.264 and
// VP9 want it), one loop of the animation and 25 pictures a second, and
// shows how long the film will play.
class AnimationExportDialog : public QDialog {
    Q_OBJECT
public:
    AnimationExportDialog(const QString &label, QSize viewSize, int maxSide, int loopLength,
                          QWidget *parent = nullptr);

    AnimationChoice Choice() const;

private:
    // H.264 and VP9 take even sizes only: odd values go down by one.
    void KeepSizeEven();
    void ShowLength();

    QComboBox *format_ = nullptr;
    QSpinBox *width_ = nullptr, *height_ = nullptr, *frames_ = nullptr, *fps_ = nullptr;
    QLabel *length_ = nullptr;
};
