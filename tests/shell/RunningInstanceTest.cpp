#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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
    if (!QTest::qWaitFor([&] { return socket.state() == QLocalSocket::ConnectedState; }, 2000))
        return "<not connected>";
    socket.write(line);
    if (!QTest::qWaitFor([&] { return socket.canReadLine() || socket.state() != QLocalSocket::ConnectedState; }, 3000))
        return "<no answer>";
    return socket.readLine();
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
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000));
    EXPECT_EQ(Send(name, "/tmp/a.vxf\n"), QByteArray("taken\n"));
    EXPECT_EQ(called.count(), 1) << "the window comes forward at once";
    QTest::qWait(500);
    EXPECT_EQ(handed.count(), 0);

    dialog.accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return handed.count() == 1; }, 2000));
}
