// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// veltrix --help and --version answer on standard output with no display
// and no running program, and never take an option for a document's name.
#include <gtest/gtest.h>

#include <QProcess>

#include "CommandLineHelp.h"

TEST(CommandLineHelp, OnlyTheOptionsThemselvesAsk)
{
    EXPECT_EQ(AsksForHelp({"veltrix", "--help"}), HelpRequest::Usage);
    EXPECT_EQ(AsksForHelp({"veltrix", "tour.vxf", "-h"}), HelpRequest::Usage);
    EXPECT_EQ(AsksForHelp({"veltrix", "--version"}), HelpRequest::Version);
    EXPECT_EQ(AsksForHelp({"veltrix", "tour.vxf"}), HelpRequest::None);
    EXPECT_EQ(AsksForHelp({"veltrix", "--", "--help"}), HelpRequest::None);
    EXPECT_EQ(AsksForHelp({"--help"}), HelpRequest::None); // the program's own name
}

TEST(CommandLineHelp, TheProgramAnswersWithoutADisplay)
{
    ASSERT_TRUE(qEnvironmentVariableIsEmpty("DISPLAY"));
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        QProcess p;
        p.start(QStringLiteral(VELTRIX_PROGRAM), {option});
        ASSERT_TRUE(p.waitForFinished(60000)) << option.toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << option.toStdString();
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        EXPECT_EQ(out, option == QLatin1String("--help") ? ProgramUsage() : ProgramVersion());
        EXPECT_TRUE(p.readAllStandardError().isEmpty()) << option.toStdString();
    }
    EXPECT_TRUE(ProgramUsage().contains(QLatin1String("--print-to-pdf OUT")));
    EXPECT_TRUE(ProgramUsage().contains(QLatin1String("-e DEFINITION")));
}
