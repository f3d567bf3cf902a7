#include "tree/StepsDialog.h"

#include <QLabel>
#include <QLineEdit>

StepsDialog::StepsDialog(QWidget *parent) : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("Steps editing"));
    SetDluSize(211, 69);
    auto *caption = new QLabel(QStringLiteral("steps:"), this);
    caption->setGeometry(Dlu(7, 10, 28, 10));
    edit_ = new QLineEdit(this);
    edit_->setGeometry(Dlu(36, 7, 40, 14));
    auto *hint = new QLabel(QStringLiteral("Enter the desired number of divisions in which you want the "
                                           "range to be subdivided during visualization"),
                            this);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Wider than its template so that the four lines fit with any dialog font.
    hint->setGeometry(Dlu(7, 34, 142, 32));
    PlaceButtons(154, 7, 154, 24);
    edit_->setFocus();
}

void StepsDialog::LoadFields()
{
    edit_->setText(QString::number(steps));
}

bool StepsDialog::SaveFields()
{
    return ReadInteger(edit_, &steps);
}
