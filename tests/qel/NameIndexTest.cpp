// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "qel/NameIndex.h"

namespace {

qel::VariableTable Table(const std::vector<std::string> &names)
{
    std::vector<VariableRecord> records;
    for (const std::string &name : names)
        records.push_back(VariableRecord{name.c_str(), 0, 0, 0, 0});
    qel::VariableTable table;
    EXPECT_TRUE(table.Assign(records.data(), static_cast<int32_t>(records.size())));
    return table;
}

// The rule written out: the first name in table order that stands whole at pos.
int32_t FirstNameAt(const std::vector<std::string> &names, const std::string &text, size_t pos)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (text.compare(pos, names[i].size(), names[i]) == 0)
            return static_cast<int32_t>(i);
    return -1;
}

TEST(NameIndex, TableOrderDecidesBetweenNamesThatStartAlike)
{
    const std::vector<std::string> names = {"ab", "a", "abc", "bc", "ab", "c"};
    const qel::VariableTable table = Table(names);
    const std::string text = "abcab";
    const qel::NameIndex index(table, text.data(), text.size());
    EXPECT_EQ(index.At(0), 0);   // "ab" before "a" and "abc"
    EXPECT_EQ(index.At(1), 3);   // "bc"
    EXPECT_EQ(index.At(2), 5);   // "c"
    EXPECT_EQ(index.At(3), 0);   // "ab" again, not its later duplicate
    EXPECT_EQ(index.At(4), -1);  // "b" alone is no name
    EXPECT_EQ(index.At(5), -1);  // past the end
}

TEST(NameIndex, AgreesWithTheRuleOnRandomTablesAndTexts)
{
    std::mt19937 rng(2026);
    const std::string alphabet = "ab\xe9";   // a byte above 0x7F too
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> names(1 + rng() % 8);
        for (std::string &name : names) {
            name.resize(1 + rng() % 4);
            for (char &c : name)
                c = alphabet[rng() % alphabet.size()];
        }
        std::string text(rng() % 24, ' ');
        for (char &c : text)
            c = alphabet[rng() % alphabet.size()];
        const qel::VariableTable table = Table(names);
        const qel::NameIndex index(table, text.data(), text.size());
        for (size_t pos = 0; pos <= text.size(); ++pos)
            ASSERT_EQ(index.At(pos), FirstNameAt(names, text, pos))
                << "round " << round << " text \"" << text << "\" pos " << pos;
    }
}

} // namespace
