// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "../tree/FakePrompter.h"
#include "SettingsCommand.h"
#include "history/DocumentHistory.h"
#include "model/CVeltrix2Doc.h"
#include "tree/ColorButton.h"
#include "tree/SettingsDialog.h"
#include "tree/SettingsPages.h"

namespace {

// Every notification of the views, and whether the wait cursor was up.
struct ViewLog {
    explicit ViewLog(CVeltrix2Doc &doc)
    {
        QObject::connect(&doc, &CVeltrix2Doc::ViewsNeedUpdate, [this](QObject *sender, int hint) {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            calls.push_back({sender, hint, cursor && cursor->shape() == Qt::WaitCursor});
        });
    }
    struct Call {
        QObject *sender;
        int hint;
        bool waitCursor;
    };
    std::vector<Call> calls;
};

void PressColor(ColorButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

TEST(SettingsCommand, OkPutsTheValuesIntoTheDocumentAndItsFile)
{
    FakePrompter prompter;
    CVeltrix2Doc doc;
    doc.Settings().cameraYaw = 77;
    ViewLog views(doc);
    prompter.colors.push_back(QColor(0, 0, 128));
    prompter.Accept<SettingsDialog>([](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Background());
        PressColor(d.Background()->BackgroundButton());
        d.Axes()->LabelBox(0)->setText(QStringLiteral("east"));
        d.Axes()->LabelBox(1)->setText(QStringLiteral("north"));
        d.Axes()->LabelBox(2)->setText(QStringLiteral("up"));
        d.Limits()->CubeCheck()->setChecked(false);
        d.Projection()->NearBox()->setText(QStringLiteral("5"));
        d.Projection()->FarBox()->setText(QStringLiteral("2"));
        d.Misc()->IntervalBox()->setText(QStringLiteral("250"));
        d.Misc()->BufferBox()->setText(QStringLiteral("64"));
    });
    QString corrected;
    ASSERT_TRUE(RunSettingsCommand(doc, nullptr, &corrected));
    EXPECT_EQ(corrected, QStringLiteral("Settings corrected: far plane 2 → 6"));

    const ViewSettings &s = doc.Settings();
    EXPECT_EQ(s.backgroundColor, MakeColor(0, 0, 128));
    EXPECT_EQ(s.axisLabelX, "east");
    EXPECT_EQ(s.axisLabelY, "north");
    EXPECT_EQ(s.axisLabelZ, "up");
    EXPECT_EQ(s.showCube, 0);
    EXPECT_EQ(s.showReferenceMarks, 1);
    EXPECT_EQ(s.nearPlane, 5);
    EXPECT_EQ(s.farPlane, 6);
    EXPECT_EQ(s.animationIntervalMs, 250u);
    EXPECT_EQ(s.printBufferMB, 64u);
    EXPECT_EQ(s.cameraYaw, 77);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(views.calls.size(), 1u);
    EXPECT_EQ(views.calls[0].sender, nullptr);
    EXPECT_EQ(views.calls[0].hint, -1);
    EXPECT_TRUE(views.calls[0].waitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QTemporaryDir dir;
    const QString path = dir.filePath("settings.vxf");
    ASSERT_TRUE(doc.Save(path));
    CVeltrix2Doc reread;
    ASSERT_EQ(reread.Open(path), ReadOutcome::Ok);
    EXPECT_EQ(reread.Settings(), doc.Settings());
}

// The designed corrections stay; the user is told what they changed.
TEST(SettingsCommand, CorrectedValuesAreNamedWithWhatTheyBecame)
{
    FakePrompter prompter;
    CVeltrix2Doc doc;
    prompter.Accept<SettingsDialog>([](SettingsDialog &d) {
        d.Projection()->NearBox()->setText(QStringLiteral("0"));
        d.Projection()->FieldOfViewBox()->setText(QStringLiteral("500"));
        d.Misc()->IntervalBox()->setText(QStringLiteral("0"));
    });
    QString corrected;
    ASSERT_TRUE(RunSettingsCommand(doc, nullptr, &corrected));
    EXPECT_EQ(corrected, QStringLiteral("Settings corrected: near plane 0 → 0.0001; field of view 500 → 45; "
                                        "time interval (ms) 0 → 1"));
    EXPECT_EQ(doc.Settings().nearPlane, 0.0001);

    prompter.Accept<SettingsDialog>([](SettingsDialog &) {});
    ASSERT_TRUE(RunSettingsCommand(doc, nullptr, &corrected));
    EXPECT_TRUE(corrected.isEmpty());
}

TEST(SettingsCommand, CancelAfterAColorChangeLeavesTheDocumentAlone)
{
    FakePrompter prompter;
    CVeltrix2Doc doc;
    const ViewSettings before = doc.Settings();
    ViewLog views(doc);
    prompter.colors.push_back(QColor(0, 0, 128));
    prompter.Cancel<SettingsDialog>([](SettingsDialog &d) {
        d.Tabs()->setCurrentWidget(d.Background());
        PressColor(d.Background()->BackgroundButton());
        EXPECT_EQ(d.Background()->BackgroundButton()->GetColor(), MakeColor(0, 0, 128));
        d.Projection()->NearBox()->setText(QStringLiteral("3"));
    });
    EXPECT_FALSE(RunSettingsCommand(doc, nullptr));
    EXPECT_EQ(prompter.runs, 1);
    EXPECT_EQ(doc.Settings(), before);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(views.calls.empty());
}

// Applying settings never moves the camera, which lives in the 3D view, so
// applying the earlier settings again is a complete way back.
TEST(SettingsCommand, ApplyingLeavesTheCameraAndCanBeReversed)
{
    CVeltrix2Doc doc;
    doc.Settings().cameraX = 9;
    const ViewSettings before = doc.Settings();
    ViewSettings edited;
    edited.backgroundColor = MakeColor(1, 2, 3);
    edited.axisLabelZ = "up";
    edited.cameraX = -100;
    edited.cameraPitch = 45;

    ApplyViewSettings(doc, edited);
    EXPECT_EQ(doc.Settings().backgroundColor, MakeColor(1, 2, 3));
    EXPECT_EQ(doc.Settings().axisLabelZ, "up");
    EXPECT_EQ(doc.Settings().cameraX, 9);
    EXPECT_EQ(doc.Settings().cameraPitch, before.cameraPitch);

    ApplyViewSettings(doc, before);
    EXPECT_EQ(doc.Settings(), before);
    EXPECT_TRUE(doc.IsModified());
}

TEST(SettingsCommand, ChangeSettingsIsUndoneAndRedone)
{
    FakePrompter prompter;
    CVeltrix2Doc doc;
    const ViewSettings before = doc.Settings();
    prompter.Accept<SettingsDialog>([](SettingsDialog &d) { d.Axes()->LabelBox(2)->setText(QStringLiteral("up")); });
    ASSERT_TRUE(RunSettingsCommand(doc, nullptr));
    const ViewSettings after = doc.Settings();
    QUndoStack &stack = DocumentHistory::Of(doc).Stack();
    EXPECT_EQ(stack.undoText(), QStringLiteral("Change settings"));

    ViewLog views(doc);
    doc.Settings().cameraYaw = 33;   // the camera moved meanwhile: no undo moves it back
    stack.undo();
    EXPECT_EQ(doc.Settings(), KeepingCamera(before, doc.Settings()));
    EXPECT_EQ(doc.Settings().cameraYaw, 33);
    EXPECT_FALSE(doc.IsModified());
    stack.redo();
    EXPECT_EQ(doc.Settings().axisLabelZ, "up");
    EXPECT_EQ(doc.Settings(), KeepingCamera(after, doc.Settings()));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(views.calls.size(), 2u);
    EXPECT_TRUE(views.calls[0].waitCursor && views.calls[1].waitCursor);
    EXPECT_EQ(views.calls[1].hint, -1);
}
