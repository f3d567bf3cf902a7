// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "TestSupport.h"
#include "model/CVeltrix2Doc.h"

namespace {

struct Outcome {
    int status = -1;
    QString errors;
};

// The program as a script runs it: no DISPLAY (this test starts without
// one), and with `cupsServer` as the only place printers could come from.
Outcome Veltrix(const QStringList &arguments, const QString &cupsServer = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!cupsServer.isEmpty())
        env.insert(QStringLiteral("CUPS_SERVER"), cupsServer);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELTRIX_PROGRAM), arguments);
    EXPECT_TRUE(p.waitForFinished(120000)) << arguments.join(' ').toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
}

class CommandLinePrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(qEnvironmentVariableIsEmpty("DISPLAY"));
        CVeltrix2Doc doc;
        ASSERT_TRUE(AddFunction(doc, "wave", "z(x,y)=cosx*siny", 3));
        ASSERT_TRUE(AddFunction(doc, "ball", "r(alpha,beta)=2", 1));
        ASSERT_TRUE(doc.Save(Path("j1.vxf")));
    }

    QString Path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace

// The printed pages as File > Print makes them, with no window and no
// display: the title page with the scene, then the function page.
TEST_F(CommandLinePrintTest, PrintToPdfWritesThePrintedPages)
{
    const Outcome run = Veltrix({QStringLiteral("--print-to-pdf"), Path("j1.pdf"), Path("j1.vxf")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("veltrix:"))) << run.errors.toStdString();

    const QString info = QString::fromLocal8Bit(RunProgram(QStringLiteral("pdfinfo"), {Path("j1.pdf")}));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Veltrix Document")))) << info.toStdString();
    const QString text = QString::fromUtf8(RunProgram(QStringLiteral("pdftotext"), {Path("j1.pdf"), QStringLiteral("-")}));
    for (const char *line : {"File: j1.vxf", "Veltrix 2.0", "Page: 1", "Page: 2", "Label: wave",
                             "Text: z(x,y)=cosx*siny", "Visualization: gradient", "Label: ball",
                             "Visualization: filled polygons"})
        EXPECT_TRUE(text.contains(QLatin1String(line))) << line << "\n"
                                                        << text.toStdString();

    // Page 1 holds the scene, drawn on its black background.
    RunProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                                            QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                            QStringLiteral("-png"), Path("j1.pdf"), Path("page")});
    const QImage page(Path("page-1.png"));
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 40;
    EXPECT_GT(dark, page.width() * page.height() / 5);

    // A file that cannot be written: the reason, and a failure status.
    const Outcome refused = Veltrix({QStringLiteral("--print-to-pdf"), Path("no/such/folder/j1.pdf"), Path("j1.vxf")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("veltrix: "))) << refused.errors.toStdString();
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("j1.pdf"))) << refused.errors.toStdString();
}

// A machine with no printer at all says so and fails; nothing is printed
// anywhere else instead.
TEST_F(CommandLinePrintTest, PrintWithNoPrinterSaysSoAndFails)
{
    const Outcome run = Veltrix({QStringLiteral("--print"), Path("j1.vxf")}, Path("no-cups-here"));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("veltrix: No printer is installed: nothing was printed.")))
        << run.errors.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"j1.vxf"});
}

TEST_F(CommandLinePrintTest, WrongArgumentsAndUnreadableDocumentsAreRefused)
{
    const struct {
        QStringList arguments;
        int status;
        const char *message;
    } cases[] = {
        {{QStringLiteral("--print")}, 3, "veltrix: Name one document to print"},
        {{QStringLiteral("--print-to-pdf")}, 3, "veltrix: Missing value after '--print-to-pdf'."},
        {{QStringLiteral("--print"), QStringLiteral("--print-to-pdf=x.pdf"), Path("j1.vxf")},
         3,
         "veltrix: Give --print or --print-to-pdf, not both."},
        {{QStringLiteral("--print"), Path("missing.vxf")}, 2, "cannot be opened: No such file or directory."},
    };
    for (const auto &c : cases) {
        const Outcome run = Veltrix(c.arguments, Path("no-cups-here"));
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.errors.contains(QLatin1String(c.message))) << run.errors.toStdString();
    }
    WriteFile(dir.path(), QStringLiteral("bad.vxf"), "not a document");
    const Outcome bad = Veltrix({QStringLiteral("--print-to-pdf"), Path("bad.pdf"), Path("bad.vxf")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.errors.contains(QStringLiteral("bad.vxf: Invalid file"))) << bad.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("bad.pdf")));
}
