// The Parameters pane: a slider per parameter of the selected function,
// live values while dragging, one undoable change per drag or key.
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QUndoStack>

#include "ViewFixture.h"
#include "history/DocumentHistory.h"
#include "history/FunctionCommands.h"
#include "tree/ParameterPanel.h"

namespace {

class ParameterPanelTest : public ViewTest {
protected:
    ParameterPanelTest()
    {
        panel.resize(300, 200);
        panel.show();
    }

    double Value(int32_t handle, const char *name) const { return Variable(handle, name).value; }
    void SetRange(int32_t handle, const char *name, double min, double max, int32_t steps)
    {
        VariableRecord v = Variable(handle, name);
        v.name = name;
        v.min = min;
        v.max = max;
        v.steps = steps;
        v.value = min;
        ASSERT_EQ(modify_function_variable(handle, v), 1);
    }

    ParameterPanel panel{&doc};
    QUndoStack &stack = DocumentHistory::Of(doc).Stack();
};

TEST_F(ParameterPanelTest, OneSliderPerParameterOfTheShownFunction)
{
    EXPECT_EQ(panel.RowCount(), 0);
    EXPECT_TRUE(panel.Note().contains(QStringLiteral("Select a function")));
    const int32_t torus = AddDirect("torus", "(x,y,z)(u,v,a,b)=(cos(u)*(a+b*cos(v)), sin(u)*(a+b*cos(v)), b*sin(v))");
    const int32_t plain = AddDirect("plain", "z(x,y)=x*y");
    SetRange(torus, "a", 1, 4, 6);
    ASSERT_EQ(modify_function_variable(torus, VariableRecord{"a", 2.5, 1, 4, 6}), 1);

    panel.ShowFunction(torus);
    ASSERT_EQ(panel.RowCount(), 2) << "u and v are drawn over: no sliders";
    EXPECT_EQ(panel.Name(0), "a");
    EXPECT_EQ(panel.Name(1), "b");
    EXPECT_TRUE(panel.Note().isEmpty());
    QSlider *a = panel.Slider(0);
    EXPECT_EQ(a->minimum(), 0);
    EXPECT_EQ(a->maximum(), 6);
    EXPECT_EQ(a->value(), 3);
    EXPECT_EQ(a->pageStep(), 1);
    EXPECT_EQ(panel.ValueLabel(0)->text(), "2.5");
    EXPECT_TRUE(a->toolTip().contains(QStringLiteral("from 1. to 4. in 6 steps")));
    EXPECT_EQ(ParameterPanel::PageStep(100), 10);

    panel.ShowFunction(plain);
    EXPECT_EQ(panel.RowCount(), 0);
    EXPECT_TRUE(panel.Note().contains(QStringLiteral("\"plain\" has no parameters")));

    // The pane follows the document: a new definition, a removed function.
    panel.ShowFunction(torus);
    ASSERT_TRUE(RecompileFunction(torus, "(x,y,z)(u,v,k)=(u,v,k)", QEL_RADIANS).ok);
    FunctionRecord record = doc.Get(0);
    record.text = "(x,y,z)(u,v,k)=(u,v,k)";
    doc.Update(0, record);
    ASSERT_EQ(panel.RowCount(), 1);
    EXPECT_EQ(panel.Name(0), "k");
    doc.Remove(0);
    EXPECT_EQ(panel.Function(), -1);
    EXPECT_EQ(panel.RowCount(), 0);
}

// While the slider is dragged the library holds each value and the view is
// asked to draw it; the release records one change, which undo takes back.
TEST_F(ParameterPanelTest, ADragIsDrawnLiveAndUndoneAsOneChange)
{
    const int32_t h = AddDirect("wave", "z(x,y,t)=sin(x+t)*y");
    SetRange(h, "t", 0, 10, 10);
    stack.clear();
    panel.ShowFunction(h);
    QSignalSpy previewed(&panel, &ParameterPanel::Previewed);
    QSlider *t = panel.Slider(0);

    t->setSliderDown(true);
    for (int step : {1, 2, 5, 7}) {
        t->setValue(step);
        EXPECT_EQ(Value(h, "t"), step);
        EXPECT_EQ(panel.ValueLabel(0)->text(), QString::number(step) + QLatin1Char('.'));
    }
    EXPECT_EQ(previewed.count(), 4);
    EXPECT_EQ(previewed.last().at(0).toInt(), h);
    EXPECT_EQ(stack.count(), 0) << "nothing recorded while dragging";
    t->setSliderDown(false);

    ASSERT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.undoText(), "Change value of t");
    EXPECT_EQ(Value(h, "t"), 7);
    EXPECT_EQ(NodeText(h, VariableNode, "t"), "t = 7.");
    stack.undo();
    EXPECT_EQ(Value(h, "t"), 0);
    EXPECT_EQ(t->value(), 0) << "the slider follows the undo";
    EXPECT_EQ(NodeText(h, VariableNode, "t"), "t = 0.");
    stack.redo();
    EXPECT_EQ(t->value(), 7);

    // A drag that comes back where it began records nothing.
    t->setSliderDown(true);
    t->setValue(9);
    t->setValue(7);
    t->setSliderDown(false);
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(Value(h, "t"), 7);
}

TEST_F(ParameterPanelTest, KeysStepAndJumpEachAChange)
{
    const int32_t h = AddDirect("wave", "z(x,y,t)=sin(x+t)*y");
    SetRange(h, "t", -5, 5, 40);
    stack.clear();
    panel.ShowFunction(h);
    QSlider *t = panel.Slider(0);
    t->setFocus();
    QTest::keyClick(t, Qt::Key_Right);
    EXPECT_EQ(Value(h, "t"), -4.75);
    QTest::keyClick(t, Qt::Key_PageUp);
    EXPECT_EQ(Value(h, "t"), -4.75 + 4 * 0.25);
    QTest::keyClick(t, Qt::Key_End);
    EXPECT_EQ(Value(h, "t"), 5);
    EXPECT_EQ(stack.count(), 3);
    QTest::keyClick(t, Qt::Key_Right);
    EXPECT_EQ(stack.count(), 3) << "at the end of the range";
    stack.undo();
    EXPECT_EQ(Value(h, "t"), -3.75);
}

// A trace or an animation owns the variables: the sliders show their values
// and cannot be moved.
TEST_F(ParameterPanelTest, LockedWhileARunOwnsTheVariables)
{
    const int32_t h = AddDirect("wave", "z(x,y,t)=sin(x+t)*y");
    SetRange(h, "t", 0, 4, 4);
    panel.ShowFunction(h);
    panel.SetLocked(true);
    EXPECT_FALSE(panel.Slider(0)->isEnabled());
    ASSERT_EQ(modify_function_variable(h, VariableRecord{"t", 3, 0, 4, 4}), 1);
    doc.UpdateAllViews(nullptr, h);   // as an animation step tells the views
    EXPECT_EQ(panel.Slider(0)->value(), 3);
    EXPECT_EQ(panel.ValueLabel(0)->text(), "3.");
    panel.SetLocked(false);
    EXPECT_TRUE(panel.Slider(0)->isEnabled());
}

// The tree tells which function is selected and when a run begins.
TEST_F(ParameterPanelTest, TheTreeTellsTheSelectedFunctionAndItsRuns)
{
    const int32_t first = AddDirect("first", "z(x,y,a)=a");
    const int32_t second = AddDirect("second", "z(x,y,b)=b");
    QSignalSpy selected(&view, &CVeltrix2View::SelectedFunctionChanged);
    QSignalSpy running(&view, &CVeltrix2View::RunningChanged);
    Select(second, RangeNode, "b");
    Select(second, TextNode);
    Select(first, FunctionNode);
    ASSERT_EQ(selected.count(), 2) << "once per function, not per node";
    EXPECT_EQ(selected.at(0).at(0).toInt(), second);
    EXPECT_EQ(selected.at(1).at(0).toInt(), first);

    Select(first, TextNode);
    view.Actions().animate->trigger();
    ASSERT_EQ(running.count(), 1);
    EXPECT_TRUE(running.at(0).at(0).toBool());
    view.Actions().animate->trigger();
    ASSERT_EQ(running.count(), 2);
    EXPECT_FALSE(running.at(1).at(0).toBool());
}

}  // namespace
