// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class CMainFrame;
class QLocalServer;
class QLocalSocket;
class QTimer;

// One program per user and display: a document opened from the desktop
// while the program runs goes to the running program on the same display
// instead of starting another; a start on another display (a second login,
// a remote session) is a program of its own.  The running program listens
// on a local socket only its user may use, named after the display, in the
// session's runtime folder; a new start with a file hands the file's
// absolute path over and ends once the running program has taken it.
class RunningInstance : public QObject {
    Q_OBJECT
public:
    // How often a file held back by an open dialog is offered again.
    static constexpr int kIdleRetryMs = 200;
    // Callers served at once; more wait in the server's queue, of the same
    // length, and beyond that the system turns them away.  A flood of
    // callers thus holds a bounded number of descriptors.
    static constexpr int kMaxCallers = 32;

    // The socket of this user and display: in the session's runtime
    // folder, else a name of the user's own in the temporary folder.
    static QString DefaultServerName();
    // The part of the socket's name that names the display: the Wayland
    // display when there is one, else the X display without its screen;
    // empty when there is neither.
    static QString DisplayKey(const QString &waylandDisplay, const QString &x11Display);

    explicit RunningInstance(const QString &serverName = DefaultServerName(), QObject *parent = nullptr);
    ~RunningInstance() override;

    // Gives `path` (made absolute here) to the running program; true when
    // it took it.  False when none answers within `timeoutMs`, so the caller
    // starts as a program of its own.
    bool HandOver(const QString &path, int timeoutMs = 10000) const;
    // Becomes the program later starts hand their files to.  A socket left
    // behind by a program that was killed is replaced; one that answers is
    // not.  False when another program listens already, or the socket cannot
    // be made: every start is then a program of its own.
    // Once listening, a server that stops (when the program runs out of
    // descriptors) listens again as soon as it can.
    bool Listen();
    bool IsListening() const;

signals:
    // A file arrived: show the window.
    void Called();
    // Open `path` now.  Held back while a modal dialog or a menu is open,
    // which a document replaced under it would leave without its document.
    void FileHandedOver(const QString &path);

private:
    void Accept();
    void Read(QLocalSocket *socket);
    void DeliverWhenIdle();
    void ListenAgainIfStopped();
    bool AnotherProgramAnswers() const;

    QString name_;
    QLocalServer *server_;
    QTimer *watch_;
    int callers_ = 0;   // taken from the server and not yet done
    QStringList waiting_;
    bool deliveryPending_ = false;
};

// Shows `frame` and opens the files others hand over in it, each through
// the usual question about unsaved changes.
void OpenHandedOverFiles(RunningInstance &instance, CMainFrame &frame);
