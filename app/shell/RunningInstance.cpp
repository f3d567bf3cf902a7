#include "RunningInstance.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include "CMainFrame.h"

namespace {
// A path is one line; longer lines are no paths.
constexpr qint64 kMaxMessage = 64 * 1024;
constexpr int kIdleRetryMs = 200;
constexpr int kReadTimeoutMs = 10000;
const QByteArray kTaken = QByteArrayLiteral("taken\n");

// Whether the socket file at `path` (if any) is the user's own: a socket in
// a shared folder made by someone else must not receive the user's paths.
bool OwnSocketOrNone(const QString &name)
{
    const QString path = QDir::isAbsolutePath(name) ? name : QDir::temp().filePath(name);
    const QFileInfo info(path);
    return !info.exists() || info.ownerId() == uint(getuid());
}
}  // namespace

QString RunningInstance::DefaultServerName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("veltrix-2.0"));
    return QStringLiteral("veltrix-2.0-%1").arg(getuid());
}

RunningInstance::RunningInstance(const QString &serverName, QObject *parent)
    : QObject(parent), name_(serverName), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &RunningInstance::Accept);
}

RunningInstance::~RunningInstance() = default;

bool RunningInstance::HandOver(const QString &path, int timeoutMs) const
{
    if (!OwnSocketOrNone(name_))
        return false;
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(qMin(timeoutMs, 2000)))
        return false;
    socket.write(QFileInfo(path).absoluteFilePath().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;   // no answer: the program may hang, or ended
    }
    return socket.readLine() == kTaken;
}

bool RunningInstance::Listen()
{
    if (!OwnSocketOrNone(name_))
        return false;
    // Asked first: listening would replace the socket of a running program.
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(name_);   // what a program that was killed left
    return server_->listen(name_);
}

bool RunningInstance::IsListening() const
{
    return server_->isListening();
}

void RunningInstance::Accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        // A caller that never finishes its line is let go.
        QTimer::singleShot(kReadTimeoutMs, socket, [socket] { socket->abort(); });
        Read(socket);
    }
}

void RunningInstance::Read(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessage)
            socket->abort();
        return;
    }
    QByteArray line = socket->readLine(kMaxMessage);
    if (!line.endsWith('\n')) {
        socket->abort();
        return;
    }
    line.chop(1);
    const QString path = QString::fromUtf8(line);
    if (path.isEmpty() || !QDir::isAbsolutePath(path) || path.contains(QChar(0))) {
        socket->abort();
        return;
    }
    socket->write(kTaken);
    socket->disconnectFromServer();
    waiting_ << path;
    emit Called();
    DeliverWhenIdle();
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
                     [&frame](const QString &path) { frame.OpenDocumentFile(path); });
}
