// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "OffscreenScene.h"
#include "TestFunctions.h"
#include "view3d/SelectionHits.h"

namespace {

TEST(NearestHit, TakesTheSmallestMinimumDepthAndTheEarliestOfEquals)
{
    const GLuint buffer[] = {1, 0x60000000, 0x70000000, 7,
                             1, 0x40000000, 0x80000000, 3,
                             1, 0x40000000, 0x50000000, 9};
    EXPECT_EQ(NearestHit(3, buffer, 12), 3);
    EXPECT_EQ(NearestHit(1, buffer, 12), 7);
    EXPECT_EQ(NearestHit(0, buffer, 12), -1);
    EXPECT_EQ(NearestHit(-1, buffer, 12), -1) << "overflow";
    // Depths that differ below single precision count as equal.
    const GLuint close[] = {1, 0x40000001, 0x5, 4, 1, 0x40000000, 0x5, 5};
    EXPECT_EQ(NearestHit(2, close, 8), 4);
}

TEST(Pick, TheFrontVisibleFunctionWins)
{
    OffscreenScene scene;
    ASSERT_TRUE(scene.ok());
    TestFunction back("z(x,y)=-1"), front("z(x,y)=1");
    ASSERT_TRUE(back.ok() && front.ok());
    scene.doc().Add(back.Record(FilledPolygons));
    const int32_t backHandle = back.Release();
    scene.doc().Add(front.Record(FilledPolygons));
    const int32_t frontHandle = front.Release();
    scene.Render();
    const QPoint p = scene.Project(1.2, 1, 1.3);
    const double x = p.x() + 0.5, y = 300 - p.y() - 0.5;
    EXPECT_EQ(scene.renderer().PickFunction(Camera(), x, y), frontHandle);

    FunctionRecord hidden = scene.doc().Get(1);
    hidden.visible = 0;
    scene.doc().Update(1, hidden);
    EXPECT_EQ(scene.renderer().PickFunction(Camera(), x, y), backHandle);

    const QPoint empty = scene.Project(0, 5, -5) + QPoint(0, -20);   // above the cube
    EXPECT_EQ(scene.renderer().PickFunction(Camera(), empty.x(), 300 - empty.y()), -1);
}

} // namespace
