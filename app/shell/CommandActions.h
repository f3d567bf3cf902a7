#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QWidget;

// One QAction per command id, shared by the menus, the tool bars and the
// floating bars, so that enabling or checking a command shows everywhere.
// Triggering any of them emits Triggered(id).
class CommandActions : public QObject {
    Q_OBJECT
public:
    explicit CommandActions(QWidget *owner);

    // The action of `id`, made on first use with its texts and keys.
    QAction *Get(int id);
    // Several actions; a separator id (0) gives a null entry.
    QList<QAction *> List(const QList<int> &ids);
    // Every action made so far; each one's data() is its id.
    QList<QAction *> All() const { return actions_.values(); }

    // Gives the actions of `ids` (separators skipped) the 16x15 images of a
    // picture strip, left to right.
    void SetImages(const QString &stripResource, const QList<int> &ids);

signals:
    void Triggered(int id);

private:
    QWidget *owner_;
    QHash<int, QAction *> actions_;
};
