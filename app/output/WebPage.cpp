#include "output/WebPage.h"

#include <map>

#include <QFile>
#include <QIODevice>

#include "model/FunctionRecord.h"
#include "output/GltfWriter.h"
#include "output/SceneGeometry.h"

namespace {

QByteArray Resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString CssColor(Color c)
{
    return QStringLiteral("#%1%2%3")
        .arg(ColorRed(c), 2, 16, QLatin1Char('0'))
        .arg(ColorGreen(c), 2, 16, QLatin1Char('0'))
        .arg(ColorBlue(c), 2, 16, QLatin1Char('0'));
}

// The swatch shows the colours the function is drawn in.
QString SwatchStyle(const FunctionGeometry &f)
{
    const QString c1 = CssColor(f.color1), c2 = CssColor(f.color2);
    const bool curve = f.normals.empty() && f.mode != WireFrame;
    if (f.mode == Gradient)
        return QStringLiteral("background: linear-gradient(to right, %1, %2)").arg(c1, c2);
    if (curve || f.mode == WireFrame)
        return QStringLiteral("background: %1").arg(c1);
    if (f.mode == FilledPolygons)
        return QStringLiteral("background: %1; border-color: %2").arg(c1, c2);
    return QStringLiteral("background: linear-gradient(to right, %1 50%, %2 50%)").arg(c1, c2);
}

QString Legend(const SceneGeometry &scene)
{
    QString html;
    for (const FunctionGeometry &f : scene.functions) {
        html += QStringLiteral("<div><span class=\"swatch\" style=\"%1\"></span>%2</div>")
                    .arg(SwatchStyle(f), FunctionName(f.label, f.position).toHtmlEscaped());
    }
    return html;
}

// Puts the parts into the template in one pass: a part is never searched
// for placeholders itself.
QByteArray Fill(const QByteArray &page, const std::map<QByteArray, QByteArray> &parts)
{
    qsizetype size = page.size();
    for (const auto &part : parts)
        size += part.second.size();
    QByteArray out;
    out.reserve(size);
    qsizetype at = 0;
    while (at < page.size()) {
        const qsizetype open = page.indexOf('@', at);
        const qsizetype close = open < 0 ? -1 : page.indexOf('@', open + 1);
        const auto found = close < 0 ? parts.end() : parts.find(page.mid(open + 1, close - open - 1));
        if (found == parts.end()) {
            const qsizetype end = open < 0 ? page.size() : open + 1;
            out.append(page.constData() + at, end - at);
            at = end;
            continue;
        }
        out.append(page.constData() + at, open - at);
        out.append(found->second);
        at = close + 1;
    }
    return out;
}

} // namespace

QByteArray WebPage(const SceneGeometry &scene, const QString &title)
{
    return Fill(Resource(QStringLiteral(":/web/page.html")),
                {{"TITLE", title.toHtmlEscaped().toUtf8()},
                 {"BACKGROUND", CssColor(scene.settings.backgroundColor).toUtf8()},
                 {"LEGEND", Legend(scene).toUtf8()},
                 {"THREE", Resource(QStringLiteral(":/three/three.min.js"))},
                 {"ORBIT", Resource(QStringLiteral(":/three/examples/js/controls/OrbitControls.js"))},
                 {"LOADER", Resource(QStringLiteral(":/three/examples/js/loaders/GLTFLoader.js"))},
                 {"SCENE", GltfBinary(scene, title).toBase64()},
                 {"VIEWER", Resource(QStringLiteral(":/web/viewer.js"))}});
}

bool WriteWebPage(const SceneGeometry &scene, const QString &title, QIODevice &out)
{
    const QByteArray page = WebPage(scene, title);
    return out.write(page) == page.size();
}
