// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>

#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "FakePrompter.h"
#include "tree/ColorButton.h"
#include "tree/SettingsDialog.h"
#include "tree/SettingsPages.h"
#include "tree/SpinControl.h"

namespace {

// Opens a dialog on `start`, lets `edit` work its controls like a user and
// presses OK; the outcome is the dialog's settings.
struct Outcome {
    bool closed;
    ViewSettings settings;
};

Outcome RunOk(const ViewSettings &start, const std::function<void(SettingsDialog &)> &edit)
{
    SettingsDialog dialog;
    dialog.settings = start;
    dialog.show();
    edit(dialog);
    dialog.accept();
    const bool closed = dialog.result() == QDialog::Accepted;
    dialog.hide();
    return {closed, dialog.settings};
}

// A click on a check box or radio button, on its mark.
void ClickMark(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

void Type(QLineEdit *box, const char *text)
{
    box->setText(QString::fromUtf8(text));
}

ViewSettings Distinct()
{
    ViewSettings s;
    s.nearPlane = 0.5;
    s.farPlane = 50;
    s.fieldOfView = 30;
    s.sensitivity = 0.2;
    s.cubeDimension = 4;
    s.animationIntervalMs = 40;
    s.printBufferMB = 64;
    s.cameraYaw = 33;
    return s;
}

}  // namespace

TEST(SettingsDialog, ShowsSixPagesFilledFromTheSettings)
{
    FakePrompter prompter;
    SettingsDialog dialog;
    dialog.settings = Distinct();
    dialog.settings.axisLabelX = "\xe9st";   // 8-bit text of the document
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    QStringList tabs;
    for (int i = 0; i < dialog.Tabs()->count(); ++i)
        tabs << dialog.Tabs()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"3d", "Background", "Limits", "Axes", "Trace", "Misc."}));
    EXPECT_EQ(dialog.Projection()->NearBox()->text(), "0.5");
    EXPECT_EQ(dialog.Projection()->SensitivityBox()->text(), "0.2");
    EXPECT_EQ(dialog.Limits()->DimensionBox()->text(), "4");
    EXPECT_EQ(dialog.Axes()->LabelBox(0)->text(), QString::fromUtf8("ést"));
    EXPECT_EQ(dialog.Misc()->IntervalBox()->text(), "40");
    EXPECT_EQ(dialog.Background()->BackgroundButton()->GetColor(), 0x000000u);
    EXPECT_EQ(dialog.Trace()->CursorColorButton()->GetColor(), 0x0000FFu);

    // Opened again it starts on the first page, whatever was shown last.
    dialog.Tabs()->setCurrentIndex(4);
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.Tabs()->currentIndex(), 0);

    // Nothing edited: OK gives back what came in, camera rows included.
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ViewSettings expected = Distinct();
    expected.axisLabelX = "\xe9st";
    EXPECT_EQ(dialog.settings, expected);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(SettingsDialog, OkReplacesOutOfRangeValuesInOrder)
{
    FakePrompter prompter;
    struct Case {
        const char *nearText, *farText, *fovText, *interval, *buffer;
        double nearPlane, farPlane, fieldOfView;
        uint32_t intervalMs, bufferMB;
    };
    const Case cases[] = {
        {"5", "2", "180", "0", "4", 5, 6, 45, 1, 5},
        {"0", "0", "179.9", "60000", "1000", 0.0001, 1000, 179.9, 60000, 1000},
        {"-1", "3", "0", "60001", "1001", 0.0001, 3, 45, 1, 5},
        {"2", "2", "-10", "1", "5", 2, 3, 45, 1, 5},
    };
    for (const Case &c : cases) {
        const Outcome out = RunOk(ViewSettings{}, [&](SettingsDialog &d) {
            Type(d.Projection()->NearBox(), c.nearText);
            Type(d.Projection()->FarBox(), c.farText);
            Type(d.Projection()->FieldOfViewBox(), c.fovText);
            Type(d.Misc()->IntervalBox(), c.interval);
            Type(d.Misc()->BufferBox(), c.buffer);
        });
        ASSERT_TRUE(out.closed) << c.nearText;
        EXPECT_EQ(out.settings.nearPlane, c.nearPlane) << c.nearText;
        EXPECT_EQ(out.settings.farPlane, c.farPlane) << c.farText;
        EXPECT_EQ(out.settings.fieldOfView, c.fieldOfView) << c.fovText;
        EXPECT_EQ(out.settings.animationIntervalMs, c.intervalMs) << c.interval;
        EXPECT_EQ(out.settings.printBufferMB, c.bufferMB) << c.buffer;
    }
    const Outcome zeros = RunOk(ViewSettings{}, [](SettingsDialog &d) {
        Type(d.Projection()->SensitivityBox(), "0");
        Type(d.Limits()->DimensionBox(), "-2");
    });
    EXPECT_EQ(zeros.settings.sensitivity, 0.08);
    EXPECT_EQ(zeros.settings.cubeDimension, 10.0);
    EXPECT_TRUE(prompter.messages.empty());
}

// A field that does not read is reported; it and the rest of its page keep
// their values, the dialog still closes, and the other pages are taken.
TEST(SettingsDialog, AFieldThatDoesNotReadKeepsTheRestOfItsPage)
{
    FakePrompter prompter;
    const ViewSettings start = Distinct();
    Outcome out = RunOk(start, [](SettingsDialog &d) {
        Type(d.Projection()->NearBox(), "abc");
        Type(d.Projection()->FarBox(), "70");
        Type(d.Projection()->FieldOfViewBox(), "60");
        Type(d.Projection()->SensitivityBox(), "1");
        Type(d.Limits()->DimensionBox(), "20");
        Type(d.Axes()->LabelBox(0), "east");
        Type(d.Misc()->IntervalBox(), "25");
    });
    EXPECT_TRUE(out.closed);
    EXPECT_EQ(prompter.MessageTexts(), QStringList{"Please enter a number."});
    EXPECT_EQ(prompter.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(out.settings.nearPlane, start.nearPlane);
    EXPECT_EQ(out.settings.farPlane, start.farPlane);
    EXPECT_EQ(out.settings.fieldOfView, start.fieldOfView);
    EXPECT_EQ(out.settings.sensitivity, start.sensitivity);
    EXPECT_EQ(out.settings.cubeDimension, 20);
    EXPECT_EQ(out.settings.axisLabelX, "east");
    EXPECT_EQ(out.settings.animationIntervalMs, 25u);

    // Fields before the one that fails are taken; the unsigned fields have
    // their own message, and a sign or an overflow is no positive integer.
    prompter.messages.clear();
    out = RunOk(start, [](SettingsDialog &d) {
        Type(d.Projection()->NearBox(), "1");
        Type(d.Projection()->FarBox(), "1,5");
        Type(d.Projection()->SensitivityBox(), "1");
        Type(d.Misc()->IntervalBox(), "-3");
        Type(d.Misc()->BufferBox(), "100");
    });
    EXPECT_EQ(out.settings.nearPlane, 1);
    EXPECT_EQ(out.settings.farPlane, start.farPlane);
    EXPECT_EQ(out.settings.sensitivity, start.sensitivity);
    EXPECT_EQ(out.settings.animationIntervalMs, start.animationIntervalMs);
    EXPECT_EQ(out.settings.printBufferMB, start.printBufferMB);
    EXPECT_EQ(prompter.MessageTexts(),
              QStringList({"Please enter a number.", "Please enter a positive integer."}));
    for (const char *bad : {"4294967296", "1e3", "", "+"}) {
        prompter.messages.clear();
        out = RunOk(start, [bad](SettingsDialog &d) { Type(d.Misc()->BufferBox(), bad); });
        EXPECT_EQ(out.settings.printBufferMB, start.printBufferMB) << bad;
        EXPECT_EQ(prompter.MessageTexts(), QStringList{"Please enter a positive integer."}) << bad;
    }
    out = RunOk(start, [](SettingsDialog &d) { Type(d.Misc()->BufferBox(), " +200 "); });
    EXPECT_EQ(out.settings.printBufferMB, 200u);
}

TEST(SettingsDialog, ReferenceMarksBoxShowsOnlyWithTheCubeAndKeepsItsState)
{
    FakePrompter prompter;
    const Outcome out = RunOk(ViewSettings{}, [](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Limits());
        QCheckBox *cube = d.Limits()->CubeCheck();
        QCheckBox *marks = d.Limits()->MarksCheck();
        ASSERT_TRUE(marks->isVisible());
        const QRect below = d.Limits()->DimensionBox()->geometry();
        ClickMark(cube);
        EXPECT_FALSE(cube->isChecked());
        EXPECT_FALSE(marks->isVisible());
        EXPECT_TRUE(marks->isChecked());
        // The controls below keep their places.
        d.Limits()->layout()->activate();
        EXPECT_EQ(d.Limits()->DimensionBox()->geometry(), below);
        ClickMark(cube);
        EXPECT_TRUE(marks->isVisible());
        ClickMark(marks);
        ClickMark(cube);
        EXPECT_FALSE(marks->isVisible());
    });
    EXPECT_EQ(out.settings.showCube, 0);
    EXPECT_EQ(out.settings.showReferenceMarks, 0);

    ViewSettings hidden;
    hidden.showCube = 0;
    const Outcome kept = RunOk(hidden, [](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Limits());
        EXPECT_FALSE(d.Limits()->MarksCheck()->isVisible());
        EXPECT_TRUE(d.Limits()->MarksCheck()->isChecked());
    });
    EXPECT_EQ(kept.settings.showCube, 0);
    EXPECT_EQ(kept.settings.showReferenceMarks, 1);
}

TEST(SettingsDialog, ColorButtonsChangeTheDialogsCopyOnly)
{
    FakePrompter prompter;
    ViewSettings start;
    prompter.colors = {QColor(0, 0, 128), QColor(10, 20, 30)};
    {
        SettingsDialog dialog;
        dialog.settings = start;
        dialog.show();
        dialog.Tabs()->setCurrentWidget(dialog.Background());
        QTest::mouseClick(dialog.Background()->BackgroundButton(), Qt::LeftButton);
        ASSERT_EQ(prompter.colorRequests.size(), 1u);
        EXPECT_EQ(prompter.colorRequests[0], QColor(0, 0, 0));
        EXPECT_EQ(dialog.Background()->BackgroundButton()->GetColor(), MakeColor(0, 0, 128));
        dialog.reject();
        EXPECT_EQ(dialog.settings, start);
    }
    const Outcome out = RunOk(start, [](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Axes());
        QTest::mouseClick(d.Axes()->AxesColorButton(), Qt::LeftButton);
        // A cancelled chooser changes nothing.
        d.Tabs()->setCurrentWidget(d.Trace());
        QTest::mouseClick(d.Trace()->CursorColorButton(), Qt::LeftButton);
    });
    EXPECT_EQ(out.settings.axesColor, MakeColor(10, 20, 30));
    EXPECT_EQ(out.settings.cursorColor, start.cursorColor);
    EXPECT_EQ(out.settings.backgroundColor, start.backgroundColor);
}

TEST(SettingsDialog, CursorKindFollowsTheRadioButtons)
{
    FakePrompter prompter;
    ViewSettings sphere;
    sphere.cursorKind = SphereCursor;
    Outcome out = RunOk(sphere, [](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Trace());
        EXPECT_TRUE(d.Trace()->SphereButton()->isChecked());
        EXPECT_FALSE(d.Trace()->CrossButton()->isChecked());
        ClickMark(d.Trace()->CrossButton());
    });
    EXPECT_EQ(out.settings.cursorKind, CrossCursor);

    // A kind of neither shape checks neither button and stays unless one
    // is clicked.
    ViewSettings odd;
    odd.cursorKind = 7;
    out = RunOk(odd, [](SettingsDialog &d) {
        EXPECT_FALSE(d.Trace()->SphereButton()->isChecked());
        EXPECT_FALSE(d.Trace()->CrossButton()->isChecked());
    });
    EXPECT_EQ(out.settings.cursorKind, 7);
    out = RunOk(odd, [](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Trace());
        ClickMark(d.Trace()->SphereButton());
    });
    EXPECT_EQ(out.settings.cursorKind, SphereCursor);
}

// Axis labels are stored in the document's 8-bit code page: a character it
// cannot hold is refused before anything is taken, naming the character,
// and the dialog stays open with the text as typed.
TEST(SettingsDialog, AxisLabelTheDocumentCannotStoreKeepsTheDialogOpen)
{
    FakePrompter prompter;
    SettingsDialog dialog;
    dialog.settings = Distinct();
    dialog.show();
    Type(dialog.Projection()->NearBox(), "2");
    Type(dialog.Axes()->LabelBox(0), "\xe2\x82\xac");   // the euro sign has a code
    Type(dialog.Axes()->LabelBox(1), "\xce\xb1-axis");   // alpha has none
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Error");
    EXPECT_TRUE(prompter.messages[0].text.contains(QString::fromUtf8("\xce\xb1"))) << prompter.messages[0].text.toStdString();
    EXPECT_EQ(dialog.Tabs()->currentWidget(), dialog.Axes());
    EXPECT_EQ(dialog.Axes()->LabelBox(1)->text(), QString::fromUtf8("\xce\xb1-axis"));
    EXPECT_EQ(dialog.Axes()->LabelBox(1)->selectedText(), QString::fromUtf8("\xce\xb1"));
    EXPECT_EQ(dialog.settings, Distinct());

    Type(dialog.Axes()->LabelBox(1), "a-axis");
    Type(dialog.Axes()->LabelBox(2), "\xce\xb2");   // nor has beta
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(dialog.Axes()->LabelBox(2)->selectedText(), QString::fromUtf8("\xce\xb2"));

    Type(dialog.Axes()->LabelBox(2), "b");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings.axisLabelX, "\x80");
    EXPECT_EQ(dialog.settings.axisLabelY, "a-axis");
    EXPECT_EQ(dialog.settings.axisLabelZ, "b");
    EXPECT_EQ(dialog.settings.nearPlane, 2);
}

TEST(SpinControlTest, ArrowsStepTheBoxWithinTheirRange)
{
    FakePrompter prompter;
    SettingsDialog dialog;
    dialog.show();
    dialog.Tabs()->setCurrentWidget(dialog.Misc());
    SpinControl *spin = dialog.Misc()->IntervalSpin();
    QLineEdit *box = dialog.Misc()->IntervalBox();
    EXPECT_EQ(spin->Buddy(), box);
    EXPECT_EQ(spin->Low(), 1);
    EXPECT_EQ(spin->High(), 6000);
    EXPECT_EQ(dialog.Misc()->BufferSpin()->Low(), 5);
    EXPECT_EQ(dialog.Misc()->BufferSpin()->High(), 1000);

    QTest::mouseClick(spin->UpArrow(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "11");
    QTest::mouseClick(spin->DownArrow(), Qt::LeftButton);
    QTest::mouseClick(spin->DownArrow(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "9");
    Type(box, "60000");   // typed values may pass the arrows' range ...
    QTest::mouseClick(spin->UpArrow(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "6000");   // ... the arrows bring them back into it
    Type(box, "1");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->text(), "1");
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->text(), "2");
    Type(box, "x");   // no number: steps from where the arrows were
    QTest::mouseClick(spin->UpArrow(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "3");
}
