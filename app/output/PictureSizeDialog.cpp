// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/PictureSizeDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kFactors[3] = {1, 2, 4};

QString SizeText(QSize s)
{
    return QStringLiteral("%1 \u00D7 %2").arg(s.width()).arg(s.height());
}

} // namespace

PictureSizeDialog::PictureSizeDialog(QSize viewSize, int maxSide, QWidget *parent)
    : QDialog(parent), viewSize_(viewSize)
{
    setWindowTitle(QStringLiteral("Export PNG"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Size of the picture in pixels:"), this));

    auto *group = new QButtonGroup(this);
    static const char *const captions[3] = {"The view's: %1", "Twice the view's: %1", "Four times the view's: %1"};
    QRadioButton *first = nullptr;
    for (int k = 0; k < 3; ++k) {
        const QSize s = viewSize * kFactors[k];
        scaled_[k] = new QRadioButton(QString::fromLatin1(captions[k]).arg(SizeText(s)), this);
        scaled_[k]->setEnabled(!s.isEmpty() && s.width() <= maxSide && s.height() <= maxSide);
        group->addButton(scaled_[k]);
        layout->addWidget(scaled_[k]);
        if (!first && scaled_[k]->isEnabled())
            first = scaled_[k];
    }

    auto *otherRow = new QHBoxLayout;
    other_ = new QRadioButton(QStringLiteral("Other:"), this);
    group->addButton(other_);
    width_ = new QSpinBox(this);
    height_ = new QSpinBox(this);
    for (QSpinBox *box : {width_, height_}) {
        box->setRange(1, maxSide);
        box->setAccelerated(true);
        // Typing a size chooses it.
        connect(box, &QSpinBox::valueChanged, other_, [this] { other_->setChecked(true); });
    }
    const QSize start = viewSize.isEmpty() ? QSize(1280, 1024) : viewSize;
    width_->setValue(start.width());
    height_->setValue(start.height());
    width_->setAccessibleName(QStringLiteral("Width"));
    height_->setAccessibleName(QStringLiteral("Height"));
    otherRow->addWidget(other_);
    otherRow->addWidget(width_);
    otherRow->addWidget(new QLabel(QStringLiteral("\u00D7"), this));
    otherRow->addWidget(height_);
    otherRow->addStretch();
    layout->addLayout(otherRow);
    (first ? first : other_)->setChecked(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QSize PictureSizeDialog::ChosenSize() const
{
    for (int k = 0; k < 3; ++k)
        if (scaled_[k]->isChecked())
            return viewSize_ * kFactors[k];
    return QSize(width_->value(), height_->value());
}
