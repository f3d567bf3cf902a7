// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's undo and redo and the keys desktop users expect, tried
// the way a user presses them.
#include <gtest/gtest.h>

#include <QAction>
#include <QScreen>
#include <QSplitter>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "../tree/FakePrompter.h"
#include "CMainFrame.h"
#include "FloatingBar.h"
#include "TestSupport.h"
#include "model/CVeltrix2Doc.h"
#include "tree/CColorTreeCtrl.h"
#include "tree/CVeltrix2View.h"
#include "view3d/GLView.h"

namespace {

class FrameKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettingsStore();
        frame = std::make_unique<CMainFrame>(CMainFrame::Options{false});
        auto &p = frame->Documents()->prompts();
        p.askToSave = [this](const QString &title) {
            askedToSave << title;
            return saveAnswer;
        };
        p.askSavePath = [this](const QString &) { return savePath; };
        p.showError = [](const QString &, const QString &text) { ADD_FAILURE() << text.toStdString(); };
        doc = frame->Document();
        ASSERT_TRUE(AddFunction(*doc, "waves", "z(x,y)=sin(x)*y", 2));
        ASSERT_TRUE(AddFunction(*doc, "bowl", "z(x,y)=(x^2+y^2)/5", 1));
        doc->SetModifiedFlag(false);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    QString Title() const
    {
        return frame->windowTitle().replace(QStringLiteral("[*]"),
                                            frame->isWindowModified() ? QStringLiteral("*") : QString());
    }

    std::unique_ptr<CMainFrame> frame;
    CVeltrix2Doc *doc = nullptr;
    QMessageBox::StandardButton saveAnswer = QMessageBox::Cancel;
    QString savePath;
    QStringList askedToSave;
};

TEST_F(FrameKeysTest, DelAndCtrlZTakeAFunctionAwayAndGiveItAndItsPictureBack)
{
    const QImage before = frame->View3d()->grabFramebuffer();
    frame->TreeView()->SelectFunctionNode(doc->Get(1).handle);
    Press(Qt::Key_Delete);
    ASSERT_EQ(doc->Count(), 1);
    EXPECT_EQ(Title(), QStringLiteral("Untitled* - Veltrix 2.0"));
    EXPECT_EQ(frame->UndoAction()->text(), QStringLiteral("&Undo Delete function bowl"));
    EXPECT_NE(frame->View3d()->grabFramebuffer(), before);

    Press(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(doc->Count(), 2);
    EXPECT_EQ(doc->Get(1).label, "bowl");
    EXPECT_EQ(frame->View3d()->grabFramebuffer(), before);
    EXPECT_EQ(Title(), QStringLiteral("Untitled - Veltrix 2.0"));
    EXPECT_EQ(frame->RedoAction()->text(), QStringLiteral("&Redo Delete function bowl"));

    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->Count(), 1);
    Press(Qt::Key_Z, Qt::ControlModifier);
    Press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc->Count(), 1);
    EXPECT_TRUE(doc->IsModified());

    // A new document starts with nothing to undo.
    saveAnswer = QMessageBox::No;
    frame->Actions().fileNew->trigger();
    EXPECT_FALSE(frame->UndoAction()->isEnabled());
    EXPECT_EQ(frame->UndoAction()->text(), QStringLiteral("&Undo"));
}

TEST_F(FrameKeysTest, UndoEndsTheTraceBeforeItChangesAnything)
{
    FakePrompter prompter;
    CVeltrix2View *tree = frame->TreeView();
    const int32_t handle = doc->Get(0).handle;
    tree->SelectFunctionNode(handle);
    const TreeNodeEntry *text = nullptr;
    for (const TreeNodeEntry &entry : tree->Nodes())
        if (entry.function == handle && entry.kind == TextNode)
            text = &entry;
    ASSERT_NE(text, nullptr);
    tree->Tree()->setCurrentItem(text->item);
    tree->Actions().trace->trigger();
    ASSERT_TRUE(frame->View3d()->TraceOn());

    // Colours may change while tracing; doing so goes on tracing.
    tree->Tree()->setCurrentItem(text->item->parent()->child(1)->child(0));
    prompter.colors.push_back(QColor(0, 128, 0));
    tree->Actions().changeColor->trigger();
    EXPECT_TRUE(frame->View3d()->TraceOn());

    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(frame->View3d()->TraceOn());
    EXPECT_FALSE(tree->IsTracing());
    EXPECT_FALSE(frame->TraceBar()->isVisible());
    EXPECT_EQ(doc->Get(0).color1, 0xFFFFFFu);
}

TEST_F(FrameKeysTest, CtrlShiftSSavesAsAndCtrlQQuitsThroughTheQuestion)
{
    QTemporaryDir dir;
    savePath = dir.filePath("keys");
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QFile::exists(dir.filePath("keys.vxf")));
    EXPECT_EQ(Title(), QStringLiteral("keys.vxf - Veltrix 2.0"));

    frame->TreeView()->SelectFunctionNode(doc->Get(0).handle);
    Press(Qt::Key_Delete);
    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(askedToSave, QStringList{"keys.vxf"});
    EXPECT_TRUE(frame->isVisible());
    Press(Qt::Key_Z, Qt::ControlModifier);   // back to the saved state: nothing to ask
    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(askedToSave.size(), 1);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(FrameKeysTest, F11TogglesFullScreenFromEitherPane)
{
    const QRect normal = frame->geometry();
    Press(Qt::Key_F11);
    EXPECT_TRUE(frame->IsFullScreen());
    frame->Actions().nextPane->trigger();
    Press(Qt::Key_F11);
    EXPECT_FALSE(frame->IsFullScreen());
    ASSERT_TRUE(WaitForGeometry(*frame, normal)) << RectText(frame->geometry());
}

// Escape in the 3D view: the window grows and moves so that the view covers
// the screen, the growth all in the view's pane; Escape again puts the
// window and both panes back.
TEST_F(FrameKeysTest, EscapeInTheViewFillsTheScreenAndRestoresTheWindow)
{
    frame->setGeometry(100, 80, 700, 500);
    ASSERT_TRUE(WaitForGeometry(*frame, QRect(100, 80, 700, 500))) << RectText(frame->geometry());
    const QRect before = frame->geometry();
    const QList<int> panes = frame->Splitter()->sizes();
    GLView *view = frame->View3d();

    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_TRUE(frame->IsFullScreen());
    const QRect screen = frame->screen()->geometry();
    // The window system moves and sizes the window when it gets to it.
    const auto viewCoversScreen = [&] { return QRect(view->mapToGlobal(QPoint(0, 0)), view->size()) == screen; };
    EXPECT_TRUE(QTest::qWaitFor(viewCoversScreen, kPatienceMs))
        << RectText(QRect(view->mapToGlobal(QPoint(0, 0)), view->size()));
    EXPECT_EQ(frame->Splitter()->sizes().value(0), panes.value(0)) << "the tree keeps its width";

    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(frame->IsFullScreen());
    EXPECT_TRUE(WaitForGeometry(*frame, before)) << RectText(frame->geometry());
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame->Splitter()->sizes() == panes; }, kPatienceMs));
}

}  // namespace
