#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>

#include "tree/CColorTreeCtrl.h"

namespace {
void Click(QWidget *target, QEvent::Type type, Qt::MouseButton button, const QPoint &pos)
{
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
}  // namespace

TEST(ColorTreeCtrl, StylesDieWithTheirItems)
{
    CColorTreeCtrl tree;
    auto *parent = new QTreeWidgetItem(QStringList{QStringLiteral("p")});
    tree.addTopLevelItem(parent);
    auto *child = new QTreeWidgetItem(parent, QStringList{QStringLiteral("c")});
    tree.SetItemColor(parent, Qt::red);
    QFont font(QStringLiteral("Liberation Serif"));
    tree.SetItemFont(child, font);
    tree.SetItemBold(child, true);

    EXPECT_EQ(tree.GetItemColor(parent), QColor(Qt::red));
    EXPECT_FALSE(tree.GetItemColor(child).isValid());
    ASSERT_TRUE(tree.GetItemFont(child).has_value());
    EXPECT_FALSE(tree.GetItemFont(parent).has_value());
    EXPECT_TRUE(tree.GetItemBold(child));
    EXPECT_EQ(child->font(0).family(), "Liberation Serif");

    tree.DeleteItem(parent);
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_FALSE(tree.GetItemColor(parent).isValid());
    EXPECT_FALSE(tree.GetItemFont(child).has_value());
}

TEST(ColorTreeCtrl, RightPressAndDoubleClickOnlyNotify)
{
    CColorTreeCtrl tree;
    tree.resize(300, 200);
    auto *parent = new QTreeWidgetItem(QStringList{QStringLiteral("parent")});
    tree.addTopLevelItem(parent);
    new QTreeWidgetItem(parent, QStringList{QStringLiteral("child")});
    tree.show();
    QSignalSpy rightPresses(&tree, &CColorTreeCtrl::RightButtonPressed);
    QSignalSpy doubleClicks(&tree, &CColorTreeCtrl::LeftButtonDoubleClicked);
    const QPoint onParent = tree.visualItemRect(parent).center();

    Click(tree.viewport(), QEvent::MouseButtonPress, Qt::RightButton, onParent);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_EQ(rightPresses.count(), 1);
    EXPECT_EQ(doubleClicks.count(), 0);
    Click(tree.viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, onParent);
    EXPECT_FALSE(parent->isExpanded());
    EXPECT_EQ(rightPresses.count(), 1);
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST(ColorTreeCtrl, PaperStartsAtTheFirstItemAndScrollsWithIt)
{
    CColorTreeCtrl tree;
    EXPECT_FALSE(tree.SetBackground(QImage()));
    QImage paper(20, 20, QImage::Format_RGB32);
    paper.fill(Qt::yellow);
    EXPECT_TRUE(tree.SetBackground(paper));
    tree.resize(120, 100);
    tree.show();
    EXPECT_EQ(tree.TileOrigin(), QPoint(0, 0));

    for (int i = 0; i < 40; ++i)
        tree.addTopLevelItem(new QTreeWidgetItem(QStringList{QString(30, QLatin1Char('w')) + QString::number(i)}));
    QApplication::processEvents();
    EXPECT_EQ(tree.TileOrigin(), QPoint(0, 0));
    tree.verticalScrollBar()->setValue(5);
    tree.horizontalScrollBar()->setValue(7);
    QApplication::processEvents();
    const QPoint origin = tree.TileOrigin();
    ASSERT_EQ(tree.horizontalScrollBar()->value(), 7) << "not scrolled sideways: x = 0 says nothing";
    EXPECT_EQ(origin.x(), -7);
    EXPECT_LT(origin.y(), 0);
    EXPECT_EQ(origin.y(), tree.visualItemRect(tree.topLevelItem(0)).top());

    // The paper shows behind the items.
    const QImage shot = tree.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 3, shot.height() - 3), QColor(Qt::yellow));
}
