#include "tree/FontChooser.h"

#include <QDialogButtonBox>
#include <QFontInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "tree/ColorButton.h"

FontChooser::FontChooser(const QFont &font, const QColor &color, QWidget *parent)
    : QDialog(parent), chosenColor_(FromQColor(color))
{
    setWindowTitle(QStringLiteral("Font"));
    // Naming the matched style lets the panel select it even where a
    // family calls its regular face "Book" rather than "Regular".
    QFont initial = font;
    initial.setStyleName(QFontInfo(font).styleName());
    fonts_ = new QFontDialog(initial, this);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);

    auto *colorLabel = new QLabel(QStringLiteral("Color:"), this);
    color_ = new ColorButton(this);
    color_->setFixedSize(48, 20);
    color_->SetColor(chosenColor_);
    connect(color_, &ColorButton::Pressed, this, [this] { color_->ChooseFor(this, &chosenColor_); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(color_);
    colorRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

QFont FontChooser::SelectedFont() const
{
    return fonts_->currentFont();
}

QColor FontChooser::SelectedColor() const
{
    return ToQColor(chosenColor_);
}
