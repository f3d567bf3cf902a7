#pragma once

#include <map>
#include <optional>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QTreeWidget>

class SwatchDelegate;

// A tree with a text colour and font per item and a paper picture tiled
// behind the items that scrolls with them.  A right press and a left
// double-click are only reported to the owner (RightButtonPressed and
// LeftButtonDoubleClicked): they neither select, expand nor collapse
// anything by themselves.
class CColorTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CColorTreeCtrl(QWidget *parent = nullptr);

    void SetItemColor(QTreeWidgetItem *item, const QColor &color);
    // A small square of `colour` before the item's text (invalid: none).
    void SetItemSwatch(QTreeWidgetItem *item, const QColor &color);
    QColor GetItemSwatch(const QTreeWidgetItem *item) const;
    void SetItemFont(QTreeWidgetItem *item, const QFont &font);
    // The item's own colour, or an invalid colour when it has none.
    QColor GetItemColor(const QTreeWidgetItem *item) const;
    std::optional<QFont> GetItemFont(const QTreeWidgetItem *item) const;
    void SetItemBold(QTreeWidgetItem *item, bool bold);
    bool GetItemBold(const QTreeWidgetItem *item) const;
    // Deletes the item with everything below it, styles included.
    void DeleteItem(QTreeWidgetItem *item);
    void DeleteAllItems();

    // The picture tiled behind the items; false (and no picture) when null.
    bool SetBackground(const QImage &picture);
    bool HasBackground() const { return !background_.isNull(); }
    // The colour the texts are written on: the picture's average colour, or
    // the window's background without a picture.
    QColor PaperColor() const;
    // Where the first tile goes: the first item's corner, so that the paper
    // scrolls with the items; the viewport's corner for an empty tree.
    QPoint TileOrigin() const;
    // The part of the item's row taken by its icon and its text: clicks
    // elsewhere on the row do not count as clicks on the item.
    QRect LabelAndIconRect(const QTreeWidgetItem *item) const;

signals:
    void RightButtonPressed();
    void LeftButtonDoubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    // A text that does not fit in the view is shown whole as a tool tip.
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct ItemStyle {
        QColor color;                 // invalid: none
        std::optional<QFont> font;
        QColor swatch;                // invalid: none
    };

    // The icon, swatch and whole text of the item, however much is shown.
    QRect WholeLabelRect(const QTreeWidgetItem *item) const;
    void ApplyStyle(QTreeWidgetItem *item);
    void ForgetStyles(const QTreeWidgetItem *item);

    std::map<const QTreeWidgetItem *, ItemStyle> itemStyles_;
    QPixmap background_;
    QColor backgroundAverage_;
    SwatchDelegate *delegate_;
};
