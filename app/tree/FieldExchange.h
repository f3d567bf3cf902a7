// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include <QString>

class QLineEdit;
class QWidget;

// The exchange between a dialog's member data and its line fields.  A
// reader writes its value only when the field's text reads; otherwise it
// shows the field message (warning icon, program title), puts the focus
// on the field and leaves the value as it was.

// The text a number field shows: up to 15 significant digits, exponent form
// only for very large or small magnitudes.
QString NumberFieldText(double value);

// A complete decimal number, blanks around it allowed; "nan" and "inf" are
// refused, since no range check could hold them.  "Please enter a number."
bool ReadNumberField(QLineEdit *edit, double *value);
// A signed 32-bit integer.  "Please enter an integer."
bool ReadIntegerField(QLineEdit *edit, int32_t *value);
// An unsigned 32-bit integer in decimal.  "Please enter a positive integer."
bool ReadUnsignedField(QLineEdit *edit, uint32_t *value);

// The field-format message box over the field's window; the field gets the
// focus with its text selected.
void FieldMessage(QWidget *field, const QString &text);
