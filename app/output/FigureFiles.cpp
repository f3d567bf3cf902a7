#include "output/FigureFiles.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "model/CVeltrix2Doc.h"
#include "output/PainterFigureCanvas.h"
#include "output/SafeFileWriter.h"
#include "output/SceneFigure.h"
#include "output/SvgFigureCanvas.h"
#include "view3d/SceneState.h"

namespace {

constexpr int kDotsPerInch = 96;

// The title of a figure: the document's file name, as the window shows it.
QString FigureTitle(const SceneState &scene)
{
    const QString name = scene.doc ? QFileInfo(scene.doc->PathName()).fileName() : QString();
    return name.isEmpty() ? QStringLiteral("Veltrix 2.0") : name;
}

} // namespace

bool IsFigureSuffix(const QString &suffix)
{
    return suffix.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
}

bool WriteSvgFigure(const QString &path, const SceneState &scene, QSize size, QString *error, QStringList *leftOut)
{
    const SceneFigure figure(scene, size.width(), size.height());
    if (leftOut)
        *leftOut = figure.LeftOut();
    return WriteFileSafely(path, [&](QIODevice &out) {
        SvgFigureCanvas canvas(out, size.width(), size.height(), FigureTitle(scene));
        figure.Paint(canvas);
        return canvas.Finish(); }, error);
}

bool WritePdfFigure(const QString &path, const SceneState &scene, QSize size, QString *error, QStringList *leftOut)
{
    const SceneFigure figure(scene, size.width(), size.height());
    if (leftOut)
        *leftOut = figure.LeftOut();
    return WriteFileSafely(path, [&](QIODevice &out) {
        QPdfWriter pdf(&out);
        pdf.setResolution(kDotsPerInch);
        pdf.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / kDotsPerInch, size.height() * 72.0 / kDotsPerInch),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(FigureTitle(scene));
        pdf.setCreator(QStringLiteral("Veltrix 2.0"));
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        // A figure pixel is a device pixel at this resolution: lines can be
        // given in device pixels and written as strokes.
        PainterFigureCanvas canvas(painter, size.width(), size.height(), true);
        figure.Paint(canvas);
        return painter.end(); }, error);
}
