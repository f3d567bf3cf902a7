#include "tree/RangeDialog.h"

#include <QLabel>
#include <QLineEdit>

RangeDialog::RangeDialog(QWidget *parent) : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("Range editing"));
    SetDluSize(216, 73);
    auto *minCaption = new QLabel(QStringLiteral("min:"), this);
    minCaption->setGeometry(Dlu(7, 10, 26, 10));
    minEdit_ = new QLineEdit(this);
    minEdit_->setGeometry(Dlu(34, 7, 49, 14));
    auto *maxCaption = new QLabel(QStringLiteral("max:"), this);
    maxCaption->setGeometry(Dlu(7, 34, 26, 10));
    maxEdit_ = new QLineEdit(this);
    maxEdit_->setGeometry(Dlu(34, 31, 49, 14));
    auto *hint = new QLabel(QStringLiteral("Enter the minimum and maximum allowable values"), this);
    hint->setGeometry(Dlu(7, 57, 200, 10));
    PlaceButtons(156, 7, 156, 24);
    minEdit_->setFocus();
}

void RangeDialog::LoadFields()
{
    minEdit_->setText(NumberFieldText(min));
    maxEdit_->setText(NumberFieldText(max));
}

bool RangeDialog::SaveFields()
{
    double newMin = 0, newMax = 0;
    if (!ReadNumber(minEdit_, &newMin) || !ReadNumber(maxEdit_, &newMax))
        return false;
    min = newMin;
    max = newMax;
    return true;
}
