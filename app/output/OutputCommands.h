#pragma once

#include <functional>

#include <QObject>
#include <QString>

class GLView;
class QPrinter;
class QWidget;

// The commands that take the scene out of the program: File > Export > BMP
// and DXF, Edit > Copy, File > Print... and Print Preview....  The main
// window calls them; the dialogs go through prompts() so that tests can
// answer them.
class OutputCommands : public QObject {
    Q_OBJECT
public:
    struct SaveRequest {
        QString caption;
        QStringList filters;
        QString suffix;              // appended when the name has none
        bool confirmOverwrite = true;
    };
    struct Prompts {
        // The chosen path, or empty for Cancel.
        std::function<QString(const SaveRequest &)> askSavePath;
        // Shows the print dialog for `printer`; false for Cancel.
        std::function<bool(QPrinter &)> askPrint;
        std::function<void(const QString &)> showError;
    };

    // `printer` is the main window's, shared with Print Setup.
    OutputCommands(GLView *view, QPrinter *printer, QWidget *parent);

    Prompts &prompts() { return prompts_; }

    void ExportBmp();
    void ExportDxf();
    void Copy();
    void Print();
    void PrintPreview();

private:
    QString AskSavePath(const SaveRequest &request);

    GLView *view_;
    QPrinter *printer_;
    QWidget *parent_;
    Prompts prompts_;
};
