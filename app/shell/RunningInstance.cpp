// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RunningInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include "CMainFrame.h"
#include "HandOverMessage.h"

namespace {
constexpr int kReadTimeoutMs = 10000;
// How often a server that stopped (its descriptors ran out) is restarted.
constexpr int kWatchMs = 1000;

// Whether the socket file at `path` (if any) is the user's own: a socket in
// a shared folder made by someone else must not receive the user's paths.
bool OwnSocketOrNone(const QString &name)
{
    const QString path = QDir::isAbsolutePath(name) ? name : QDir::temp().filePath(name);
    const QFileInfo info(path);
    return !info.exists() || info.ownerId() == uint(getuid());
}
}  // namespace

QString RunningInstance::DisplayKey(const QString &waylandDisplay, const QString &x11Display)
{
    QString display;
    if (!waylandDisplay.isEmpty()) {
        display = QStringLiteral("wayland-") + waylandDisplay;
    } else if (!x11Display.isEmpty()) {
        // host:display.screen; the screens of a display are one desktop,
        // and "unix:0" is ":0".
        display = x11Display;
        const int colon = display.lastIndexOf(QLatin1Char(':'));
        const int dot = display.indexOf(QLatin1Char('.'), colon + 1);
        if (colon >= 0 && dot > colon)
            display.truncate(dot);
        if (display.startsWith(QLatin1String("unix:")))
            display.remove(0, 4);
    }
    if (display.isEmpty())
        return QString();
    QString key;
    for (QChar c : display)
        key += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('-') || c == QLatin1Char('.')
                   ? c
                   : QLatin1Char('_');
    // A socket's path is short (108 bytes): a long name (a Wayland socket
    // given as a path) is kept as its digest.
    if (key.size() > 32)
        key = QString::fromLatin1(
            QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    return key;
}

QString RunningInstance::DefaultServerName()
{
    const QString display = DisplayKey(qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("DISPLAY"));
    const QString suffix = display.isEmpty() ? QString() : QLatin1Char('-') + display;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("veltrix-2.0") + suffix);
    return QStringLiteral("veltrix-2.0-%1").arg(getuid()) + suffix;
}

RunningInstance::RunningInstance(const QString &serverName, QObject *parent)
    : QObject(parent), name_(serverName), server_(new QLocalServer(this)), watch_(new QTimer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->setMaxPendingConnections(kMaxCallers);
    connect(server_, &QLocalServer::newConnection, this, &RunningInstance::Accept);
    // The server closes itself, and removes its socket, when it cannot take
    // a caller (no descriptor left), and says nothing: look now and then.
    watch_->setInterval(kWatchMs);
    connect(watch_, &QTimer::timeout, this, &RunningInstance::ListenAgainIfStopped);
}

RunningInstance::~RunningInstance() = default;

bool RunningInstance::HandOver(const QString &path, int timeoutMs) const
{
    const QByteArray line = HandOverLine(QFileInfo(path).absoluteFilePath());
    if (line.isEmpty() || !OwnSocketOrNone(name_))
        return false;
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(qMin(timeoutMs, 2000)))
        return false;
    socket.write(line);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;   // no answer: the program may hang, or ended
    }
    return socket.readLine() == HandOverAnswer();
}

bool RunningInstance::Listen()
{
    // Asked first: listening would replace the socket of a running program.
    if (!OwnSocketOrNone(name_) || AnotherProgramAnswers())
        return false;
    QLocalServer::removeServer(name_);   // what a program that was killed left
    if (!server_->listen(name_))
        return false;
    watch_->start();
    return true;
}

bool RunningInstance::AnotherProgramAnswers() const
{
    QLocalSocket probe;
    probe.connectToServer(name_);
    return probe.waitForConnected(1000);
}

void RunningInstance::ListenAgainIfStopped()
{
    if (server_->isListening())
        return;
    server_->close();
    // Another program may have taken the display meanwhile; a failure to
    // listen is tried again, as descriptors come free.
    if (!OwnSocketOrNone(name_) || AnotherProgramAnswers())
        watch_->stop();
    else
        Listen();
}

bool RunningInstance::IsListening() const
{
    return server_->isListening();
}

void RunningInstance::Accept()
{
    while (callers_ < kMaxCallers) {
        QLocalSocket *socket = server_->nextPendingConnection();
        if (!socket)
            break;
        ++callers_;
        connect(socket, &QObject::destroyed, this, [this] {
            --callers_;
            Accept();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        // A caller that never finishes its line is let go.
        QTimer::singleShot(kReadTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        Read(socket);
        // One that left while it waited in the queue said goodbye to nobody.
        if (socket->state() == QLocalSocket::UnconnectedState)
            socket->deleteLater();
    }
}

void RunningInstance::Read(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxHandOverLine)
            socket->abort();
        return;
    }
    const QString path = HandedOverPath(socket->readLine(kMaxHandOverLine + 1));
    if (path.isEmpty()) {
        socket->abort();
        return;
    }
    socket->write(HandOverAnswer());
    socket->disconnectFromServer();
    waiting_ << path;
    emit Called();
    // From the event loop, not from within this socket's signal: opening
    // may ask about unsaved changes, and the socket may end and be deleted
    // in that question's own event loop, under the signal that runs here.
    QMetaObject::invokeMethod(this, &RunningInstance::DeliverWhenIdle, Qt::QueuedConnection);
}

void RunningInstance::DeliverWhenIdle()
{
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        if (!deliveryPending_) {
            deliveryPending_ = true;
            QTimer::singleShot(kIdleRetryMs, this, [this] {
                deliveryPending_ = false;
                DeliverWhenIdle();
            });
        }
        return;
    }
    while (!waiting_.isEmpty())
        emit FileHandedOver(waiting_.takeFirst());
}

void OpenHandedOverFiles(RunningInstance &instance, CMainFrame &frame)
{
    QObject::connect(&instance, &RunningInstance::Called, &frame, [&frame] {
        frame.setWindowState((frame.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        frame.show();
        frame.raise();
        frame.activateWindow();
    });
    QObject::connect(&instance, &RunningInstance::FileHandedOver, &frame,
                     [&frame](const QString &path) { frame.OpenHandedOverFile(path); });
}
