// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/ModeDialog.h"

#include <QLabel>
#include <QPushButton>

#include "model/DisplayForms.h"

#include "tree/ModePictures.h"
#include "tree/PictureButton.h"

namespace {
struct ModeButtonSpec {
    const char *text;
    int id;
    QRect rect;
};
const ModeButtonSpec kButtons[4] = {
    {"Wireframe", 1014, QRect(20, 10, 100, 100)},
    {"Filled", 1015, QRect(140, 10, 100, 100)},
    {"Chess board", 146, QRect(260, 10, 100, 100)},
    {"GRADIENT", 147, QRect(380, 10, 100, 100)},
};
constexpr int kWidth = 510;
constexpr int kPictureRowHeight = 170;
constexpr int kOkRight = 480;
constexpr int kMargin = 10;
constexpr int kCaptionOverhang = 8;   // a caption may be a little wider than its picture
}  // namespace

ModeDialog::ModeDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Visualization mode selection"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    for (int m = 0; m < 4; ++m) {
        auto *button = new PictureButton(this);
        button->setText(QString::fromLatin1(kButtons[m].text));
        button->setObjectName(QString::number(kButtons[m].id));
        button->setGeometry(kButtons[m].rect);
        button->setFocusPolicy(Qt::NoFocus);
        // The pictures speak for themselves only to those who know the
        // modes: each is named under it, and in its tool tip.
        const QString name = ModeName(m);
        button->setToolTip(name);
        button->setAccessibleName(name);
        auto *caption = new QLabel(name, this);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setGeometry(kButtons[m].rect.left() - kCaptionOverhang, kButtons[m].rect.bottom() + 5,
                             kButtons[m].rect.width() + 2 * kCaptionOverhang, caption->sizeHint().height());
        captions_[size_t(m)] = caption;
        connect(button, &QAbstractButton::clicked, this, [this, m] {
            mode = m;
            LoadPictures();
        });
        buttons_[size_t(m)] = button;
    }
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    ok_->resize(ok_->sizeHint().expandedTo(QSize(75, 23)));
    cancel_->resize(ok_->size());
    ArrangeButtons();
}

void ModeDialog::LoadPictures()
{
    for (int m = 0; m < 4; ++m)
        buttons_[size_t(m)]->SetPicture(ModePicture(m, m == mode));
}

// OK and Cancel side by side under the pictures, OK's right edge under
// the last picture's.
void ModeDialog::ArrangeButtons()
{
    const int w = ok_->width(), h = ok_->height();
    setFixedSize(kWidth, kPictureRowHeight + h);
    const int top = height() - h - kMargin;
    ok_->move(kOkRight - w, top);
    cancel_->move(kOkRight - kMargin - 2 * w, top);
}

void ModeDialog::showEvent(QShowEvent *event)
{
    setResult(Rejected);
    LoadPictures();
    QDialog::showEvent(event);
}
