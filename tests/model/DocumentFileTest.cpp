// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving and opening documents: the exact bytes, round trips, refused and
// damaged files, and saving that never loses the previous file.
#include <atomic>
#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include <QDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "QelSlots.h"
#include "model/LibraryFunction.h"

namespace {

class DocumentFileTest : public QelTest {
protected:
    QString Path(const char *name) const { return dir.filePath(name); }

    FunctionRecord Add(CVeltrix2Doc &doc, const std::string &label, const std::string &text,
                       int angleMode = QEL_RADIANS)
    {
        const DefinitionOutcome o = CompileNewFunction(text, angleMode);
        EXPECT_TRUE(o.ok) << text << ": " << o.message.toStdString();
        FunctionRecord r;
        r.label = label;
        r.text = text;
        r.handle = o.handle;
        doc.Add(r);
        return r;
    }

    // A small valid file with two functions; returns its bytes.
    std::string TwoFunctionFile(const QString &path)
    {
        CVeltrix2Doc doc;
        Add(doc, "first", "z(x,y)=x*y");
        Add(doc, "second", "r(alpha,beta)=2", QEL_DEGREES);
        EXPECT_TRUE(doc.Save(path));
        return ReadAll(path);
    }

    void ExpectEmptyUntitled(const CVeltrix2Doc &doc)
    {
        EXPECT_EQ(doc.Count(), 0);
        EXPECT_EQ(UsedHandles(), 0);
        EXPECT_TRUE(doc.PathName().isEmpty());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.Settings(), ViewSettings());
    }

    QTemporaryDir dir;
};

Bytes VariableEntry(const std::string &name, double value, double min, double max, int32_t steps)
{
    Bytes b;
    b.I32(int32_t(name.size())).Raw(name).F64(value).F64(min).F64(max).I32(steps);
    return b;
}

TEST_F(DocumentFileTest, SmallFileMatchesTheLayoutByteForByte)
{
    CVeltrix2Doc doc;
    doc.Settings().axisLabelZ = "height";
    Add(doc, "f", "z(x,y)=x");
    const QString path = Path("small.vxf");
    ASSERT_TRUE(doc.Save(path));

    Bytes expected;
    expected.Raw("TORVANE").Raw("VLTX").U8(2).U8(0);
    for (double d : {0.08, 10.0, 0.1, 100.0, 45.0, 4.0, 7.0, 20.0, -20.0, 15.0})
        expected.F64(d);
    expected.I32(1).I32(1).I32(1).U32(0x000000).U32(0xFFFFFF).U32(0xFFFFFF).U32(0x0000FF).I32(0);
    expected.U8(1).Raw("x").U8(1).Raw("y").U8(6).Raw("height");
    expected.U32(30).U32(10).I32(1);
    // The entry: the label padded with zeros to 81 bytes, the record fields,
    // the text, then the library's block.
    expected.Raw("f").Raw(std::string(80, '\0'));
    expected.I32(1).U32(0xFFFFFF).U32(0x000000).I32(0).I32(8).Raw("z(x,y)=x");
    expected.I32(1).Raw("x").I32(QEL_RADIANS).I32(4);
    expected.Raw(VariableEntry("x", 0, -5, 5, 20).data);
    expected.Raw(VariableEntry("y", 0, -5, 5, 20).data);
    expected.Raw(VariableEntry("e", 2.718281828, 0, 0, 0).data);
    expected.Raw(VariableEntry("pi", 3.141592654, 0, 0, 0).data);

    const std::string actual = ReadAll(path);
    ASSERT_EQ(actual.size(), expected.data.size());
    for (size_t i = 0; i < actual.size(); ++i)
        ASSERT_EQ(uint8_t(actual[i]), uint8_t(expected.data[i])) << "byte " << i;
    EXPECT_EQ(doc.PathName(), path);
    EXPECT_FALSE(doc.IsModified());
}

// A curve is an ordinary entry: its whole definition as the record's text,
// then the library's block as ever, whose text is the tuple of expressions.
TEST_F(DocumentFileTest, CurvesAndSurfacesAreOrdinaryEntriesWithTheirTuple)
{
    CVeltrix2Doc doc;
    const std::string helix = "(x,y,z)(t)=(cos(t), sin(t), t/5)";
    Add(doc, "helix", helix, QEL_DEGREES);
    const QString path = Path("helix.vxf");
    ASSERT_TRUE(doc.Save(path));

    Bytes entry;
    entry.Raw("helix").Raw(std::string(76, '\0'));
    entry.I32(1).U32(0xFFFFFF).U32(0x000000).I32(0).I32(int32_t(helix.size())).Raw(helix);
    const std::string tuple = "(cos(t), sin(t), t/5)";
    entry.I32(int32_t(tuple.size())).Raw(tuple).I32(QEL_DEGREES).I32(3);
    entry.Raw(VariableEntry("t", 0, 0, 360, 100).data);
    entry.Raw(VariableEntry("e", 2.718281828, 0, 0, 0).data);
    entry.Raw(VariableEntry("pi", 3.141592654, 0, 0, 0).data);
    const std::string bytes = ReadAll(path);
    ASSERT_GT(bytes.size(), entry.data.size());
    EXPECT_EQ(bytes.substr(bytes.size() - entry.data.size()), entry.data);

    // Read back among other forms, each evaluates as before and saves to the
    // same bytes.
    Add(doc, "torus", "(x,y,z)(u,v,a)=(cos(u)*(a+cos(v)), sin(u)*(a+cos(v)), sin(v))");
    Add(doc, "cylinder", "rho(theta,z)=2");
    Add(doc, "plain", "z(x,y)=x*y");
    ASSERT_EQ(modify_function_variable(doc.Get(1).handle, VariableRecord{"a", 3, 1, 4, 6}), 1);
    const double at[] = {1.25, 0.5, 3, 2.718281828, 3.141592654};
    const SpacePoint before = LibraryFunction(doc.Get(1)).PointAt(at);
    EXPECT_NE(before.x, 0);
    ASSERT_TRUE(doc.Save(path));
    const std::vector<SavedFunction> saved = Snapshot(doc);
    CVeltrix2Doc reopened;
    ASSERT_EQ(reopened.Open(path), ReadOutcome::Ok);
    EXPECT_EQ(UsedHandles(), 4) << "one handle per function";
    const std::vector<SavedFunction> loaded = Snapshot(reopened);
    ASSERT_EQ(loaded.size(), saved.size());
    for (size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(loaded[i].record.text, saved[i].record.text);
        EXPECT_EQ(loaded[i].library, saved[i].library);
    }
    const SpacePoint after = LibraryFunction(reopened.Get(1)).PointAt(at);
    EXPECT_EQ(before.x, after.x);
    EXPECT_EQ(before.y, after.y);
    EXPECT_EQ(before.z, after.z);
    ASSERT_TRUE(reopened.Save(Path("again.vxf")));
    EXPECT_EQ(ReadAll(Path("again.vxf")), ReadAll(path));
}

// What we ship and what users have: a document read and written again is
// the file it was, to the byte.
TEST_F(DocumentFileTest, ExampleDocumentsReadAndWriteByteIdentical)
{
    const QDir examples(QStringLiteral(VELTRIX_EXAMPLES_DIR));
    const QStringList files = examples.entryList({QStringLiteral("*.vxf")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 2);
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        CVeltrix2Doc doc;
        ASSERT_EQ(doc.Open(examples.filePath(name)), ReadOutcome::Ok);
        ASSERT_GT(doc.Count(), 0);
        ASSERT_TRUE(doc.Save(Path("copy.vxf")));
        EXPECT_EQ(ReadAll(Path("copy.vxf")), ReadAll(examples.filePath(name)));
    }
    const std::string original = TwoFunctionFile(Path("two.vxf"));
    CVeltrix2Doc doc;
    ASSERT_EQ(doc.Open(Path("two.vxf")), ReadOutcome::Ok);
    ASSERT_TRUE(doc.Save(Path("two again.vxf")));
    EXPECT_EQ(ReadAll(Path("two again.vxf")), original);
}

TEST_F(DocumentFileTest, EmptyDocumentEndsAfterTheCount)
{
    CVeltrix2Doc doc;
    const QString path = Path("empty.vxf");
    ASSERT_TRUE(doc.Save(path));
    const std::string bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 13u + 10 * 8 + 8 * 4 + 3 * 2 + 3 * 4);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));
}

TEST_F(DocumentFileTest, LongAxisLabelAndLongLabel)
{
    CVeltrix2Doc doc;
    doc.Settings().axisLabelX = std::string(300, 'a');
    FunctionRecord r = Add(doc, std::string(80, 'L'), "z(x,y)=x");
    r.label = std::string(90, 'M');   // longer than the field: cut to 80
    doc.Update(0, r);
    const QString path = Path("long.vxf");
    ASSERT_TRUE(doc.Save(path));
    const std::string bytes = ReadAll(path);
    const size_t labelX = 13 + 10 * 8 + 8 * 4;
    EXPECT_EQ(uint8_t(bytes[labelX]), 0xFF);
    EXPECT_EQ(uint8_t(bytes[labelX + 1]), 300 & 0xFF);
    EXPECT_EQ(uint8_t(bytes[labelX + 2]), 300 >> 8);
    const size_t label = labelX + 3 + 300 + 2 * 2 + 3 * 4;
    EXPECT_EQ(bytes.substr(label, 81), std::string(80, 'M') + '\0');

    CVeltrix2Doc reopened;
    ASSERT_EQ(reopened.Open(path), ReadOutcome::Ok);
    EXPECT_EQ(reopened.Settings().axisLabelX, std::string(300, 'a'));
    EXPECT_EQ(reopened.Get(0).label, std::string(80, 'M'));
}

// Peak resident memory of this process in KiB, and its reset to the current
// resident size (false where the system does not offer it).
long PeakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

bool ResetPeakResident()
{
    QFile control(QStringLiteral("/proc/self/clear_refs"));
    return control.open(QIODevice::WriteOnly) && control.write("5") == 1 && PeakResidentKiB() > 0;
}

TEST_F(DocumentFileTest, AHugeAxisLabelIsHeldOnceWhileOpening)
{
    constexpr long kLabelKiB = 64 * 1024;
    const QString path = Path("huge.vxf");
    {
        CVeltrix2Doc doc;
        doc.Settings().axisLabelY = std::string(size_t(kLabelKiB) * 1024, 'y');
        ASSERT_TRUE(doc.Save(path));
    }
    CVeltrix2Doc reopened;
    if (!ResetPeakResident())
        GTEST_SKIP() << "the peak resident size cannot be reset here";
    const long before = PeakResidentKiB();
    ASSERT_EQ(reopened.Open(path), ReadOutcome::Ok);
    const long growth = PeakResidentKiB() - before;
    EXPECT_EQ(reopened.Settings().axisLabelY.size(), size_t(kLabelKiB) * 1024);
    // The kernel sums resident pages per CPU and reads the sum without
    // waiting for every CPU's share: the figure may lag by some hundred
    // KiB, the more so on a busy machine.  The label's own size is no
    // exact floor, a copy of it still shows.
    EXPECT_GE(growth, kLabelKiB * 7 / 8) << "the label's pages were not counted";
    EXPECT_LT(growth, kLabelKiB * 3 / 2) << "the label was held more than once";
}

TEST_F(DocumentFileTest, RichDocumentRoundTrip)
{
    FakeCamera camera;
    camera.pose = CameraPose{1.5, -2.25, 33, 12.5, -170};
    CVeltrix2Doc doc;
    doc.SetCameraLink(&camera);
    ViewSettings &s = doc.Settings();
    s.sensitivity = 0.5;
    s.cubeDimension = 7.25;
    s.nearPlane = 0.01;
    s.farPlane = 321;
    s.fieldOfView = 60;
    s.showCube = 0;
    s.showReferenceMarks = 0;
    s.showAxes = 0;
    s.backgroundColor = MakeColor(10, 20, 30);
    s.cubeColor = MakeColor(200, 100, 50);
    s.axesColor = 0x123456;
    s.cursorColor = 0x00FF00;
    s.cursorKind = SphereCursor;
    s.axisLabelX = std::string(300, 'X');
    s.axisLabelY = "";
    s.axisLabelZ = "z\xb2 \xe9t\xe9";
    s.printBufferMB = 77;
    s.animationIntervalMs = 1234;

    FunctionRecord cart = Add(doc, "Cartesian", "z(x,y)=cosx*siny");
    ASSERT_EQ(modify_function_variable(cart.handle, VariableRecord{"x", 1.25, -3, 4.5, 33}), 1);
    FunctionRecord sph = Add(doc, "Sphere", "r(alpha,beta)=2+sinalpha", QEL_DEGREES);
    sph.mode = FilledPolygons;
    sph.color1 = MakeColor(255, 0, 0);
    sph.color2 = MakeColor(0, 0, 255);
    doc.Update(1, sph);
    FunctionRecord param = Add(doc, "with parameter", "z(x,y,k)=k*x^2-y", QEL_GRADS);
    ASSERT_EQ(modify_function_variable(param.handle, VariableRecord{"k", 2.5, 0, 10, 4}), 1);
    param.visible = 0;
    param.mode = ChessBoard;
    doc.Update(2, param);
    FunctionRecord longLabel = Add(doc, std::string(80, 'q'), "beta(r,alpha)=r/10");
    longLabel.mode = Gradient;
    doc.Update(3, longLabel);
    Add(doc, "\xe9t\xe9", "x(y,z)=y*z");

    const QString path = Path("rich.vxf");
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(doc.Settings().cameraX, 1.5);
    EXPECT_EQ(doc.Settings().cameraYaw, -170);
    const ViewSettings savedSettings = doc.Settings();
    const std::vector<SavedFunction> saved = Snapshot(doc);

    FakeCamera otherCamera;
    CVeltrix2Doc reopened;
    reopened.SetCameraLink(&otherCamera);
    std::vector<int> hints;
    QObject::connect(&reopened, &CVeltrix2Doc::ViewsNeedUpdate,
                     [&](QObject *, int hint) { hints.push_back(hint); });
    ASSERT_EQ(reopened.Open(path), ReadOutcome::Ok);
    EXPECT_EQ(hints, std::vector<int>{-1});
    EXPECT_EQ(reopened.PathName(), path);
    EXPECT_FALSE(reopened.IsModified());
    EXPECT_EQ(reopened.Settings(), savedSettings);
    EXPECT_EQ(otherCamera.setCount, 1);
    EXPECT_EQ(otherCamera.pose.y, -2.25);
    EXPECT_EQ(otherCamera.pose.pitch, 12.5);

    const std::vector<SavedFunction> loaded = Snapshot(reopened);
    ASSERT_EQ(loaded.size(), saved.size());
    for (size_t i = 0; i < saved.size(); ++i) {
        SCOPED_TRACE(saved[i].record.label);
        EXPECT_EQ(loaded[i].record, saved[i].record);
        EXPECT_EQ(loaded[i].library, saved[i].library);
    }
    EXPECT_EQ(UsedHandles(), 5);
}

// The camera is the document's: a new document and the empty one a damaged
// file leaves show the default camera, not the one of the document before.
TEST_F(DocumentFileTest, ANewOrDamagedDocumentShowsTheDefaultCamera)
{
    const CameraPose moved{-1, 2.5, 3, 40, -75};
    const CameraPose standard{4, 7, 20, -20, 15};
    auto same = [](const CameraPose &a, const CameraPose &b) {
        return a.x == b.x && a.y == b.y && a.z == b.z && a.pitch == b.pitch && a.yaw == b.yaw;
    };
    FakeCamera camera;
    CVeltrix2Doc doc;
    doc.SetCameraLink(&camera);

    camera.pose = moved;
    doc.NewDocument();
    EXPECT_TRUE(same(camera.pose, standard));

    camera.pose = moved;
    const QString damaged = Path("damaged.vxf");
    WriteAll(damaged, "TORVANEVL");
    EXPECT_EQ(doc.Open(damaged), ReadOutcome::InvalidFile);
    EXPECT_TRUE(same(camera.pose, standard));

    // A file that cannot be opened leaves the document, camera and all.
    camera.pose = moved;
    EXPECT_EQ(doc.Open(Path("missing.vxf")), ReadOutcome::CannotOpen);
    EXPECT_TRUE(same(camera.pose, moved));
}

TEST_F(DocumentFileTest, RefusedFilesGiveInvalidFile)
{
    const QString good = Path("good.vxf");
    const std::string bytes = TwoFunctionFile(good);
    const struct {
        const char *what;
        std::string contents;
    } cases[] = {
        {"signature", "X" + bytes.substr(1)},
        {"magic", bytes.substr(0, 7) + "VLTY" + bytes.substr(11)},
        {"version 2.1", bytes.substr(0, 12) + '\x01' + bytes.substr(13)},
        {"version 1.0", bytes.substr(0, 11) + '\x01' + bytes.substr(12)},
        {"empty", ""},
        {"short", "TORVANEVL"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = Path("refused.vxf");
        WriteAll(path, c.contents);
        CVeltrix2Doc doc;
        Add(doc, "old", "z(x,y)=x");
        doc.SetPathName(good);
        EXPECT_EQ(doc.Open(path), ReadOutcome::InvalidFile);
        ExpectEmptyUntitled(doc);
    }
    EXPECT_EQ(ReadOutcomeMessage(ReadOutcome::InvalidFile), "Invalid file");
    EXPECT_EQ(ReadOutcomeTitle(ReadOutcome::InvalidFile), "Bad file format");
}

TEST_F(DocumentFileTest, EveryTruncationIsReportedAndLeavesAnEmptyUntitledDocument)
{
    const QString good = Path("good.vxf");
    const std::string bytes = TwoFunctionFile(good);
    const size_t firstEntry = 13 + 10 * 8 + 8 * 4 + 3 * 2 + 2 * 4 + 4;
    const size_t firstBlock = firstEntry + 81 + 5 * 4 + std::string("z(x,y)=x*y").size();
    const QString path = Path("cut.vxf");
    for (size_t length = 13; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        WriteAll(path, bytes.substr(0, length));
        CVeltrix2Doc doc;
        const ReadOutcome outcome = doc.Open(path);
        if (length >= firstBlock && length < firstBlock + 20)
            EXPECT_EQ(outcome, ReadOutcome::BlockFailed);
        else if (length < firstBlock)
            EXPECT_EQ(outcome, ReadOutcome::BadFormat);
        else
            EXPECT_NE(outcome, ReadOutcome::Ok);
        ExpectEmptyUntitled(doc);
        if (HasFailure())
            break;
    }
    for (ReadOutcome o : {ReadOutcome::BadFormat, ReadOutcome::BlockFailed}) {
        EXPECT_EQ(ReadOutcomeMessage(o), "Bad file format");
        EXPECT_EQ(ReadOutcomeTitle(o), "Error");
    }
}

TEST_F(DocumentFileTest, ImpossibleCountsAndLengthsAreBadFormat)
{
    const QString good = Path("good.vxf");
    const std::string bytes = TwoFunctionFile(good);
    const size_t count = 13 + 10 * 8 + 8 * 4 + 3 * 2 + 2 * 4;
    const size_t textLength = count + 4 + 81 + 4 * 4;
    auto patched = [&](size_t at, int32_t v) {
        std::string b = bytes;
        Bytes n;
        n.I32(v);
        b.replace(at, 4, n.data);
        return b;
    };
    const struct {
        const char *what;
        std::string contents;
        ReadOutcome expected;
    } cases[] = {
        {"negative count", patched(count, -1), ReadOutcome::BadFormat},
        {"101 functions", patched(count, 101), ReadOutcome::BadFormat},
        {"huge count", patched(count, 0x7FFFFFFF), ReadOutcome::BadFormat},
        {"count beyond the entries", patched(count, 3), ReadOutcome::BadFormat},
        {"negative text length", patched(textLength, -5), ReadOutcome::BadFormat},
        {"text longer than the file", patched(textLength, 1 << 30), ReadOutcome::BadFormat},
        {"axis label longer than the file",
         bytes.substr(0, count - 8 - 6) + "\xff\xff\xff\xf0\xff\xff\x7f" + bytes.substr(count - 8 - 6 + 2),
         ReadOutcome::BadFormat},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = Path("damaged.vxf");
        WriteAll(path, c.contents);
        CVeltrix2Doc doc;
        EXPECT_EQ(doc.Open(path), c.expected);
        ExpectEmptyUntitled(doc);
    }
}

TEST_F(DocumentFileTest, BlockThatDoesNotCompileDropsEverything)
{
    const QString good = Path("good.vxf");
    std::string bytes = TwoFunctionFile(good);
    // The first block's expression "x*y" becomes "x*)".
    const size_t expression = bytes.find("x*y", bytes.find("z(x,y)=x*y") + 10);
    ASSERT_NE(expression, std::string::npos);
    bytes[expression + 2] = ')';
    const QString path = Path("block.vxf");
    WriteAll(path, bytes);
    CVeltrix2Doc doc;
    doc.SetPathName(good);
    EXPECT_EQ(doc.Open(path), ReadOutcome::BlockFailed);
    ExpectEmptyUntitled(doc);
}

TEST_F(DocumentFileTest, MissingFileLeavesTheDocumentAlone)
{
    CVeltrix2Doc doc;
    Add(doc, "kept", "z(x,y)=x");
    QString error;
    EXPECT_EQ(doc.Open(Path("missing.vxf"), &error), ReadOutcome::CannotOpen);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(UsedHandles(), 1);
}

TEST_F(DocumentFileTest, WhatIsNotARegularFileIsRefusedWithoutWaiting)
{
    const QString fifo = Path("pipe.vxf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Should opening wait for a writer, one comes after a while, again and
    // again, so that the test fails instead of hanging.
    std::atomic<bool> done{false}, released{false};
    std::thread rescuer([&] {
        for (int tick = 0; !done; ++tick) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (tick < 300)
                continue;
            const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                released = true;
                ::close(writer);
            }
        }
    });
    CVeltrix2Doc doc;
    Add(doc, "kept", "z(x,y)=x");
    QString error;
    const ReadOutcome outcome = doc.Open(fifo, &error);
    QString directoryError;
    const ReadOutcome directory = doc.Open(dir.path(), &directoryError);
    done = true;
    rescuer.join();

    EXPECT_FALSE(released) << "opening waited for a writer";
    EXPECT_EQ(outcome, ReadOutcome::CannotOpen);
    EXPECT_TRUE(error.contains("not a regular file")) << error.toStdString();
    EXPECT_EQ(directory, ReadOutcome::CannotOpen);
    EXPECT_FALSE(directoryError.isEmpty());
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(UsedHandles(), 1);
}

TEST_F(DocumentFileTest, FunctionLeftResetByAFailedEditIsSavedWhole)
{
    CVeltrix2Doc doc;
    Add(doc, "a", "z(x,y)=x");
    const FunctionRecord b = Add(doc, "b", "z(x,y)=x+y", QEL_DEGREES);
    ASSERT_FALSE(RecompileFunction(b.handle, "z(x,y)=x+", QEL_DEGREES).ok);
    ASSERT_EQ(is_function_initialized(b.handle), 0);

    std::vector<int> hints;
    QObject::connect(&doc, &CVeltrix2Doc::ViewsNeedUpdate,
                     [&](QObject *, int hint) { hints.push_back(hint); });
    const QString path = Path("reset.vxf");
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(hints, std::vector<int>{b.handle});   // drawn again
    CVeltrix2Doc reopened;
    ASSERT_EQ(reopened.Open(path), ReadOutcome::Ok);
    ASSERT_EQ(reopened.Count(), 2);
    EXPECT_EQ(reopened.Get(1).text, "z(x,y)=x+y");
    EXPECT_EQ(get_function_angle_mode(reopened.Get(1).handle), QEL_DEGREES);
    EXPECT_EQ(is_function_initialized(reopened.Get(1).handle), 1);
}

TEST_F(DocumentFileTest, FailedSaveKeepsThePreviousFile)
{
    CVeltrix2Doc doc;
    Add(doc, "a", "z(x,y)=x");
    const QString path = Path("kept.vxf");
    ASSERT_TRUE(doc.Save(path));
    const std::string before = ReadAll(path);

    doc.Settings().axisLabelX = std::string(5000, 'x');
    Add(doc, "b", "z(x,y)=y");
    ASSERT_TRUE(doc.IsModified());

    // Let the file system refuse everything past 200 bytes.  The signal of
    // the limit is ignored as the program's start-up does (the shell's tests
    // run that start-up itself); here only the writer is under test.
    struct rlimit original;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    void (*previousHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = original;
    limited.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString error;
    const bool saved = doc.Save(path, &error);
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.vxf"});

    EXPECT_FALSE(doc.Save(Path("no/such/dir/x.vxf"), &error));
    EXPECT_EQ(doc.PathName(), path);
}

// Flips and truncates bytes of a valid file: whatever comes out, the reader
// must not crash, must leave either the functions it read or an empty
// untitled document, and must not keep library functions it did not list.
TEST_F(DocumentFileTest, CorruptedFilesNeverCrashOrLeakHandles)
{
    const QString good = Path("good.vxf");
    CVeltrix2Doc source;
    source.Settings().axisLabelY = std::string(260, 'y');
    Add(source, "first", "z(x,y,k)=k*cosx*siny");
    Add(source, "second", "r(alpha,beta)=2+sinalpha", QEL_DEGREES);
    Add(source, "third", "y(x,z)=x^2-z");
    ASSERT_TRUE(source.Save(good));
    const std::string bytes = ReadAll(good);
    source.NewDocument();

    std::mt19937 random(20261208);
    const QString path = Path("fuzz.vxf");
    int opened = 0;
    for (int round = 0; round < 600; ++round) {
        SCOPED_TRACE(round);
        std::string damaged = bytes;
        const int flips = 1 + int(random() % 4);
        for (int i = 0; i < flips; ++i)
            damaged[random() % damaged.size()] ^= char(1 + random() % 255);
        if (random() % 3 == 0)
            damaged.resize(random() % damaged.size());
        WriteAll(path, damaged);

        CVeltrix2Doc doc;
        const ReadOutcome outcome = doc.Open(path);
        EXPECT_EQ(UsedHandles(), doc.Count());
        if (outcome == ReadOutcome::Ok) {
            ++opened;
            EXPECT_EQ(doc.PathName(), path);
            EXPECT_LE(doc.Count(), 3);
        } else {
            EXPECT_NE(outcome, ReadOutcome::CannotOpen);
            ExpectEmptyUntitled(doc);
        }
        if (HasFailure())
            break;
    }
    EXPECT_GT(opened, 0);   // flips of doubles and colours still open

    source.NewDocument();
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(new_function(), i);
}

}  // namespace
