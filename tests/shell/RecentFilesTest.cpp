// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "RecentFiles.h"
#include "TestSupport.h"

TEST(RecentFiles, KeepsTheFiveNewestWithoutDuplicates)
{
    RecentFiles recent;
    for (int i = 1; i <= 7; ++i)
        recent.Add(QStringLiteral("/docs/f%1.vxf").arg(i));
    recent.Add(QStringLiteral("/docs/f4.vxf"));
    EXPECT_EQ(recent.Entries(), QStringList({"/docs/f4.vxf", "/docs/f7.vxf", "/docs/f6.vxf",
                                             "/docs/f5.vxf", "/docs/f3.vxf"}));
    recent.Remove(QStringLiteral("/docs/f7.vxf"));
    EXPECT_EQ(recent.Entries().size(), 4);
    EXPECT_EQ(recent.MenuText(0), QStringLiteral("&1 /docs/f4.vxf"));
}

TEST(RecentFiles, SurvivesInTheRecentFileListSection)
{
    ClearSettingsStore();
    RecentFiles recent;
    recent.Add(QStringLiteral("/a/one.vxf"));
    recent.Add(QStringLiteral("/a/two.vxf"));
    {
        QSettings store;
        recent.Save(store);
    }
    QSettings store;
    EXPECT_EQ(store.value("Recent File List/File1").toString(), QStringLiteral("/a/two.vxf"));
    EXPECT_EQ(store.value("Recent File List/File2").toString(), QStringLiteral("/a/one.vxf"));
    RecentFiles reloaded;
    reloaded.Load(store);
    EXPECT_EQ(reloaded.Entries(), recent.Entries());
}

TEST(RecentFiles, LongPathsAndAmpersandsAreShownSafely)
{
    RecentFiles recent;
    recent.Add(QStringLiteral("/home/somebody/a/very/deep/folder/structure/here/R&D.vxf"));
    const QString text = recent.MenuText(0);
    EXPECT_TRUE(text.startsWith("&1 /home/")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("R&&D.vxf")) << text.toStdString();
    EXPECT_LT(text.size(), 40);
}
