#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QSize>
#include <QString>

#include "output/AnimationExportDialog.h"
#include "output/AnimationFilm.h"

struct BitmapPixels;
class GLView;
class QAction;
class QPrinter;
class QWidget;

// The actions of the commands below, for the main window's menus and bars.
struct OutputActions {
    QAction *print = nullptr;
    QAction *printPreview = nullptr;
    QAction *printSetup = nullptr;
    // File > Export; a new format adds its action here.
    QAction *exportBmp = nullptr;
    QAction *exportDxf = nullptr;
    QAction *exportPng = nullptr;
    QAction *exportObj = nullptr;
    QAction *exportStl = nullptr;
    QAction *exportGltf = nullptr;
    QAction *exportWebPage = nullptr;
    QAction *exportSvg = nullptr;
    QAction *exportPdfFigure = nullptr;
    QAction *exportAnimation = nullptr;
    // Takes the 3D view's picture: the main window enables it while the
    // view is the active pane.
    QAction *copy = nullptr;

    // The File > Export menu, a null entry for its separator.
    QList<QAction *> Exports() const
    {
        return {exportBmp, exportDxf, exportPng, exportObj, exportStl,
                exportGltf, exportWebPage, nullptr, exportSvg, exportPdfFigure, exportAnimation};
    }
};

// The commands that take the scene out of the program: File > Export > BMP,
// DXF, PNG, OBJ, STL, glTF, Web Page, SVG, PDF Figure and Animation,
// Edit > Copy, File > Print...,
// Print Preview... and Print Setup....  It owns their actions; the main
// window places them.  The dialogs go through prompts() so that tests can
// answer them.
class OutputCommands : public QObject {
    Q_OBJECT
public:
    struct SaveRequest {
        QString caption;
        QStringList filters;
        QString suffix;              // appended when the name has none
        bool confirmOverwrite = true;
        QString folder;              // where the dialog starts; empty: the working folder
        QString name;                // the file name proposed there; empty: none
    };
    struct Prompts {
        // The chosen path, or empty for Cancel.
        std::function<QString(const SaveRequest &)> askSavePath;
        // Shows the print dialog for `printer`, proposing `pdfPath` (when
        // not empty) as the file of "Print to File (PDF)"; false for Cancel.
        std::function<bool(QPrinter &, const QString &pdfPath)> askPrint;
        // The size of an exported picture, or none for Cancel; offers the
        // view's size and multiples of it up to `maxSide` a side.
        std::function<std::optional<QSize>(QSize viewSize, int maxSide)> askPictureSize;
        std::function<void(const QString &)> showError;
        // What a command did, for the status bar ("Wrote j1.png (1348 x 1394)").
        std::function<void(const QString &)> showStatus;
        // What an export left out.
        std::function<void(const QString &caption, const QString &)> showNote;
        // The film to make of the animation of the function `label`, or
        // none for Cancel.
        std::function<std::optional<AnimationChoice>(const QString &label, QSize viewSize, int maxSide,
                                                     int loopLength)>
            askAnimation;
        // Shows the progress of a long export of `total` steps; the callback
        // it gives takes each step done and says whether to go on (false
        // once the user cancelled).
        std::function<FilmProgress(const QString &caption, int total)> showProgress;
        // Shows the progress of an export of `total` steps that cannot be
        // cancelled, once it has taken about a second; the callback it gives
        // takes each step done.
        std::function<std::function<void(int done)>(const QString &title, const QString &caption, int total)>
            showWorking;
    };

    // `printer` gives the main window's printer, shared with Print Setup;
    // asked for only when a command needs it, since making a printer loads
    // the print system and asks it for the default printer.
    OutputCommands(GLView *view, std::function<QPrinter *()> printer, QWidget *parent);

    Prompts &prompts() { return prompts_; }
    const OutputActions &Actions() const { return actions_; }
    // Where the export dialogs start (the main window knows the document's
    // folder and the one last used).
    void SetStartFolder(std::function<QString()> startFolder) { startFolder_ = std::move(startFolder); }
    // The function selected in the function tree (-1 for none), the one
    // filmed when no animation runs.
    void SetSelectedFunction(std::function<int32_t()> selected) { selected_ = std::move(selected); }

    void ExportBmp();
    void ExportDxf();
    // Renders the view's scene off-screen at a size the user chooses.
    void ExportPng();
    void ExportObj();
    void ExportStl();
    // The view's scene, from its camera, as a vector figure the size of the
    // view: SVG, or a one-page PDF.
    void ExportSvg();
    void ExportPdfFigure();
    // A film of the animated function (or the selected one, or the first
    // shown one with parameters) in a format, size, length and rate the
    // user chooses, with its progress and a Cancel.
    void ExportAnimation();
    // The scene as the view shows it, from its current camera: a glTF file,
    // or a web page that turns it.
    void ExportGltf();
    void ExportWebPage();
    void Copy();
    void Print();
    void PrintPreview();
    // The printer's paper and margins, for Print and the exporter alike.
    void PrintSetup();

private:
    void MakeActions();
    QString AskSavePath(SaveRequest request);
    // The document's name with `suffix` ("j1.dxf" for j1.vxf); empty for an
    // untitled document.
    QString ProposedName(const QString &suffix) const;
    // "Wrote j1.png (1348 x 1394)" in the status bar; no size when empty.
    void ShowWritten(const QString &path, QSize size = QSize());
    void ExportMesh(const SaveRequest &request, bool stl);
    void ExportScene(const SaveRequest &request, bool page);
    bool CaptureSettledView(BitmapPixels &pixels);
    void ExportFigure(const SaveRequest &request, bool pdf);
    // The function to film and why there is none.
    int32_t FilmedFunction(QString *why) const;
    bool PrintOn(QPrinter &printer, QString *error);

    GLView *view_;
    std::function<QPrinter *()> printer_;
    QWidget *parent_;
    Prompts prompts_;
    OutputActions actions_;
    std::function<QString()> startFolder_;
    std::function<int32_t()> selected_;
};
