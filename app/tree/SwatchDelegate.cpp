#include "tree/SwatchDelegate.h"

#include <QPainter>

namespace {
constexpr int kGap = 4;

// The item's picture with the swatch after it, as one picture.
QIcon WithSwatch(const QIcon &icon, const QSize &pictureSize, const QColor &color)
{
    const int side = qMax(6, pictureSize.height() - 4);
    QPixmap combined(pictureSize.width() + kGap + side, pictureSize.height());
    combined.fill(Qt::transparent);
    QPainter painter(&combined);
    if (!icon.isNull())
        painter.drawPixmap(0, 0, icon.pixmap(pictureSize));
    // Outlined, so that a colour close to the paper still shows its square.
    const QRect square(pictureSize.width() + kGap, (pictureSize.height() - side) / 2, side - 1, side - 1);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(color);
    painter.drawRect(square);
    return QIcon(combined);
}
}  // namespace

void SwatchDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    const QSize pictureSize = option->decorationSize;
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant swatch = index.data(kSwatchRole);
    if (!swatch.isValid())
        return;
    option->icon = WithSwatch(option->icon, pictureSize, swatch.value<QColor>());
    option->decorationSize = option->icon.availableSizes().value(0);
    option->features |= QStyleOptionViewItem::HasDecoration;
}
