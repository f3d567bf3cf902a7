#include "tree/ValueDialog.h"

#include <QLabel>
#include <QLineEdit>

ValueDialog::ValueDialog(QWidget *parent) : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("Value editing"));
    SetDluSize(225, 58);
    auto *caption = new QLabel(QStringLiteral("value:"), this);
    caption->setGeometry(Dlu(7, 22, 27, 10));
    edit_ = new QLineEdit(this);
    edit_->setGeometry(Dlu(35, 19, 40, 14));
    auto *hint = new QLabel(QStringLiteral("Insert a new value for the variable"), this);
    hint->setGeometry(Dlu(7, 43, 150, 10));
    PlaceButtons(168, 7, 168, 24);
    edit_->setFocus();
}

void ValueDialog::LoadFields()
{
    edit_->setText(NumberFieldText(value));
}

bool ValueDialog::SaveFields()
{
    return ReadNumber(edit_, &value);
}
