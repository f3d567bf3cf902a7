#include "output/ScenePrinting.h"

#include <functional>

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>

#include "model/CVeltrix2Doc.h"
#include "output/OffscreenRenderer.h"
#include "output/PagePrinter.h"
#include "output/PictureStreams.h"
#include "output/SafeFileWriter.h"
#include "view3d/SceneState.h"

namespace {

bool Fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

QString PrintJobName()
{
    return QStringLiteral("Veltrix Document");
}

bool PrintScene(QPagedPaintDevice &device, const SceneState &scene,
                std::optional<PrintLayout::PageRange> range, QString *error, QStringList *leftOut)
{
    if (!scene.doc)
        return Fail(error, QStringLiteral("There is no document to print."));
    PagePrinter pages(device, *scene.doc);
    const PrintLayout::PageRange chosen = range.value_or(PrintLayout::PageRange{1, pages.PageCount()});

    QImage picture;
    PrintLayout::Picture place;
    if (chosen.Contains(1)) {
        OffscreenRenderer renderer;
        if (!renderer.IsValid())
            return Fail(error, QStringLiteral("The scene could not be rendered for printing: %1.")
                                   .arg(renderer.Error()));
        place = PrintLayout::LayOutPicture(pages.Metrics(), scene.width, scene.height,
                                           scene.doc->Settings().printBufferMB, renderer.MaxSide());
        if (!place.IsEmpty()) {
            // Read straight into the picture the page shows, row by row.
            if (!renderer.Render(scene, place.bufWidth, place.bufHeight, *ImageRows(picture)))
                return Fail(error, QStringLiteral("The scene could not be rendered for printing: %1.")
                                       .arg(renderer.Error()));
            if (leftOut)
                *leftOut << renderer.LeftOut();
        }
    }
    if (!pages.Print(chosen, picture, place))
        return Fail(error, QStringLiteral("The document could not be printed."));
    return true;
}

namespace {

bool WritePdf(const QString &path, const SceneState &scene, std::optional<PrintLayout::PageRange> range,
              const std::function<void(QPdfWriter &)> &setUp, QString *error, QStringList *leftOut)
{
    QString printError;
    const bool written = WriteFileSafely(path, [&](QIODevice &out) {
        QPdfWriter pdf(&out);
        setUp(pdf);
        pdf.setTitle(PrintJobName());
        pdf.setCreator(QStringLiteral("Veltrix 2.0"));
        return PrintScene(pdf, scene, range, &printError, leftOut); }, error);
    // A print that failed says so better than the file's "writing stopped".
    if (!written && !printError.isEmpty() && error)
        *error = printError;
    return written;
}

} // namespace

bool PrintSceneToPdf(const QString &path, const SceneState &scene, const QPageSize &paper, QString *error,
                     QStringList *leftOut)
{
    return WritePdf(path, scene, std::nullopt, [&](QPdfWriter &pdf) { pdf.setPageSize(paper); }, error, leftOut);
}

bool PrintSceneToPdf(const QString &path, const SceneState &scene, const QPageLayout &layout, int resolution,
                     std::optional<PrintLayout::PageRange> range, QString *error)
{
    return WritePdf(path, scene, range, [&](QPdfWriter &pdf) {
        pdf.setResolution(resolution);
        pdf.setPageLayout(layout); }, error, nullptr);
}
