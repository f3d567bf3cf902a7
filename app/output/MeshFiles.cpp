// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/MeshFiles.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>

#include "output/ChunkedWriter.h"
#include "output/SafeFileWriter.h"
#include "output/SurfaceMesh.h"

namespace {

void AppendFloat(ChunkedWriter &to, float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, 4);
    bits = qToLittleEndian(bits);
    to.Append(reinterpret_cast<const char *>(&bits), 4);
}

void AppendUInt32(ChunkedWriter &to, quint32 value)
{
    value = qToLittleEndian(value);
    to.Append(reinterpret_cast<const char *>(&value), 4);
}

// The shortest text that reads back as the same number.
template <typename Number> void AppendNumber(ChunkedWriter &to, Number value)
{
    char text[32];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
    to.Append(text, size_t(r.ptr - text));
}

// A colour channel in 0..1 with four decimals.
void AppendChannel(ChunkedWriter &to, int channel)
{
    char text[16];
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text, channel / 255.0, std::chars_format::fixed, 4);
    to.Append(text, size_t(r.ptr - text));
}

void AppendColor(ChunkedWriter &to, Color c)
{
    AppendChannel(to, ColorRed(c));
    to.Append(' ');
    AppendChannel(to, ColorGreen(c));
    to.Append(' ');
    AppendChannel(to, ColorBlue(c));
}

void AppendLine(ChunkedWriter &to, const char *keyword, const QString &text)
{
    to.Append(keyword, std::strlen(keyword));
    to.Append(' ');
    to.Append(text.toUtf8().toStdString());
    to.Append('\n');
}

// One material name per function: the object's name without white space,
// made unique with a number where labels repeat.
QStringList MaterialNames(const SceneMesh &mesh)
{
    QStringList names;
    std::set<QString> taken;
    for (const FunctionMesh &f : mesh.functions) {
        QString base = MeshName(f);
        for (QChar &c : base)
            if (c.isSpace())
                c = QLatin1Char('_');
        QString name = base;
        for (int n = 2; taken.count(name); ++n)
            name = base + QLatin1Char('_') + QString::number(n);
        taken.insert(name);
        names << name;
    }
    return names;
}

} // namespace

QString StlRefusal(const SceneMesh &mesh)
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    for (const FunctionMesh &f : mesh.functions)
        for (double v : f.positions)
            if (!(std::fabs(v) <= kLargest))
                return QStringLiteral("The scene is too large for an STL file, which holds single-precision numbers: "
                                      "a coordinate reaches %1. Choose a smaller cube, or export OBJ.")
                    .arg(v, 0, 'g', 3);
    return QString();
}

bool WriteStl(const SceneMesh &mesh, QIODevice &device)
{
    if (!StlRefusal(mesh).isEmpty())
        return false;
    ChunkedWriter out(device);
    // A binary file's header must not start with "solid", which marks text STL.
    std::string header = "Veltrix 2.0 surfaces, binary STL";
    header.resize(80, ' ');
    out.Append(header);
    AppendUInt32(out, quint32(mesh.TriangleCount()));
    for (const FunctionMesh &f : mesh.functions) {
        for (size_t t = 0; t < f.triangles.size(); t += 3) {
            // The normal of the corners as the file keeps them, in single
            // precision, so that readers find it matching.
            float p[3][3];
            for (int c = 0; c < 3; ++c)
                for (int k = 0; k < 3; ++k)
                    p[c][k] = float(f.Vertex(f.triangles[t + size_t(c)])[k]);
            const double u[3] = {double(p[1][0]) - p[0][0], double(p[1][1]) - p[0][1], double(p[1][2]) - p[0][2]};
            const double w[3] = {double(p[2][0]) - p[0][0], double(p[2][1]) - p[0][1], double(p[2][2]) - p[0][2]};
            const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
            const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            for (double c : n)
                AppendFloat(out, length > 0 ? float(c / length) : 0.0f);
            for (const auto &corner : p)
                for (float v : corner)
                    AppendFloat(out, v);
            out.Append("\0\0");   // no attributes
        }
    }
    return out.Finish();
}

bool WriteObj(const SceneMesh &mesh, const QString &mtlName, QIODevice &device)
{
    ChunkedWriter out(device);
    out.Append("# Veltrix 2.0: ");
    AppendNumber(out, mesh.functions.size());
    out.Append(" surfaces, ");
    AppendNumber(out, mesh.TriangleCount());
    out.Append(" triangles\n");
    AppendLine(out, "mtllib", mtlName);
    const QStringList materials = MaterialNames(mesh);
    size_t firstVertex = 1;   // indices count from 1 across the whole file
    for (size_t m = 0; m < mesh.functions.size(); ++m) {
        const FunctionMesh &f = mesh.functions[m];
        AppendLine(out, "o", MeshName(f));
        AppendLine(out, "usemtl", materials[qsizetype(m)]);
        for (size_t v = 0; v < f.VertexCount(); ++v) {
            const double *p = f.Vertex(uint32_t(v));
            out.Append('v');
            for (int k = 0; k < 3; ++k) {
                out.Append(' ');
                AppendNumber(out, p[k]);
            }
            if (f.colored) {
                out.Append(' ');
                AppendColor(out, f.colors[v]);
            }
            out.Append('\n');
        }
        for (size_t t = 0; t < f.triangles.size(); t += 3) {
            out.Append('f');
            for (size_t k = 0; k < 3; ++k) {
                out.Append(' ');
                AppendNumber(out, firstVertex + f.triangles[t + k]);
            }
            out.Append('\n');
        }
        firstVertex += f.VertexCount();
    }
    return out.Finish();
}

bool WriteMtl(const SceneMesh &mesh, QIODevice &device)
{
    ChunkedWriter out(device);
    out.Append("# Veltrix 2.0: the colour 1 of each surface\n");
    const QStringList materials = MaterialNames(mesh);
    for (size_t m = 0; m < mesh.functions.size(); ++m) {
        out.Append('\n');
        AppendLine(out, "newmtl", materials[qsizetype(m)]);
        out.Append("Ka 0 0 0\nKd ");
        AppendColor(out, mesh.functions[m].color1);
        out.Append("\nKs 0 0 0\nd 1\nillum 1\n");
    }
    return out.Finish();
}

QString MaterialLibraryPath(const QString &objPath)
{
    const QFileInfo obj(objPath);
    QString name = obj.completeBaseName();
    for (QChar &c : name)
        if (c.isSpace())
            c = QLatin1Char('_');
    return obj.dir().filePath(name + QStringLiteral(".mtl"));
}

bool WriteObjFiles(const SceneMesh &mesh, const QString &path, QString *error)
{
    const QString mtlPath = MaterialLibraryPath(path);
    const QString mtlName = QFileInfo(mtlPath).fileName();
    SafeFile obj(path), mtl(mtlPath);
    // Both are complete before either replaces anything, and the materials
    // follow the objects that use them.
    const bool written = obj.Open() && mtl.Open() &&
                         obj.Write([&](QIODevice &out) { return WriteObj(mesh, mtlName, out); }) &&
                         mtl.Write([&](QIODevice &out) { return WriteMtl(mesh, out); }) &&
                         obj.Commit() && mtl.Commit();
    if (!written && error)
        *error = !obj.Error().isEmpty() ? obj.Error() : mtl.Error();
    return written;
}
