// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

struct ViewSettings;
class CVeltrix2Doc;
class QWidget;

// Edit > Settings...: the settings dialog over the document's view
// settings.  True when the user confirmed; the document then holds the
// dialog's values.
bool RunSettingsCommand(CVeltrix2Doc &doc, QWidget *dialogParent);

// Makes `settings` the document's view settings (the camera rows excepted),
// marks the document modified and, with the wait cursor shown, has every
// view apply them.  Going back is the same call with the earlier settings.
void ApplyViewSettings(CVeltrix2Doc &doc, const ViewSettings &settings);
