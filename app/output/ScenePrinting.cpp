#include "output/ScenePrinting.h"

#include <QPagedPaintDevice>

#include "model/CVeltrix2Doc.h"
#include "output/OffscreenRenderer.h"
#include "output/PagePrinter.h"
#include "view3d/SceneState.h"

namespace {

bool Fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool PrintScene(QPagedPaintDevice &device, const SceneState &scene,
                std::optional<PrintLayout::PageRange> range, QString *error)
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
            BitmapPixels pixels;
            if (!renderer.Render(scene, place.bufWidth, place.bufHeight, pixels))
                return Fail(error, QStringLiteral("The scene could not be rendered for printing: %1.")
                                       .arg(renderer.Error()));
            picture = ToImage(pixels);
        }
    }
    if (!pages.Print(chosen, picture, place))
        return Fail(error, QStringLiteral("The document could not be printed."));
    return true;
}
