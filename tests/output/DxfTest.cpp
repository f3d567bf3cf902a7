// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <map>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "TestFunctions.h"
#include "output/DxfWriter.h"
#include "output/SafeFileWriter.h"
#include "view3d/FunctionTessellator.h"
#include "view3d/SampleGrid.h"

namespace {

const QByteArray kHeader = "0\nSECTION\n2\nENTITIES\n";
const QByteArray kTrailer = "0\nENDSEC\n0\nEOF";

QByteArray Dxf(const CVeltrix2Doc &doc)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteDxf(doc, buffer));
    return buffer.data();
}

TEST(Dxf, DocumentWithoutFunctionsIsHeaderAndTrailerOnly)
{
    CVeltrix2Doc doc;
    EXPECT_EQ(Dxf(doc), kHeader + kTrailer);
}

// One cell in wire frame: four lines around it, x y z in the user's order,
// 20 digits with trailing zeros dropped ("5."), small values in exponent form.
TEST(Dxf, WireFrameCellIsFourLines)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"wave", "z(x,y)=0.0625", WireFrame, 0, 5, 1, 0, 2, 1}));
    const QByteArray expected = kHeader +
                                "0\nLINE\n8\nwave\n10\n0.\n20\n0.\n30\n6.25e-002\n11\n5.\n21\n0.\n31\n6.25e-002\n"
                                "0\nLINE\n8\nwave\n10\n5.\n20\n0.\n30\n6.25e-002\n11\n5.\n21\n2.\n31\n6.25e-002\n"
                                "0\nLINE\n8\nwave\n10\n5.\n20\n2.\n30\n6.25e-002\n11\n0.\n21\n2.\n31\n6.25e-002\n"
                                "0\nLINE\n8\nwave\n10\n0.\n20\n2.\n30\n6.25e-002\n11\n0.\n21\n0.\n31\n6.25e-002\n" +
                                kTrailer;
    EXPECT_EQ(Dxf(doc), expected);
}

// A filled cell is one face: 15 digits (0.1 stays 0.1, 0.05 becomes
// 5.e-002), except the second corner's file Z with 20 digits.
TEST(Dxf, FilledCellIsOneFace)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"flat", "z(x,y)=0.05", FilledPolygons, 0, 5, 1, 0.1, 0.2, 1}));
    const QByteArray expected = kHeader +
                                "0\n3DFACE\n8\nflat\n"
                                "10\n0.\n20\n0.1\n30\n5.e-002\n"
                                "11\n5.\n21\n0.10000000000000000555\n31\n5.e-002\n"
                                "12\n5.\n22\n0.2\n32\n5.e-002\n"
                                "13\n0.\n23\n0.2\n33\n5.e-002\n" +
                                kTrailer;
    EXPECT_EQ(Dxf(doc), expected);
}

// A curve gives lines whatever its mode; a hidden function is written too;
// the layer is the label's bytes as they are (Windows-1252 "é" = 0xE9).
TEST(Dxf, CurveSegmentsAreLinesAndHiddenFunctionsCount)
{
    CVeltrix2Doc doc;
    Plot curve{"courbe \xE9", "z(x)=x/2", ChessBoard, -1, 1, 2};
    curve.visible = false;
    ASSERT_TRUE(AddPlot(doc, curve));
    const QByteArray expected = kHeader +
                                "0\nLINE\n8\ncourbe \xE9\n10\n-1.\n20\n0.\n30\n-0.5\n11\n0.\n21\n0.\n31\n0.\n"
                                "0\nLINE\n8\ncourbe \xE9\n10\n0.\n20\n0.\n30\n0.\n11\n1.\n21\n0.\n31\n0.5\n" +
                                kTrailer;
    EXPECT_EQ(Dxf(doc), expected);
}

// Cells that leave the cube are not written; the others keep their order.
TEST(Dxf, CellsOutsideTheCubeAreLeftOut)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"edge", "z(x,y)=x", Gradient, 3, 7, 2, 0, 1, 1}));
    const QByteArray dxf = Dxf(doc);
    EXPECT_EQ(dxf.count("3DFACE"), 1);
    EXPECT_TRUE(dxf.contains("\n10\n3.\n")) << "the cell from x = 3 to 5";
    EXPECT_FALSE(dxf.contains("\n7.\n"));
}

// Counts what the emitter produces per label: what a reader must find.
std::map<std::string, std::pair<int, int>> ExpectedLinesAndFaces(const CVeltrix2Doc &doc)
{
    std::map<std::string, std::pair<int, int>> counts;
    const double cube = doc.Settings().cubeDimension;
    for (int p = doc.First(); p >= 0; p = doc.Next(p)) {
        const FunctionRecord r = doc.Get(p);
        RecordingSink sink;
        DrawSamples(sink, r, SampleGrid(r.text, r.handle, r.label), cube);
        auto &[lines, faces] = counts[r.label];
        lines += int(sink.segments.size()) + (r.mode == WireFrame ? 4 * int(sink.cells.size()) : 0);
        faces += r.mode == WireFrame ? 0 : int(sink.cells.size());
    }
    return counts;
}

// The example document read back by an independent DXF reader.
TEST(Dxf, ExampleDocumentReadsBackInADxfReader)
{
    CVeltrix2Doc doc;
    ASSERT_EQ(doc.Open(TourPath()), ReadOutcome::Ok);
    ASSERT_GE(doc.Count(), 5);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tour.dxf"));
    QString error;
    const bool written = WriteFileSafely(path, [&](QIODevice &out) { return WriteDxf(doc, out); }, &error);
    ASSERT_TRUE(written) << error.toStdString();

    const char *script = R"(
import collections, json, sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
counts = collections.defaultdict(lambda: [0, 0])
for e in doc.modelspace():
    counts[e.dxf.layer][0 if e.dxftype() == 'LINE' else 1] += 1
print(json.dumps(counts))
)";
    const QByteArray out = RunProgram(QStringLiteral("/usr/bin/python3"),
                                      {QStringLiteral("-c"), QString::fromLatin1(script), path});
    const QJsonObject read = QJsonDocument::fromJson(out).object();
    const auto expected = ExpectedLinesAndFaces(doc);
    ASSERT_EQ(read.size(), int(expected.size())) << out.toStdString();
    int total = 0;
    for (const auto &[label, count] : expected) {
        const QJsonArray got = read.value(QString::fromLatin1(label.c_str())).toArray();
        EXPECT_EQ(got.at(0).toInt(), count.first) << label << " lines";
        EXPECT_EQ(got.at(1).toInt(), count.second) << label << " faces";
        total += count.first + count.second;
    }
    EXPECT_GT(total, 1000);
}

// Each group value is one line: a label with line breaks and other control
// characters names one layer, with "_" for them, and an independent reader
// takes the drawing.  A function whose grid cannot be made is left out and
// named.
TEST(Dxf, LabelsStayOnOneLineAndUndrawableFunctionsAreNamed)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"W\nave", "z(x,y)=x*y/10", FilledPolygons}));
    ASSERT_TRUE(AddPlot(doc, {"a\r\tb\x7F", "z(x,y)=x", WireFrame, -5, 5, 1, -5, 5, 1}));
    ASSERT_TRUE(AddPlot(doc, {"huge", "z(x,y)=x", WireFrame, -5, 5, 2000, -5, 5, 2000, false}));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.dxf"));
    QString error;
    QStringList leftOut;
    const bool written = WriteFileSafely(path, [&](QIODevice &out) { return WriteDxf(doc, out, &leftOut); }, &error);
    ASSERT_TRUE(written) << error.toStdString();
    ASSERT_EQ(leftOut.size(), 1);
    EXPECT_TRUE(leftOut[0].startsWith(QStringLiteral("The function \"huge\" cannot be drawn")))
        << leftOut[0].toStdString();
    EXPECT_TRUE(leftOut[0].contains(QStringLiteral("1048576"))) << leftOut[0].toStdString();

    const char *script = R"(
import collections, json, sys, ezdxf
counts = collections.Counter(e.dxf.layer for e in ezdxf.readfile(sys.argv[1]).modelspace())
print(json.dumps(counts))
)";
    const QByteArray out = RunProgram(QStringLiteral("/usr/bin/python3"),
                                      {QStringLiteral("-c"), QString::fromLatin1(script), path});
    const QJsonObject read = QJsonDocument::fromJson(out).object();
    EXPECT_EQ(read.keys(), (QStringList{"W_ave", "a__b_"})) << out.toStdString();
    EXPECT_EQ(read.value(QStringLiteral("W_ave")).toInt(), 16);
    EXPECT_EQ(read.value(QStringLiteral("a__b_")).toInt(), 4);
}

// A file that cannot be written: a message with the file and the system's
// reason, and an existing file keeps its bytes.
TEST(Dxf, FailedWriteLeavesTheExistingFileAlone)
{
    CVeltrix2Doc doc;
    ASSERT_TRUE(AddPlot(doc, {"big", "z(x,y)=x*y/10", WireFrame, -5, 5, 40, -5, 5, 40}));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.dxf"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old drawing");
    }
    QString error;
    bool written = true;
    {
        FileSizeLimit limit(4096);
        written = WriteFileSafely(path, [&](QIODevice &out) { return WriteDxf(doc, out); }, &error);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error, QStringLiteral("The file %1 could not be written: File too large.")
                         .arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old drawing"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.dxf"});

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/x.dxf"));
    EXPECT_FALSE(WriteFileSafely(nowhere, [&](QIODevice &out) { return WriteDxf(doc, out); }, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(nowhere))) << error.toStdString();

    // A folder made at the target while the file was written: the last
    // step, putting the file in its place, fails and says so.
    const QString taken = dir.filePath(QStringLiteral("taken.dxf"));
    error.clear();
    EXPECT_FALSE(WriteFileSafely(taken, [&](QIODevice &out) { return QDir().mkdir(taken) && WriteDxf(doc, out); }, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(taken))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(taken).isDir());
}

} // namespace
