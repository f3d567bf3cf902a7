// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "model/CodePage1252.h"

TEST(CodePage1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(char(c));
    std::string back;
    ASSERT_TRUE(ToCp1252(FromCp1252(all), &back));
    EXPECT_EQ(back, all);
}

TEST(CodePage1252, TypographicCharactersTakeTheirCodes)
{
    std::string bytes;
    ASSERT_TRUE(ToCp1252(QString::fromUtf8("5 \u20ac \u2014 \u00e9"), &bytes));
    EXPECT_EQ(bytes, "5 \x80 \x97 \xe9");
    EXPECT_EQ(FromCp1252("\x80\x97"), QString::fromUtf8("\u20ac\u2014"));
    EXPECT_EQ(FromCp1252("\x81\x9d"), QString::fromUtf16(u"\u0081\u009d"));
}

TEST(CodePage1252, RefusesWhatThePageCannotHoldAndNamesIt)
{
    std::string bytes = "kept";
    QString offending;
    EXPECT_FALSE(ToCp1252(QString::fromUtf8("ab\u6f22c"), &bytes, &offending));
    EXPECT_EQ(bytes, "kept");
    EXPECT_EQ(offending, QString::fromUtf8("\u6f22"));
    EXPECT_TRUE(Cp1252Refusal(offending).contains(QStringLiteral("U+6F22")));

    // U+0080 is a C1 control in Unicode, not the euro sign's code.
    EXPECT_FALSE(ToCp1252(QString(QChar(0x80)), &bytes, &offending));
    // A character beyond the basic plane is named whole.
    EXPECT_FALSE(ToCp1252(QString::fromUtf8("\U0001F600"), &bytes, &offending));
    EXPECT_EQ(offending, QString::fromUtf8("\U0001F600"));
    EXPECT_TRUE(Cp1252Refusal(offending).contains(QStringLiteral("U+1F600")));
}
