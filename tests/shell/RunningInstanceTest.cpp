// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "GuiWaits.h"
#include "HandOverMessage.h"
#include "RunningInstance.h"

namespace {

// What a program that was killed leaves behind: a socket file nobody
// listens on.
bool MakeStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    if (fd < 0 || size_t(bytes.size()) >= sizeof address.sun_path)
        return false;
    std::copy(bytes.begin(), bytes.end(), address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// Sends one line as another start would, without waiting in a way that
// would stop this thread's server; returns the answer.
QByteArray Send(const QString &name, const QByteArray &line)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    const bool settled = QTest::qWaitFor([&] { return socket.state() != QLocalSocket::ConnectingState; }, kPatienceMs);
    if (!settled || socket.state() != QLocalSocket::ConnectedState)
        return "<not connected>";
    socket.write(line);
    if (!QTest::qWaitFor([&] { return socket.canReadLine() || socket.state() != QLocalSocket::ConnectedState; }, kPatienceMs))
        return "<no answer>";
    return socket.readLine();
}

// A caller that connects and says nothing, as a flood of local connections
// does; -1 when the system refused it.
int SilentCaller(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    std::copy(bytes.begin(), bytes.end(), address.sun_path);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int OpenDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System).size());
}

class RunningInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("instance"));
};

}  // namespace

TEST_F(RunningInstanceTest, ALeftOverSocketIsTakenOverAndALiveOneIsNot)
{
    ASSERT_TRUE(MakeStaleSocket(name));
    RunningInstance first(name);
    EXPECT_TRUE(first.Listen());
    RunningInstance second(name);
    EXPECT_FALSE(second.Listen()) << "the first program still listens";
    EXPECT_TRUE(first.IsListening());

    RunningInstance nobody(dir.filePath(QStringLiteral("nobody")));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(nobody.HandOver(QStringLiteral("/tmp/a.vxf")));
    EXPECT_LT(clock.elapsed(), 2000) << "nobody to wait for";
}

TEST_F(RunningInstanceTest, OnlyAbsolutePathsOnOneLineAreTaken)
{
    RunningInstance instance(name);
    ASSERT_TRUE(instance.Listen());
    QSignalSpy handed(&instance, &RunningInstance::FileHandedOver);
    QSignalSpy called(&instance, &RunningInstance::Called);

    EXPECT_EQ(Send(name, "relative.vxf\n"), QByteArray());
    EXPECT_EQ(Send(name, "\n"), QByteArray());
    EXPECT_EQ(Send(name, QByteArray("/tmp/a\0b.vxf\n", 13)), QByteArray());
    EXPECT_EQ(Send(name, QByteArray(70 * 1024, '/')), QByteArray()) << "no end of line in sight";
    EXPECT_EQ(handed.count(), 0);
    EXPECT_EQ(called.count(), 0);

    EXPECT_EQ(Send(name, QStringLiteral("/tmp/caf\u00e9 1.vxf\n").toUtf8()), QByteArray("taken\n"));
    ASSERT_EQ(handed.count(), 1);
    EXPECT_EQ(handed.at(0).at(0).toString(), QStringLiteral("/tmp/caf\u00e9 1.vxf"));
    EXPECT_EQ(called.count(), 1);
}

// A path travels as one line or not at all: a line feed in a file's name
// would otherwise end the path early and open another file, and bytes that
// are not UTF-8 would be read as another name.
TEST(HandOverMessage, APathComesAcrossUnchangedOrIsNotSent)
{
    const QString path = QStringLiteral("/tmp/caf\u00e9 1.vxf");
    EXPECT_EQ(HandedOverPath(HandOverLine(path)), path);
    EXPECT_TRUE(HandOverLine(QStringLiteral("/tmp/a\nb.vxf")).isEmpty());
    EXPECT_TRUE(HandedOverPath("/tmp/\xff\xfe.vxf\n").isEmpty());
    EXPECT_TRUE(HandedOverPath("/tmp/a.vxf").isEmpty()) << "no end of line";
}

// A document replaced under an open dialog would leave the dialog without
// its function: the file waits until the dialog is closed, but the other
// start is let go at once.
TEST_F(RunningInstanceTest, AFileWaitsForTheOpenDialogToClose)
{
    RunningInstance instance(name);
    ASSERT_TRUE(instance.Listen());
    QSignalSpy handed(&instance, &RunningInstance::FileHandedOver);
    QSignalSpy called(&instance, &RunningInstance::Called);

    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, kPatienceMs));
    EXPECT_EQ(Send(name, "/tmp/a.vxf\n"), QByteArray("taken\n"));
    EXPECT_EQ(called.count(), 1) << "the window comes forward at once";
    // Offered again twice while the dialog stays.
    ASSERT_TRUE(RunTimersDueWithin(3 * RunningInstance::kIdleRetryMs));
    EXPECT_EQ(handed.count(), 0);

    dialog.accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return handed.count() == 1; }, kPatienceMs));
}

// One program per display: the screens of one display share a socket,
// other displays have their own.
TEST(RunningInstanceName, IsThatOfTheDisplay)
{
    const auto key = [](const char *x11) { return RunningInstance::DisplayKey({}, QString::fromLatin1(x11)); };
    EXPECT_EQ(key(":0"), key("unix:0.1"));
    EXPECT_NE(key(":0"), key(":1"));
    EXPECT_NE(key(":10"), key("localhost:10.0"));
    EXPECT_NE(RunningInstance::DisplayKey(QStringLiteral("wayland-0"), QStringLiteral(":0")), key(":0"));
    EXPECT_LE(RunningInstance::DisplayKey(QString(200, QLatin1Char('w')), {}).size(), 32) << "a socket's path is short";
}

// A flood of callers that connect and say nothing: the program serves a
// bounded number at a time, and when its descriptors run out anyway (the
// server then stops and removes its socket) it listens again as soon as
// they come back.
TEST_F(RunningInstanceTest, AFloodOfCallersNeitherExhaustsNorEndsTheServer)
{
    RunningInstance instance(name);
    ASSERT_TRUE(instance.Listen());
    const int before = OpenDescriptors();
    std::vector<int> callers;
    // The server's end of each caller it took.
    const auto served = [&] { return OpenDescriptors() - before - int(callers.size()); };
    const int most = RunningInstance::kMaxCallers;
    for (int round = 0; round < 8; ++round) {
        for (int i = 0; i < 30; ++i)
            if (const int fd = SilentCaller(name); fd >= 0)
                callers.push_back(fd);
        // It takes all it may before the next round comes.
        ASSERT_TRUE(QTest::qWaitFor([&] { return served() >= std::min(int(callers.size()), most); }, kPatienceMs))
            << served() << " of " << callers.size();
    }
    EXPECT_GT(int(callers.size()), 2 * most);
    EXPECT_LE(served(), 2 * most + 4) << "each caller held by the server";
    for (int fd : callers)
        ::close(fd);
    callers.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return served() <= 0; }, kPatienceMs)) << "callers that left are let go";

    // No descriptor left when callers come: the server cannot take them.
    struct rlimit original;
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &original), 0);
    for (int i = 0; i < 4; ++i)
        callers.push_back(SilentCaller(name));
    const int lowestFree = ::dup(0);
    ::close(lowestFree);
    struct rlimit exhausted = original;
    exhausted.rlim_cur = rlim_t(lowestFree);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &exhausted), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !instance.IsListening(); }, kPatienceMs))
        << "the flood was meant to stop the server";
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &original), 0);
    for (int fd : callers)
        ::close(fd);

    QSignalSpy handed(&instance, &RunningInstance::FileHandedOver);
    QByteArray answer;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (answer = Send(name, "/tmp/a.vxf\n")) == "taken\n"; }, kPatienceMs))
        << answer.toStdString();
    EXPECT_EQ(handed.count(), 1);
}
