#include "SettingsCommand.h"

#include <QGuiApplication>

#include "model/CVeltrix2Doc.h"
#include "tree/Prompter.h"
#include "tree/SettingsDialog.h"

bool RunSettingsCommand(CVeltrix2Doc &doc, QWidget *dialogParent)
{
    SettingsDialog dialog(dialogParent);
    dialog.settings = doc.Settings();
    if (!Prompter::Current().Run(dialog))
        return false;
    ApplyViewSettings(doc, dialog.settings);
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
