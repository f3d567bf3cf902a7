#include "DocumentInfo.h"

#include <cmath>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "CVeltrix2Doc.h"
#include "CodePage1252.h"
#include "DisplayForms.h"
#include "FunctionDefinition.h"
#include "LibraryFunction.h"

namespace {

QJsonValue Number(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QString HexColor(Color c)
{
    return QStringLiteral("#%1%2%3")
        .arg(ColorRed(c), 2, 16, QLatin1Char('0'))
        .arg(ColorGreen(c), 2, 16, QLatin1Char('0'))
        .arg(ColorBlue(c), 2, 16, QLatin1Char('0'));
}

QString Text(const std::string &bytes)
{
    return FromCp1252(bytes);
}

QString AngleName(int mode)
{
    switch (mode) {
    case Degrees: return QStringLiteral("deg");
    case Radians: return QStringLiteral("rad");
    case Grads: return QStringLiteral("gra");
    default: return QString::number(mode);
    }
}

QJsonObject Settings(const ViewSettings &s)
{
    return QJsonObject{
        {QStringLiteral("sensitivity"), Number(s.sensitivity)},
        {QStringLiteral("cubeDimension"), Number(s.cubeDimension)},
        {QStringLiteral("nearPlane"), Number(s.nearPlane)},
        {QStringLiteral("farPlane"), Number(s.farPlane)},
        {QStringLiteral("fieldOfView"), Number(s.fieldOfView)},
        {QStringLiteral("camera"), QJsonObject{{QStringLiteral("x"), Number(s.cameraX)},
                                               {QStringLiteral("y"), Number(s.cameraY)},
                                               {QStringLiteral("z"), Number(s.cameraZ)},
                                               {QStringLiteral("pitch"), Number(s.cameraPitch)},
                                               {QStringLiteral("yaw"), Number(s.cameraYaw)}}},
        {QStringLiteral("showCube"), s.showCube != 0},
        {QStringLiteral("showReferenceMarks"), s.showReferenceMarks != 0},
        {QStringLiteral("showAxes"), s.showAxes != 0},
        {QStringLiteral("backgroundColor"), HexColor(s.backgroundColor)},
        {QStringLiteral("cubeColor"), HexColor(s.cubeColor)},
        {QStringLiteral("axesColor"), HexColor(s.axesColor)},
        {QStringLiteral("cursorColor"), HexColor(s.cursorColor)},
        {QStringLiteral("cursorKind"), s.cursorKind == SphereCursor  ? QStringLiteral("sphere")
                                       : s.cursorKind == CrossCursor ? QStringLiteral("cross")
                                                                     : QString::number(s.cursorKind)},
        {QStringLiteral("axisLabels"), QJsonObject{{QStringLiteral("x"), Text(s.axisLabelX)},
                                                   {QStringLiteral("y"), Text(s.axisLabelY)},
                                                   {QStringLiteral("z"), Text(s.axisLabelZ)}}},
        {QStringLiteral("printBufferMB"), double(s.printBufferMB)},
        {QStringLiteral("animationIntervalMs"), double(s.animationIntervalMs)},
    };
}

QJsonObject Function(const FunctionRecord &r)
{
    QJsonArray variables;
    const LibraryFunction function(r);
    for (const FunctionVariable &v : function.Variables()) {
        variables.append(QJsonObject{{QStringLiteral("name"), Text(v.name)},
                                     {QStringLiteral("value"), Number(v.value)},
                                     {QStringLiteral("min"), Number(v.min)},
                                     {QStringLiteral("max"), Number(v.max)},
                                     {QStringLiteral("steps"), v.steps}});
    }
    const QString mode = ModeName(r.mode);
    return QJsonObject{
        {QStringLiteral("label"), Text(r.label)},
        {QStringLiteral("text"), Text(r.text)},
        {QStringLiteral("visible"), r.visible != 0},
        {QStringLiteral("mode"), mode.isEmpty() ? QJsonValue(r.mode) : QJsonValue(mode)},
        {QStringLiteral("color1"), HexColor(r.color1)},
        {QStringLiteral("color2"), HexColor(r.color2)},
        {QStringLiteral("angleUnit"), AngleName(function.Unit())},
        {QStringLiteral("variables"), variables},
    };
}

} // namespace

QByteArray DocumentInfoJson(const CVeltrix2Doc &doc, const QString &fileName)
{
    QJsonArray functions;
    const FunctionList &list = doc.Functions();
    for (int p = list.First(); p >= 0; p = list.Next(p))
        functions.append(Function(list.At(p)));
    const QJsonObject root{
        {QStringLiteral("file"), fileName},
        {QStringLiteral("settings"), Settings(doc.Settings())},
        {QStringLiteral("functions"), functions},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
