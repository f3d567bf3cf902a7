#include "tree/ExchangeDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ExchangeDialog::ExchangeDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(ok_, &QPushButton::clicked, this, &ExchangeDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void ExchangeDialog::accept()
{
    if (SaveFields())
        QDialog::accept();
}

void ExchangeDialog::showEvent(QShowEvent *event)
{
    setResult(Rejected);
    LoadFields();
    QDialog::showEvent(event);
}

QRect ExchangeDialog::Dlu(int x, int y, int width, int height) const
{
    return DialogUnits(font()).Rect(x, y, width, height);
}

void ExchangeDialog::SetDluSize(int width, int height)
{
    setFixedSize(Dlu(0, 0, width, height).size());
}

void ExchangeDialog::PlaceButtons(int okX, int okY, int cancelX, int cancelY)
{
    ok_->setGeometry(Dlu(okX, okY, 50, 14));
    cancel_->setGeometry(Dlu(cancelX, cancelY, 50, 14));
}

QLabel *ExchangeDialog::AddText(const QString &text, int x, int y, int width, int height)
{
    auto *label = new QLabel(text, this);
    label->setGeometry(Dlu(x, y, width, height));
    return label;
}

QLineEdit *ExchangeDialog::AddField(int x, int y, int width, int height)
{
    auto *edit = new QLineEdit(this);
    edit->setGeometry(Dlu(x, y, width, height));
    return edit;
}

void ExchangeDialog::FieldMessage(QWidget *field, const QString &text)
{
    ::FieldMessage(field, text);
}

bool ExchangeDialog::ReadNumber(QLineEdit *edit, double *value)
{
    return ReadNumberField(edit, value);
}

bool ExchangeDialog::ReadInteger(QLineEdit *edit, int32_t *value)
{
    return ReadIntegerField(edit, value);
}
