#include "CommandActions.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "CommandIds.h"
#include "CommandTexts.h"

CommandActions::CommandActions(QWidget *owner) : QObject(owner), owner_(owner) {}

QAction *CommandActions::Get(int id)
{
    if (QAction *a = actions_.value(id))
        return a;
    const CommandText text = TextOfCommand(id);
    auto *a = new QAction(text.menuText, owner_);
    a->setData(id);
    a->setStatusTip(text.prompt);
    a->setToolTip(text.toolTip.isEmpty() ? QString(text.menuText).remove('&').section('\t', 0, 0)
                                         : text.toolTip);
    a->setShortcuts(text.keys);
    connect(a, &QAction::triggered, this, [this, id] { emit Triggered(id); });
    actions_.insert(id, a);
    return a;
}

QList<QAction *> CommandActions::List(const QList<int> &ids)
{
    QList<QAction *> result;
    for (int id : ids)
        result.append(id == Cmd::Separator ? nullptr : Get(id));
    return result;
}

void CommandActions::SetImages(const QString &stripResource, const QList<int> &ids)
{
    const QPixmap strip(stripResource);
    constexpr int kWidth = 16, kHeight = 15;
    int index = 0;
    for (int id : ids) {
        if (id == Cmd::Separator)
            continue;
        Get(id)->setIcon(QIcon(strip.copy(index * kWidth, 0, kWidth, kHeight)));
        ++index;
    }
}
