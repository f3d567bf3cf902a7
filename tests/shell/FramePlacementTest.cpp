#include <gtest/gtest.h>

#include "FramePlacement.h"
#include "SettingsStore.h"
#include "TestSupport.h"

TEST(FramePlacement, FirstRunOpensAtTheOriginWithThreeQuartersOfTheScreen)
{
    ClearSettingsStore();
    QSettings store;
    EXPECT_EQ(FramePlacement::Load(store, QSize(1280, 1024)), QRect(0, 0, 960, 768));
    // Products are truncated, never rounded up.
    EXPECT_EQ(FramePlacement::Load(store, QSize(1279, 1023)), QRect(0, 0, 959, 767));
}

TEST(FramePlacement, SavedRectangleComesBackAsFourByteLittleEndianValues)
{
    ClearSettingsStore();
    QSettings store;
    FramePlacement::Save(store, QRect(-3, 40, 700, 500));

    QSettings reread;
    EXPECT_EQ(reread.value("Settings/x").toByteArray(), QByteArray("\xfd\xff\xff\xff", 4));
    EXPECT_EQ(reread.value("Settings/cx").toByteArray(), QByteArray("\xbc\x02\x00\x00", 4));
    EXPECT_EQ(FramePlacement::Load(reread, QSize(1280, 1024)), QRect(-3, 40, 700, 500));
}

TEST(FramePlacement, DamagedOrMissingValueKeepsTheFallbackForThatCoordinateOnly)
{
    ClearSettingsStore();
    QSettings store;
    FramePlacement::Save(store, QRect(10, 20, 300, 200));
    store.setValue("Settings/cx", QByteArray("\x01\x02\x03", 3));      // wrong size
    store.setValue("Settings/y", QStringLiteral("20"));                 // not a byte value
    store.remove("Settings/cy");
    EXPECT_EQ(FramePlacement::Load(store, QSize(1000, 800)), QRect(10, 0, 750, 600));
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
