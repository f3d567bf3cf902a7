// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsCommand.h"

#include <QGuiApplication>

#include "history/DocumentHistory.h"
#include "history/HistoryCommand.h"
#include "model/CVeltrix2Doc.h"
#include "tree/Prompter.h"
#include "tree/SettingsDialog.h"

namespace {
// "Change settings": the settings before and after the dialog.
class ChangeSettings : public HistoryCommand {
public:
    ChangeSettings(DocumentHistory &history, const ViewSettings &after)
        : HistoryCommand(history, QStringLiteral("Change settings")), before_(history.Document().Settings()),
          after_(after)
    {
    }

protected:
    void Apply() override { ApplyViewSettings(Doc(), after_); }
    void Revert() override { ApplyViewSettings(Doc(), before_); }

private:
    ViewSettings before_, after_;
};
}  // namespace

bool RunSettingsCommand(CVeltrix2Doc &doc, QWidget *dialogParent, QString *corrected)
{
    SettingsDialog dialog(dialogParent);
    dialog.settings = doc.Settings();
    if (!Prompter::Current().Run(dialog))
        return false;
    if (corrected)
        *corrected = dialog.corrections.isEmpty()
                         ? QString()
                         : QStringLiteral("Settings corrected: ") + dialog.corrections.join(QStringLiteral("; "));
    DocumentHistory &history = DocumentHistory::Of(doc);
    history.Push(new ChangeSettings(history, dialog.settings));
    return true;
}

void ApplyViewSettings(CVeltrix2Doc &doc, const ViewSettings &settings)
{
    doc.Settings() = KeepingCamera(settings, doc.Settings());
    doc.SetModifiedFlag(true);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    doc.UpdateAllViews(nullptr, -1);
    QGuiApplication::restoreOverrideCursor();
}
