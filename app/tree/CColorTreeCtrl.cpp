#include "tree/CColorTreeCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "tree/BranchLineStyle.h"

CColorTreeCtrl::CColorTreeCtrl(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *style = new BranchLineStyle;
    style->setParent(this);
    setStyle(style);
}

void CColorTreeCtrl::SetItemColor(QTreeWidgetItem *item, const QColor &color)
{
    itemStyles_[item].color = color;
    ApplyStyle(item);
}

void CColorTreeCtrl::SetItemFont(QTreeWidgetItem *item, const QFont &font)
{
    itemStyles_[item].font = font;
    ApplyStyle(item);
}

QColor CColorTreeCtrl::GetItemColor(const QTreeWidgetItem *item) const
{
    const auto found = itemStyles_.find(item);
    return found == itemStyles_.end() ? QColor() : found->second.color;
}

std::optional<QFont> CColorTreeCtrl::GetItemFont(const QTreeWidgetItem *item) const
{
    const auto found = itemStyles_.find(item);
    return found == itemStyles_.end() ? std::nullopt : found->second.font;
}

void CColorTreeCtrl::SetItemBold(QTreeWidgetItem *item, bool bold)
{
    QFont font = item->font(0);
    font.setBold(bold);
    item->setFont(0, font);
}

bool CColorTreeCtrl::GetItemBold(const QTreeWidgetItem *item) const
{
    return item->font(0).bold();
}

// A selected item is painted by the style in the highlight colours, so
// giving the colour to the item's foreground is all that is needed.
void CColorTreeCtrl::ApplyStyle(QTreeWidgetItem *item)
{
    const ItemStyle &style = itemStyles_[item];
    if (style.color.isValid())
        item->setForeground(0, style.color);
    if (style.font) {
        QFont font = *style.font;
        font.setBold(item->font(0).bold());
        item->setFont(0, font);
    }
}

void CColorTreeCtrl::ForgetStyles(const QTreeWidgetItem *item)
{
    for (int i = 0; i < item->childCount(); ++i)
        ForgetStyles(item->child(i));
    itemStyles_.erase(item);
}

void CColorTreeCtrl::DeleteItem(QTreeWidgetItem *item)
{
    if (!item)
        return;
    ForgetStyles(item);
    delete item;
}

void CColorTreeCtrl::DeleteAllItems()
{
    clear();
    itemStyles_.clear();
}

bool CColorTreeCtrl::SetBackground(const QImage &picture)
{
    background_ = QPixmap::fromImage(picture);
    viewport()->update();
    return !background_.isNull();
}

QPoint CColorTreeCtrl::TileOrigin() const
{
    if (topLevelItemCount() == 0)
        return QPoint(0, 0);
    return QPoint(-horizontalScrollBar()->value(), visualItemRect(topLevelItem(0)).top());
}

QRect CColorTreeCtrl::LabelAndIconRect(const QTreeWidgetItem *item) const
{
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.index = index;
    option.text = item->text(0);
    option.font = item->font(0);
    option.fontMetrics = QFontMetrics(option.font);
    option.features |= QStyleOptionViewItem::HasDisplay;
    if (!item->icon(0).isNull()) {
        option.features |= QStyleOptionViewItem::HasDecoration;
        option.icon = item->icon(0);
        option.decorationSize = iconSize();
    }
    const QRect icon = style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
    const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textRight = text.left() + option.fontMetrics.horizontalAdvance(option.text) + 2 * margin;
    QRect hit = option.rect;
    hit.setLeft(icon.isValid() && !icon.isEmpty() ? icon.left() : text.left());
    hit.setRight(qMin(textRight, option.rect.right()));
    return hit;
}

void CColorTreeCtrl::paintEvent(QPaintEvent *event)
{
    if (!background_.isNull()) {
        QPainter painter(viewport());
        const QPoint origin = TileOrigin();
        // The offset is the picture point that lands on the viewport corner.
        auto wrap = [](int value, int period) { return ((value % period) + period) % period; };
        const QPoint offset(wrap(-origin.x(), background_.width()), wrap(-origin.y(), background_.height()));
        painter.drawTiledPixmap(viewport()->rect(), background_, offset);
    }
    QTreeWidget::paintEvent(event);
}

void CColorTreeCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit ParentCommand(kRightButtonCommand);
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CColorTreeCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit ParentCommand(kDoubleClickCommand);
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}
