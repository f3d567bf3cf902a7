#include "FramePlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "SettingsStore.h"

namespace {
const QString kX = QStringLiteral("Settings/x");
const QString kY = QStringLiteral("Settings/y");
const QString kCx = QStringLiteral("Settings/cx");
const QString kCy = QStringLiteral("Settings/cy");
}  // namespace

FramePlacement::Opening FramePlacement::Load(const QSettings &store, const QSize &screen)
{
    // Truncated toward zero, as an integer product of a pixel count.
    const QSize fallback(static_cast<int>(screen.width() * 0.75), static_cast<int>(screen.height() * 0.75));
    Opening opening;
    if (store.status() != QSettings::NoError) {
        opening.size = fallback;
        opening.frameAtScreenCorner = true;
        return opening;
    }
    opening.size = QSize(ReadInt32Value(store, kCx).value_or(fallback.width()),
                         ReadInt32Value(store, kCy).value_or(fallback.height()));
    const std::optional<qint32> x = ReadInt32Value(store, kX), y = ReadInt32Value(store, kY);
    if (x && y)
        opening.clientTopLeft = QPoint(*x, *y);
    return opening;
}

void FramePlacement::Restore(QWidget &window, const QSettings &store)
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QSize screen = primary ? primary->geometry().size() : QSize(1024, 768);
    const Opening opening = Load(store, screen);
    // A placement from another set of screens may lie off every screen now.
    QList<QRect> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens << s->availableGeometry();
    if (opening.clientTopLeft) {
        window.setGeometry(FitOnScreens(QRect(*opening.clientTopLeft, opening.size), screens));
        return;
    }
    const QSize room = primary ? primary->availableGeometry().size() : screen;
    window.resize(opening.size.boundedTo(room));
    if (opening.frameAtScreenCorner)
        window.move(0, 0);   // the frame's corner, unlike setGeometry's
}

namespace {
// How far `p` lies outside `r`, squared; 0 inside.
qint64 DistanceSquared(const QPoint &p, const QRect &r)
{
    const qint64 dx = p.x() < r.left() ? r.left() - p.x() : p.x() > r.right() ? p.x() - r.right()
                                                                              : 0;
    const qint64 dy = p.y() < r.top() ? r.top() - p.y() : p.y() > r.bottom() ? p.y() - r.bottom()
                                                                             : 0;
    return dx * dx + dy * dy;
}

qint64 Area(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}
}  // namespace

QRect FramePlacement::FitOnScreens(const QRect &placement, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return placement;
    const QRect *best = &screens.first();
    for (const QRect &screen : screens) {
        if (screen.contains(placement))
            return placement;
        const qint64 covered = Area(screen & placement), bestCovered = Area(*best & placement);
        if (covered > bestCovered ||
            (covered == 0 && bestCovered == 0 &&
             DistanceSquared(placement.center(), screen) < DistanceSquared(placement.center(), *best)))
            best = &screen;
    }
    QRect fitted(placement.topLeft(), placement.size().boundedTo(best->size()));
    fitted.moveLeft(qBound(best->left(), fitted.left(), best->right() - fitted.width() + 1));
    fitted.moveTop(qBound(best->top(), fitted.top(), best->bottom() - fitted.height() + 1));
    return fitted;
}

void FramePlacement::Save(QSettings &store, const QRect &restored)
{
    WriteInt32Value(store, kX, restored.x());
    WriteInt32Value(store, kY, restored.y());
    WriteInt32Value(store, kCx, restored.width());
    WriteInt32Value(store, kCy, restored.height());
    store.sync();
}
