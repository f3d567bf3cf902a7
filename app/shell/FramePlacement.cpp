#include "FramePlacement.h"

#include "SettingsStore.h"

namespace {
const QString kX = QStringLiteral("Settings/x");
const QString kY = QStringLiteral("Settings/y");
const QString kCx = QStringLiteral("Settings/cx");
const QString kCy = QStringLiteral("Settings/cy");
}  // namespace

QRect FramePlacement::Load(const QSettings &store, const QSize &screen)
{
    const int x = ReadInt32Value(store, kX).value_or(0);
    const int y = ReadInt32Value(store, kY).value_or(0);
    // Truncated toward zero, as an integer product of a pixel count.
    const int cx = ReadInt32Value(store, kCx).value_or(static_cast<int>(screen.width() * 0.75));
    const int cy = ReadInt32Value(store, kCy).value_or(static_cast<int>(screen.height() * 0.75));
    return QRect(x, y, cx, cy);
}

void FramePlacement::Save(QSettings &store, const QRect &restored)
{
    WriteInt32Value(store, kX, restored.x());
    WriteInt32Value(store, kY, restored.y());
    WriteInt32Value(store, kCx, restored.width());
    WriteInt32Value(store, kCy, restored.height());
    store.sync();
}
