// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QSettings>
#include <QString>
#include <string>

#include "GuiWaits.h"

class CVeltrix2Doc;
class QWidget;

// Empties the test run's settings store.
void ClearSettingsStore();

// Compiles `text` and appends it to the document; false when it does not compile.
bool AddFunction(CVeltrix2Doc &doc, const std::string &label, const std::string &text, int mode = 0);

// "x, y, w x h", for failure messages.
std::string RectText(const QRect &r);

// Waits (events running) until `window` has the geometry `wanted`.
bool WaitForGeometry(const QWidget &window, const QRect &wanted, int timeoutMs = kPatienceMs);

// Writes `bytes` to a new file in `dir` and returns its path.
QString WriteFile(const QString &dir, const QString &name, const QByteArray &bytes);
