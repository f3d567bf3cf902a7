// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/FieldExchange.h"

#include <cmath>

#include <QLineEdit>

#include "tree/Prompter.h"

namespace {
const QString kFieldMessageTitle = QStringLiteral("Veltrix 2.0");

// Stores what `parse` reads from the field's text (blanks around it
// allowed), or reports `message`.
template <class T, class Parse>
bool ReadField(QLineEdit *edit, T *value, const char *message, Parse parse)
{
    bool ok = false;
    const T read = parse(edit->text().trimmed(), &ok);
    if (!ok) {
        FieldMessage(edit, QString::fromLatin1(message));
        return false;
    }
    *value = read;
    return true;
}
}  // namespace

QString NumberFieldText(double value)
{
    return QString::asprintf("%.15g", value);
}

void FieldMessage(QWidget *field, const QString &text)
{
    Prompter::Current().Message(field->window(), QMessageBox::Warning, kFieldMessageTitle, text);
    field->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
}

bool ReadNumberField(QLineEdit *edit, double *value)
{
    return ReadField(edit, value, "Please enter a number.", [](const QString &text, bool *ok) {
        const double number = text.toDouble(ok);
        *ok = *ok && std::isfinite(number);
        return number;
    });
}

bool ReadIntegerField(QLineEdit *edit, int32_t *value)
{
    return ReadField(edit, value, "Please enter an integer.",
                     [](const QString &text, bool *ok) { return int32_t(text.toInt(ok)); });
}

bool ReadUnsignedField(QLineEdit *edit, uint32_t *value)
{
    return ReadField(edit, value, "Please enter a positive integer.",
                     [](const QString &text, bool *ok) { return uint32_t(text.toUInt(ok)); });
}
