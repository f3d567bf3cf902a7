// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include "../tree/FakePrompter.h"
#include "AboutDialog.h"
#include "GuiWaits.h"
#include "SplashWindow.h"

TEST(AboutDialog, ShowsReleaseAndYearAndItsButtonsOpenTheAddresses)
{
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Informations about Veltrix"));
    QStringList texts;
    for (const QLabel *label : about.findChildren<QLabel *>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Veltrix release 2.0"));
    EXPECT_TRUE(texts.contains("2001"));

    QList<QUrl> opened;
    about.SetUrlOpener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    QTest::mouseClick(about.WebButton(), Qt::LeftButton);
    QTest::mouseClick(about.MailButton(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("https"));
    EXPECT_EQ(opened[0].toString(), about.WebButton()->text());
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened[1].path(), about.MailButton()->text());
    EXPECT_EQ(QUrlQuery(opened[1]).queryItemValue("subject", QUrl::FullyDecoded),
              QStringLiteral("Veltrix 2.0 report"));
}

TEST(AboutDialog, AnAddressThatCannotBeOpenedIsReported)
{
    FakePrompter prompter;
    AboutDialog about;
    about.SetUrlOpener([](const QUrl &) { return false; });
    QTest::mouseClick(about.WebButton(), Qt::LeftButton);
    QTest::mouseClick(about.MailButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.messages.size(), 2u);
    for (const FakePrompter::Shown &box : prompter.messages) {
        EXPECT_EQ(box.title, QStringLiteral("Error"));
        EXPECT_EQ(box.icon, QMessageBox::Critical);
    }
    EXPECT_TRUE(prompter.messages[0].text.contains(AboutDialog::kWebAddress));
    EXPECT_TRUE(prompter.messages[1].text.contains(AboutDialog::kMailAddress));
}

TEST(SplashWindow, FirstPressAnywhereIsSwallowedAndRemovesThePicture)
{
    QPushButton behind(QStringLiteral("behind"));
    behind.show();
    int clicks = 0;
    QObject::connect(&behind, &QPushButton::clicked, [&] { ++clicks; });

    QPixmap picture(40, 30);
    picture.fill(Qt::blue);
    QPointer<SplashWindow> splash = new SplashWindow(picture);
    QSignalSpy dismissed(splash.data(), &SplashWindow::Dismissed);
    splash->ShowCentred();

    QTest::mouseClick(&behind, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(dismissed.count(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, kPatienceMs)) << "closed and deleted";

    QTest::mouseClick(&behind, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(SplashWindow, KeyPressIsSwallowedToo)
{
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    QPixmap picture(40, 30);
    picture.fill(Qt::blue);
    QPointer<SplashWindow> splash = new SplashWindow(picture);
    splash->ShowCentred();
    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_TRUE(edit.text().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, kPatienceMs)) << "closed and deleted";
    QTest::keyClick(&edit, Qt::Key_B);
    EXPECT_EQ(edit.text(), QStringLiteral("b"));
}

TEST(SplashWindow, GoesAwayByItselfAfterItsTimer)
{
    QPixmap picture(40, 30);
    picture.fill(Qt::blue);
    QPointer<SplashWindow> splash = new SplashWindow(picture);
    QElapsedTimer clock;
    clock.start();
    splash->ShowCentred();
    ASSERT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, kPatienceMs)) << "still shown";
    EXPECT_GE(clock.elapsed(), SplashWindow::kPeriodMs - 50);
}
