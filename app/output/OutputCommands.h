#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QSize>
#include <QString>

struct BitmapPixels;
class GLView;
class QPrinter;
class QWidget;

// The commands that take the scene out of the program: File > Export > BMP,
// DXF, PNG, OBJ, STL, glTF and Web Page, Edit > Copy, File > Print... and Print Preview....
// The main window calls them; the dialogs go through prompts() so that tests
// can answer them.
class OutputCommands : public QObject {
    Q_OBJECT
public:
    struct SaveRequest {
        QString caption;
        QStringList filters;
        QString suffix;              // appended when the name has none
        bool confirmOverwrite = true;
        QString folder;              // where the dialog starts; empty: the working folder
    };
    struct Prompts {
        // The chosen path, or empty for Cancel.
        std::function<QString(const SaveRequest &)> askSavePath;
        // Shows the print dialog for `printer`; false for Cancel.
        std::function<bool(QPrinter &)> askPrint;
        // The size of an exported picture, or none for Cancel; offers the
        // view's size and multiples of it up to `maxSide` a side.
        std::function<std::optional<QSize>(QSize viewSize, int maxSide)> askPictureSize;
        std::function<void(const QString &)> showError;
        // What an export left out.
        std::function<void(const QString &caption, const QString &)> showNote;
    };

    // `printer` is the main window's, shared with Print Setup.
    OutputCommands(GLView *view, QPrinter *printer, QWidget *parent);

    Prompts &prompts() { return prompts_; }
    // Where the export dialogs start (the main window knows the document's
    // folder and the one last used).
    void SetStartFolder(std::function<QString()> startFolder) { startFolder_ = std::move(startFolder); }

    void ExportBmp();
    void ExportDxf();
    // Renders the view's scene off-screen at a size the user chooses.
    void ExportPng();
    void ExportObj();
    void ExportStl();
    // The scene as the view shows it, from its current camera: a glTF file,
    // or a web page that turns it.
    void ExportGltf();
    void ExportWebPage();
    void Copy();
    void Print();
    void PrintPreview();

private:
    QString AskSavePath(SaveRequest request);
    void ExportMesh(const SaveRequest &request, bool stl);
    void ExportScene(const SaveRequest &request, bool page);
    bool CaptureSettledView(BitmapPixels &pixels);

    GLView *view_;
    QPrinter *printer_;
    QWidget *parent_;
    Prompts prompts_;
    std::function<QString()> startFolder_;
};
