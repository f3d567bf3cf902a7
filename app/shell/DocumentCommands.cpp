#include "DocumentCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "model/CVeltrix2Doc.h"

const QString DocumentCommands::kAppTitle = QStringLiteral("Veltrix 2.0");
const QString DocumentCommands::kUntitledName = QStringLiteral("Untitled");
const QString DocumentCommands::kFilter = QStringLiteral("Veltrix Files (*.vxf)");

QString WithDocumentExtension(const QString &path)
{
    if (path.endsWith(QStringLiteral(".vxf"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".vxf");
}

DocumentCommands::DocumentCommands(CVeltrix2Doc *doc, QWidget *dialogParent)
    : QObject(dialogParent), doc_(doc)
{
    InstallDefaultPrompts(dialogParent);
    QSettings store;
    recent_.Load(store);
    connect(doc_, &CVeltrix2Doc::PathChanged, this, [this] { emit TitleChanged(WindowTitle()); });
}

void DocumentCommands::InstallDefaultPrompts(QWidget *parent)
{
    prompts_.askToSave = [parent](const QString &title) {
        return QMessageBox::warning(parent, kAppTitle, QStringLiteral("Save changes to %1?").arg(title),
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                    QMessageBox::Yes);
    };
    prompts_.askToSaveBeforeOpening = [parent](const QString &incoming, const QString &title) {
        return QMessageBox::warning(parent, kAppTitle,
                                    QStringLiteral("%1 is being opened. Save changes to %2 first?").arg(incoming, title),
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    };
    prompts_.askOpenPath = [parent](const QString &folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), folder,
                                            kFilter + QStringLiteral(";;All Files (*)"));
    };
    prompts_.askSavePath = [parent](const QString &proposed) {
        QFileDialog dialog(parent, QStringLiteral("Save As"), QFileInfo(proposed).absolutePath(), kFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The extension is added before the dialog checks for an existing
        // file, so that its question about replacing sees the real name.
        dialog.setDefaultSuffix(QStringLiteral("vxf"));
        dialog.selectFile(QFileInfo(proposed).fileName());
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    prompts_.askOverwrite = [parent](const QString &path) {
        return QMessageBox::warning(parent, QStringLiteral("Save As"),
                                    QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                        .arg(QFileInfo(path).fileName()),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    prompts_.showError = [parent](const QString &title, const QString &text) {
        QMessageBox::critical(parent, title, text);
    };
}

namespace {
const QString kLastFolderKey = QStringLiteral("Settings/LastFolder");
}  // namespace

QString DocumentCommands::StartFolder() const
{
    const QString path = doc_->PathName();
    if (!path.isEmpty())
        return QFileInfo(path).absolutePath();
    const QString last = QSettings().value(kLastFolderKey).toString();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : QString();
}

QString DocumentCommands::DocumentTitle() const
{
    const QString path = doc_->PathName();
    return path.isEmpty() ? kUntitledName : QFileInfo(path).fileName();
}

QString DocumentCommands::WindowTitle() const
{
    return DocumentTitle() + QStringLiteral(" - ") + kAppTitle;
}

QString DocumentCommands::WindowTitleWithMark() const
{
    // A "[*]" of the file's own name is shown as it is.
    QString name = DocumentTitle();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return name + QStringLiteral("[*] - ") + kAppTitle;
}

bool DocumentCommands::SaveModified(const QString &incoming)
{
    if (!doc_->IsModified())
        return true;
    const QMessageBox::StandardButton answer =
        incoming.isEmpty() ? prompts_.askToSave(DocumentTitle())
                           : prompts_.askToSaveBeforeOpening(QFileInfo(incoming).fileName(), DocumentTitle());
    switch (answer) {
    case QMessageBox::Yes:
        return Save();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool DocumentCommands::New()
{
    if (!SaveModified())
        return false;
    doc_->NewDocument();
    emit DocumentReplaced();
    emit TitleChanged(WindowTitle());
    return true;
}

DocumentCommands::OpenResult DocumentCommands::Open()
{
    // The file is chosen first; the question about unsaved changes comes
    // only once there is something to open.
    const QString path = prompts_.askOpenPath(StartFolder());
    if (path.isEmpty())
        return OpenResult::Cancelled;
    return OpenPath(path);
}

DocumentCommands::OpenResult DocumentCommands::OpenPath(const QString &path)
{
    return OpenFile(path, false);
}

DocumentCommands::OpenResult DocumentCommands::OpenHandedOver(const QString &path)
{
    return OpenFile(path, true);
}

DocumentCommands::OpenResult DocumentCommands::OpenFile(const QString &path, bool handedOver)
{
    if (!SaveModified(handedOver ? path : QString()))
        return OpenResult::Cancelled;
    const QString shownPath = QDir::toNativeSeparators(path);
    QString error;
    const ReadOutcome outcome = doc_->Open(path, &error);
    emit DocumentReplaced();
    emit TitleChanged(WindowTitle());
    switch (outcome) {
    case ReadOutcome::Ok:
        RememberRecent(path);
        return OpenResult::Opened;
    case ReadOutcome::CannotOpen:
        ForgetRecent(path);
        if (error.isEmpty())
            error = QStringLiteral("Cannot open the file %1.").arg(path);
        else if (handedOver && !error.contains(path))
            error = QStringLiteral("The document %1 cannot be opened: %2.").arg(shownPath, error);
        prompts_.showError(kAppTitle, error);
        return OpenResult::Failed;
    case ReadOutcome::InvalidFile:
    case ReadOutcome::BadFormat:
    case ReadOutcome::BlockFailed:
        // A damaged file still counts as opened (into an empty document),
        // but the user must learn that its functions were lost.
        prompts_.showError(ReadOutcomeTitle(outcome),
                           handedOver ? QStringLiteral("%1: %2").arg(shownPath, ReadOutcomeMessage(outcome))
                                      : ReadOutcomeMessage(outcome));
        return OpenResult::Opened;
    }
    return OpenResult::Opened;
}

bool DocumentCommands::Save()
{
    const QString path = doc_->PathName();
    if (path.isEmpty())
        return SaveAs();
    return SaveTo(path);
}

bool DocumentCommands::SaveAs()
{
    const QString current = doc_->PathName();
    QString proposed = current;
    if (proposed.isEmpty()) {
        const QString untitled = kUntitledName + QStringLiteral(".vxf");
        const QString folder = StartFolder();
        proposed = folder.isEmpty() ? untitled : QDir(folder).filePath(untitled);
    }
    for (;;) {
        const QString chosen = prompts_.askSavePath(proposed);
        if (chosen.isEmpty())
            return false;
        // A name with another extension ("notes.txt") reaches us as typed:
        // the dialog never saw the file that the added ".vxf" names.
        const QString path = WithDocumentExtension(chosen);
        if (path == chosen || !QFileInfo::exists(path) || prompts_.askOverwrite(path))
            return SaveTo(path);
        proposed = path;
    }
}

bool DocumentCommands::SaveTo(const QString &path)
{
    QString error;
    if (!doc_->Save(path, &error)) {
        prompts_.showError(kAppTitle, error.isEmpty()
                                          ? QStringLiteral("Cannot save the file %1.").arg(path)
                                          : error);
        return false;
    }
    RememberRecent(path);
    emit TitleChanged(WindowTitle());
    return true;
}

void DocumentCommands::RememberRecent(const QString &path)
{
    recent_.Add(path);
    QSettings store;
    recent_.Save(store);
    store.setValue(kLastFolderKey, QFileInfo(path).absolutePath());
    emit RecentFilesChanged();
}

void DocumentCommands::ForgetRecent(const QString &path)
{
    recent_.Remove(path);
    QSettings store;
    recent_.Save(store);
    emit RecentFilesChanged();
}
