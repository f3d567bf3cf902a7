// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

struct ViewSettings;
class CVeltrix2Doc;
class QWidget;

#include <QString>

// Edit > Settings...: the settings dialog over the document's view
// settings.  True when the user confirmed; the document then holds the
// dialog's values, and `corrected`, when given, says which typed values
// were out of range and what they became ("Settings corrected: near plane
// 0 → 0.0001"), or is empty.
bool RunSettingsCommand(CVeltrix2Doc &doc, QWidget *dialogParent, QString *corrected = nullptr);

// Makes `settings` the document's view settings (the camera rows excepted),
// marks the document modified and, with the wait cursor shown, has every
// view apply them.  Going back is the same call with the earlier settings.
void ApplyViewSettings(CVeltrix2Doc &doc, const ViewSettings &settings);
