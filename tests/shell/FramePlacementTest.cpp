// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "FramePlacement.h"
#include "SettingsStore.h"
#include "TestSupport.h"

namespace {
QRect Stored(const FramePlacement::Opening &o)
{
    return o.clientTopLeft ? QRect(*o.clientTopLeft, o.size) : QRect();
}
}  // namespace

TEST(FramePlacement, FirstRunLeavesThePlaceToTheWindowSystemWithThreeQuartersOfTheScreen)
{
    ClearSettingsStore();
    QSettings store;
    FramePlacement::Opening first = FramePlacement::Load(store, QSize(1280, 1024));
    EXPECT_FALSE(first.clientTopLeft.has_value());
    EXPECT_FALSE(first.frameAtScreenCorner);
    EXPECT_EQ(first.size, QSize(960, 768));
    // Products are truncated, never rounded up.
    EXPECT_EQ(FramePlacement::Load(store, QSize(1279, 1023)).size, QSize(959, 767));
}

TEST(FramePlacement, AStoreThatCannotBeReadPutsTheFrameInTheScreenCorner)
{
    QTemporaryDir dir;
    // A folder where the settings file should be cannot be read as one.
    const QString path = dir.filePath(QStringLiteral("Veltrix 2.0.ini"));
    ASSERT_TRUE(QDir().mkpath(path));
    QSettings store(path, QSettings::IniFormat);
    const FramePlacement::Opening opening = FramePlacement::Load(store, QSize(1000, 800));
    EXPECT_TRUE(opening.frameAtScreenCorner);
    EXPECT_FALSE(opening.clientTopLeft.has_value());
    EXPECT_EQ(opening.size, QSize(750, 600));

    // The frame's corner, not the client area's: the title bar stays on the screen.
    QWidget window;
    FramePlacement::Restore(window, store);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(0, 0));
    const QScreen *screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(window.size(), FramePlacement::Load(store, screen->geometry().size())
                                 .size.boundedTo(screen->availableGeometry().size()));
}

// A size stored without its corner: the window system places the window,
// which is no larger than the screen.
TEST(FramePlacement, AStoredSizeWithoutItsCornerIsLimitedToTheScreen)
{
    ClearSettingsStore();
    QSettings store;
    FramePlacement::Save(store, QRect(0, 0, 5000, 4000));
    store.remove("Settings/x");
    store.remove("Settings/y");
    QWidget window;
    FramePlacement::Restore(window, store);
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
    ASSERT_LT(room.width(), 5000);
    EXPECT_EQ(window.size(), QSize(5000, 4000).boundedTo(room));
}

TEST(FramePlacement, SavedRectangleComesBackAsFourByteLittleEndianValues)
{
    ClearSettingsStore();
    QSettings store;
    FramePlacement::Save(store, QRect(-3, 40, 700, 500));

    QSettings reread;
    EXPECT_EQ(reread.value("Settings/x").toByteArray(), QByteArray("\xfd\xff\xff\xff", 4));
    EXPECT_EQ(reread.value("Settings/cx").toByteArray(), QByteArray("\xbc\x02\x00\x00", 4));
    EXPECT_EQ(Stored(FramePlacement::Load(reread, QSize(1280, 1024))), QRect(-3, 40, 700, 500));
}

TEST(FramePlacement, DamagedOrMissingValuesKeepTheirFallbacks)
{
    ClearSettingsStore();
    QSettings store;
    FramePlacement::Save(store, QRect(10, 20, 300, 200));
    store.setValue("Settings/cx", QByteArray("\x01\x02\x03", 3));      // wrong size
    store.remove("Settings/cy");
    EXPECT_EQ(Stored(FramePlacement::Load(store, QSize(1000, 800))), QRect(10, 20, 750, 600));
    // Without both coordinates the window system places the window.
    store.setValue("Settings/y", QStringLiteral("20"));                 // not a byte value
    const FramePlacement::Opening opening = FramePlacement::Load(store, QSize(1000, 800));
    EXPECT_FALSE(opening.clientTopLeft.has_value());
    EXPECT_FALSE(opening.frameAtScreenCorner);
    EXPECT_EQ(opening.size, QSize(750, 600));
}

TEST(SettingsStore, ValuesLiveInTheVeltrixIniFile)
{
    QSettings store;
    EXPECT_EQ(store.format(), QSettings::IniFormat);
    EXPECT_TRUE(store.fileName().endsWith("Veltrix/Veltrix 2.0.ini")) << store.fileName().toStdString();
}

TEST(FramePlacement, APlacementOffTheScreensComesBackOnTheNearestOne)
{
    const QRect left(0, 0, 1280, 1024), right(1280, 0, 1920, 1080);
    const QList<QRect> screens{left, right};
    for (const QRect &fits : {QRect(10, 20, 700, 500), QRect(1300, 0, 1900, 1080), left})
        EXPECT_EQ(FramePlacement::FitOnScreens(fits, screens), fits);

    // The rectangle of a window grown over the whole screen and beyond.
    EXPECT_EQ(FramePlacement::FitOnScreens(QRect(-260, -80, 1800, 1300), {left}), left);
    // Beyond the right screen, and straddling both while mostly on the right.
    EXPECT_EQ(FramePlacement::FitOnScreens(QRect(3300, 100, 800, 600), screens), QRect(2400, 100, 800, 600));
    EXPECT_EQ(FramePlacement::FitOnScreens(QRect(1000, 700, 800, 600), screens), QRect(1280, 480, 800, 600));
    // Far below everything: the nearest screen by distance.
    EXPECT_EQ(FramePlacement::FitOnScreens(QRect(2000, 5000, 300, 200), screens), QRect(2000, 880, 300, 200));
    EXPECT_EQ(FramePlacement::FitOnScreens(QRect(5, 5, 10, 10), {}), QRect(5, 5, 10, 10));
}
