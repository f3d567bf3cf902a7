#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <functional>

#include "RecentFiles.h"

class CVeltrix2Doc;
class QWidget;

// The document commands of a single-document program: New, Open, Save,
// Save As, opening a given path, and the question whether to save changes
// before the document is replaced or the program ends.  The dialogs are
// reached through replaceable functions so that tests can answer them.
class DocumentCommands : public QObject {
    Q_OBJECT
public:
    struct Prompts {
        // "Save changes to <title>?"; Yes, No or Cancel.
        std::function<QMessageBox::StandardButton(const QString &title)> askToSave;
        // The same question when a file handed over by another start is to
        // replace the document, naming that file: "<incoming> is being
        // opened. Save changes to <title> first?".
        std::function<QMessageBox::StandardButton(const QString &incoming, const QString &title)>
            askToSaveBeforeOpening;
        // A file to open, starting in `folder` (the working folder when
        // empty); empty when the user cancelled.
        std::function<QString(const QString &folder)> askOpenPath;
        // A file to save to, starting from `proposed`; empty when cancelled.
        // The dialog completes a name typed without an extension and asks
        // itself before an existing file is replaced.
        std::function<QString(const QString &proposed)> askSavePath;
        // Whether the existing file `path` may be replaced.
        std::function<bool(const QString &path)> askOverwrite;
        // An error message box (critical icon).
        std::function<void(const QString &title, const QString &text)> showError;
    };

    enum class OpenResult {
        Opened,
        Cancelled,
        Failed
    };

    static const QString kAppTitle;      // "Veltrix 2.0"
    static const QString kUntitledName;  // "Untitled"
    static const QString kFilter;        // "Veltrix Files (*.vxf)"

    DocumentCommands(CVeltrix2Doc *doc, QWidget *dialogParent);

    Prompts &prompts() { return prompts_; }

    bool New();
    OpenResult Open();
    OpenResult OpenPath(const QString &path);
    // Opens a file another start handed over: the user did not choose it in
    // this window, so the question and any error name it.
    OpenResult OpenHandedOver(const QString &path);
    bool Save();
    bool SaveAs();
    // Asks whether to save a modified document; true when the caller may go
    // on.  `incoming` names the file about to replace it, if any.
    bool SaveModified(const QString &incoming = QString());

    // Where the file dialogs start: the current document's folder, else the
    // folder a document was last opened from or saved to (kept between
    // runs), else empty for the working folder.
    QString StartFolder() const;

    // The document's name as shown in titles: the file name or "Untitled".
    QString DocumentTitle() const;
    QString WindowTitle() const;   // "<document> - Veltrix 2.0"
    // The same with Qt's place for the modified mark after the document's
    // name: "<document>[*] - Veltrix 2.0".
    QString WindowTitleWithMark() const;

    const RecentFiles &Recent() const { return recent_; }

signals:
    void RecentFilesChanged();
    // The document was made new or another file was read into it (whatever
    // the outcome), so the panes must show it from scratch.
    void DocumentReplaced();
    void TitleChanged(const QString &windowTitle);

private:
    bool SaveTo(const QString &path);
    OpenResult OpenFile(const QString &path, bool handedOver);
    void RememberRecent(const QString &path);
    void ForgetRecent(const QString &path);
    void InstallDefaultPrompts(QWidget *parent);

    CVeltrix2Doc *doc_;
    Prompts prompts_;
    RecentFiles recent_;
};

// ".vxf" appended unless the name already ends with it (any case).
QString WithDocumentExtension(const QString &path);
