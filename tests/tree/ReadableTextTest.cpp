#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

#include "ViewFixture.h"
#include "model/DisplayForms.h"
#include "tree/ReadableColor.h"

TEST(ReadableColor, ContrastRatioRunsFromOneToTwentyOne)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(120, 30, 200), QColor(120, 30, 200)), 1.0, 1e-12);
    // Mid grey against white, by the sRGB luminance: (1.05) / (0.2158605 + 0.05).
    EXPECT_NEAR(ContrastRatio(QColor(128, 128, 128), Qt::white), 3.9494, 1e-3);

    const QColor paper(246, 238, 214), text(0, 0, 0);
    EXPECT_EQ(ReadableOn(QColor(255, 0, 0), paper, text), QColor(255, 0, 0));
    EXPECT_EQ(ReadableOn(QColor(0, 0, 128), paper, text), QColor(0, 0, 128));
    EXPECT_EQ(ReadableOn(QColor(244, 232, 200), paper, text), text) << "a cream barely differs from the paper";
    EXPECT_EQ(ReadableOn(QColor(255, 255, 0), paper, text), text);
    EXPECT_EQ(ReadableOn(Qt::white, paper, text), text);
    // A dark window theme's light text would vanish on the paper as well.
    EXPECT_EQ(ReadableOn(QColor(250, 245, 220), paper, QColor(240, 240, 240)), QColor(0, 0, 0));
    EXPECT_EQ(ReadableOn(QColor(20, 20, 20), QColor(0, 0, 0), QColor(10, 10, 10)), QColor(255, 255, 255));
}

namespace {
// How many pixels of exactly `colour` the item's row shows.
int PixelsInRow(CColorTreeCtrl &tree, QTreeWidgetItem *item, const QColor &color)
{
    const QImage shot = tree.viewport()->grab().toImage();
    const QRect row = tree.visualItemRect(item).intersected(shot.rect());
    int count = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x)
            count += shot.pixelColor(x, y) == color;
    return count;
}
}  // namespace

// A colour close to the paper is written in the text colour, and the node
// shows its real colour as a swatch before the text.
TEST_F(ViewTest, ColorsCloseToThePaperAreWrittenReadablyNextToASwatch)
{
    const int32_t h = AddDirect("cream", "z(x,y)=x");
    FunctionRecord record = doc.Get(0);
    record.color1 = MakeColor(244, 232, 200);
    record.color2 = MakeColor(0, 0, 128);
    doc.Update(0, record);
    CColorTreeCtrl *tree = view.Tree();
    const QColor text = tree->palette().color(QPalette::Text);
    QTreeWidgetItem *cream = Node(h, Color1Node)->item;
    QTreeWidgetItem *navy = Node(h, Color2Node)->item;
    EXPECT_EQ(tree->GetItemColor(cream), text);
    EXPECT_EQ(tree->GetItemColor(navy), QColor(0, 0, 128));
    EXPECT_EQ(tree->GetItemSwatch(cream), QColor(244, 232, 200));
    EXPECT_EQ(tree->GetItemSwatch(navy), QColor(0, 0, 128));
    EXPECT_FALSE(tree->GetItemSwatch(Node(h, ModeNode)->item).isValid());

    tree->expandAll();
    QApplication::processEvents();
    EXPECT_GE(PixelsInRow(*tree, cream, QColor(244, 232, 200)), 25) << "no swatch drawn";
    EXPECT_GE(PixelsInRow(*tree, navy, QColor(0, 0, 128)), 25);
    // The swatch lies between the picture and the text, inside the label.
    const QRect label = tree->LabelAndIconRect(cream);
    EXPECT_GT(label.width(), QFontMetrics(tree->font()).horizontalAdvance(cream->text(0)) + 15 + 8);

    // A new colour brings its swatch along.
    Select(h, Color1Node);
    prompter.colors.push_back(QColor(250, 250, 250));
    view.Actions().changeColor->trigger();
    EXPECT_EQ(tree->GetItemSwatch(cream), QColor(250, 250, 250));
    EXPECT_EQ(tree->GetItemColor(cream), text);
    EXPECT_EQ(cream->text(0), QStringLiteral("(250,250,250)"));
}

// Long texts are not cut: the view scrolls sideways, and a text that runs
// out of the view is shown whole as a tool tip.
TEST_F(ViewTest, LongTextsScrollAndShowWholeAsToolTips)
{
    const int32_t h = AddDirect("f", "z(x,y)=x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+y");
    CColorTreeCtrl *tree = view.Tree();
    tree->expandAll();
    view.resize(200, 300);
    QApplication::processEvents();
    QTreeWidgetItem *text = Node(h, TextNode)->item;
    const int wanted = QFontMetrics(text->font(0)).horizontalAdvance(text->text(0));
    EXPECT_GT(tree->columnWidth(0), wanted) << "the column cuts the text";
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);

    const QPoint onText = tree->visualItemRect(text).topLeft() + QPoint(60, 4);
    QHelpEvent help(QEvent::ToolTip, onText, tree->viewport()->mapToGlobal(onText));
    QApplication::sendEvent(tree->viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), text->text(0));

    // A text the view shows whole needs no tool tip.
    QTreeWidgetItem *label = Node(h, FunctionNode)->item;
    const QPoint onLabel = tree->visualItemRect(label).topLeft() + QPoint(30, 4);
    QHelpEvent short_(QEvent::ToolTip, onLabel, tree->viewport()->mapToGlobal(onLabel));
    QApplication::sendEvent(tree->viewport(), &short_);
    EXPECT_FALSE(QToolTip::isVisible() && QToolTip::text() == label->text(0));
}
