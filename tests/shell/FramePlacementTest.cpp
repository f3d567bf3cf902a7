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
