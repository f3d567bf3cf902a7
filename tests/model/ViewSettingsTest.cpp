// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cmath>

#include <gtest/gtest.h>

#include "model/ViewSettings.h"

namespace {

TEST(ViewSettings, RangesFallBackToDefaults)
{
    ViewSettings s;
    s.nearPlane = 0;
    s.farPlane = -3;
    s.fieldOfView = 180;
    s.sensitivity = -1;
    s.cubeDimension = NAN;
    s.animationIntervalMs = 0;
    s.printBufferMB = 2;
    ApplySettingsRanges(s);
    EXPECT_EQ(s.nearPlane, 0.0001);
    EXPECT_EQ(s.farPlane, 1000.0);
    EXPECT_EQ(s.fieldOfView, 45.0);
    EXPECT_EQ(s.sensitivity, 0.08);
    EXPECT_EQ(s.cubeDimension, 10.0);
    EXPECT_EQ(s.animationIntervalMs, 1u);
    EXPECT_EQ(s.printBufferMB, 5u);

    s.printBufferMB = 2000;
    s.animationIntervalMs = 60001;
    ApplySettingsRanges(s);
    EXPECT_EQ(s.printBufferMB, 5u);
    EXPECT_EQ(s.animationIntervalMs, 1u);
}

TEST(ViewSettings, FarPlaneNotBeyondNearIsMovedPastIt)
{
    ViewSettings s;
    s.nearPlane = 3;
    s.farPlane = 3;
    ApplySettingsRanges(s);
    EXPECT_EQ(s.farPlane, 4.0);
    s.nearPlane = 50;
    s.farPlane = 10;
    ApplySettingsRanges(s);
    EXPECT_EQ(s.farPlane, 51.0);
}

TEST(ViewSettings, ValuesInRangeStay)
{
    ViewSettings s;
    s.nearPlane = 0.5;
    s.farPlane = 500;
    s.fieldOfView = 179.5;
    s.animationIntervalMs = 60000;
    s.printBufferMB = 1000;
    const ViewSettings before = s;
    ApplySettingsRanges(s);
    EXPECT_EQ(s, before);
}

}  // namespace
