#include "tree/CColorTreeCtrl.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolTip>

#include "tree/BranchLineStyle.h"
#include "tree/SwatchDelegate.h"

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
    delegate_ = new SwatchDelegate(this);
    setItemDelegate(delegate_);
    // Long texts are not cut: the column is as wide as its widest text and
    // the view scrolls sideways.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
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

void CColorTreeCtrl::SetItemSwatch(QTreeWidgetItem *item, const QColor &color)
{
    itemStyles_[item].swatch = color;
    item->setData(0, SwatchDelegate::kSwatchRole, color.isValid() ? QVariant(color) : QVariant());
}

QColor CColorTreeCtrl::GetItemSwatch(const QTreeWidgetItem *item) const
{
    const auto found = itemStyles_.find(item);
    return found == itemStyles_.end() ? QColor() : found->second.swatch;
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

namespace {
QColor AverageColor(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    qint64 red = 0, green = 0, blue = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            red += qRed(line[x]);
            green += qGreen(line[x]);
            blue += qBlue(line[x]);
        }
    }
    const qint64 n = qint64(rgb.width()) * rgb.height();
    return n > 0 ? QColor(int(red / n), int(green / n), int(blue / n)) : QColor();
}
}  // namespace

bool CColorTreeCtrl::SetBackground(const QImage &picture)
{
    background_ = QPixmap::fromImage(picture);
    backgroundAverage_ = AverageColor(picture);
    viewport()->update();
    return !background_.isNull();
}

QColor CColorTreeCtrl::PaperColor() const
{
    return background_.isNull() ? palette().color(QPalette::Base) : backgroundAverage_;
}

QPoint CColorTreeCtrl::TileOrigin() const
{
    if (topLevelItemCount() == 0)
        return QPoint(0, 0);
    return QPoint(-horizontalScrollBar()->value(), visualItemRect(topLevelItem(0)).top());
}

QRect CColorTreeCtrl::WholeLabelRect(const QTreeWidgetItem *item) const
{
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    // As the item is drawn: its picture, swatch and text.
    delegate_->InitOption(&option, index);
    const bool hasIcon = option.features & QStyleOptionViewItem::HasDecoration;
    const QRect icon = style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
    const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textRight = text.left() + option.fontMetrics.horizontalAdvance(option.text) + 2 * margin;
    QRect whole = option.rect;
    whole.setLeft(hasIcon && icon.isValid() && !icon.isEmpty() ? icon.left() : text.left());
    whole.setRight(textRight);
    return whole;
}

QRect CColorTreeCtrl::LabelAndIconRect(const QTreeWidgetItem *item) const
{
    QRect hit = WholeLabelRect(item);
    hit.setRight(qMin(hit.right(), visualItemRect(item).right()));
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

bool CColorTreeCtrl::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTreeWidget::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QTreeWidgetItem *item = itemAt(help->pos());
    // Cut by the view's edges, or shortened to fit its column.
    const QRect label = item ? WholeLabelRect(item) : QRect();
    if (item && !viewport()->rect().intersected(visualItemRect(item)).contains(label))
        QToolTip::showText(help->globalPos(), item->text(0), viewport(), label.intersected(viewport()->rect()));
    else
        QToolTip::hideText();
    return true;
}

void CColorTreeCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit RightButtonPressed();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CColorTreeCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit LeftButtonDoubleClicked();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}
