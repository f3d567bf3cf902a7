// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/ExchangeDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "model/CodePage1252.h"
#include "tree/Prompter.h"

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

bool ExchangeDialog::StorableText(QWidget *field, const QString &text)
{
    std::string bytes;
    QString offending;
    if (ToCp1252(text, &bytes, &offending))
        return true;
    ShowError(this, Cp1252Refusal(offending));
    field->setFocus();
    const int at = int(text.indexOf(offending));
    if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->setSelection(at, int(offending.size()));
    } else if (auto *box = qobject_cast<QPlainTextEdit *>(field)) {
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(at);
        cursor.setPosition(at + int(offending.size()), QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
    }
    return false;
}

bool ExchangeDialog::ReadNumber(QLineEdit *edit, double *value)
{
    return ReadNumberField(edit, value);
}

bool ExchangeDialog::ReadInteger(QLineEdit *edit, int32_t *value)
{
    return ReadIntegerField(edit, value);
}
