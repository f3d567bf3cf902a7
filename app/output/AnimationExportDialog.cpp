// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/AnimationExportDialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "output/AnimationFilm.h"

namespace {

constexpr int kMaxFps = 120;

QSize EvenSize(QSize s)
{
    return QSize(std::max(2, s.width() & ~1), std::max(2, s.height() & ~1));
}

} // namespace

AnimationExportDialog::AnimationExportDialog(const QString &label, QSize viewSize, int maxSide, int loopLength,
                                             QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export Animation"));
    auto *form = new QFormLayout;
    auto *function = new QLabel(label, this);
    function->setTextFormat(Qt::PlainText);
    form->addRow(QStringLiteral("Function:"), function);

    format_ = new QComboBox(this);
    format_->addItem(QStringLiteral("MP4 video (H.264)"), int(VideoFormat::Mp4));
    format_->addItem(QStringLiteral("WebM video (VP9)"), int(VideoFormat::WebM));
    format_->addItem(QStringLiteral("GIF animation"), int(VideoFormat::Gif));
    form->addRow(QStringLiteral("&Format:"), format_);

    width_ = new QSpinBox(this);
    height_ = new QSpinBox(this);
    const QSize start = EvenSize(viewSize.isEmpty() ? QSize(1280, 720) : viewSize.boundedTo(QSize(maxSide, maxSide)));
    for (QSpinBox *box : {width_, height_}) {
        box->setRange(2, std::max(2, maxSide));
        box->setAccelerated(true);
        connect(box, &QSpinBox::editingFinished, this, &AnimationExportDialog::KeepSizeEven);
    }
    width_->setValue(start.width());
    height_->setValue(start.height());
    width_->setAccessibleName(QStringLiteral("Width"));
    height_->setAccessibleName(QStringLiteral("Height"));
    auto *size = new QHBoxLayout;
    size->addWidget(width_);
    size->addWidget(new QLabel(QStringLiteral("\u00D7"), this));
    size->addWidget(height_);
    size->addWidget(new QLabel(QStringLiteral("pixels"), this));
    size->addStretch();
    auto *sizeLabel = new QLabel(QStringLiteral("&Size:"), this);
    sizeLabel->setBuddy(width_);
    form->addRow(sizeLabel, size);

    frames_ = new QSpinBox(this);
    frames_->setRange(1, int(kMaxLoopFrames));
    frames_->setAccelerated(true);
    frames_->setValue(std::clamp(loopLength, 1, int(kMaxLoopFrames)));
    frames_->setToolTip(QStringLiteral("One loop of the animation shows %1 pictures").arg(loopLength));
    auto *frames = new QHBoxLayout;
    frames->addWidget(frames_);
    frames->addWidget(new QLabel(QStringLiteral("(one loop: %1)").arg(loopLength), this));
    frames->addStretch();
    auto *framesLabel = new QLabel(QStringLiteral("&Pictures:"), this);
    framesLabel->setBuddy(frames_);
    form->addRow(framesLabel, frames);

    fps_ = new QSpinBox(this);
    fps_->setRange(1, kMaxFps);
    fps_->setValue(25);
    fps_->setSuffix(QStringLiteral(" a second"));
    form->addRow(QStringLiteral("&Rate:"), fps_);
    length_ = new QLabel(this);
    form->addRow(QStringLiteral("Length:"), length_);

    connect(format_, &QComboBox::currentIndexChanged, this, &AnimationExportDialog::KeepSizeEven);
    connect(frames_, &QSpinBox::valueChanged, this, &AnimationExportDialog::ShowLength);
    connect(fps_, &QSpinBox::valueChanged, this, &AnimationExportDialog::ShowLength);
    ShowLength();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        KeepSizeEven();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void AnimationExportDialog::KeepSizeEven()
{
    if (VideoFormat(format_->currentData().toInt()) == VideoFormat::Gif)
        return;
    for (QSpinBox *box : {width_, height_})
        if (box->value() % 2)
            box->setValue(box->value() - 1);
}

void AnimationExportDialog::ShowLength()
{
    length_->setText(QStringLiteral("%1 seconds").arg(double(frames_->value()) / fps_->value(), 0, 'f', 2));
}

AnimationChoice AnimationExportDialog::Choice() const
{
    AnimationChoice c;
    c.format = VideoFormat(format_->currentData().toInt());
    c.size = QSize(width_->value(), height_->value());
    c.frames = frames_->value();
    c.fps = fps_->value();
    return c;
}
