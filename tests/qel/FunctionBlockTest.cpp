// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// store_function and load_function: the block in the middle of a file.

#include "qel/qel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

class FunctionBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        delete_all();
        char name[] = "/tmp/qel_blockXXXXXX";
        fd_ = mkstemp(name);
        ASSERT_GE(fd_, 0);
        unlink(name);
    }
    void TearDown() override
    {
        close(fd_);
        delete_all();
    }

    void Write(const std::string &bytes)
    {
        ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string ReadBack(size_t n)
    {
        std::string s(n, '\0');
        EXPECT_EQ(read(fd_, s.data(), n), static_cast<ssize_t>(n));
        return s;
    }
    off_t Position() const { return lseek(fd_, 0, SEEK_CUR); }
    void Rewind() { lseek(fd_, 0, SEEK_SET); }
    std::string Contents()
    {
        const off_t end = lseek(fd_, 0, SEEK_END);
        Rewind();
        return ReadBack(static_cast<size_t>(end));
    }

    static void Int32(std::string &s, int32_t v) { s.append(reinterpret_cast<char *>(&v), 4); }
    static void Double(std::string &s, double v) { s.append(reinterpret_cast<char *>(&v), 8); }

    int fd_ = -1;
};

TEST_F(FunctionBlock, ExactBytes)
{
    VariableRecord vars[1] = {{"x", 1.5, -2.0, 2.0, 40}};
    const int32_t h = new_function();
    ASSERT_EQ(initialize_function(h, "x^2", vars, 1, nullptr), 0);
    set_function_angle_mode(h, QEL_GRADS);
    ASSERT_EQ(store_function(h, fd_), 1);

    std::string expected;
    Int32(expected, 3);
    expected += "x^2";
    Int32(expected, 2);
    Int32(expected, 1);
    Int32(expected, 1);
    expected += "x";
    Double(expected, 1.5);
    Double(expected, -2.0);
    Double(expected, 2.0);
    Int32(expected, 40);
    EXPECT_EQ(Position(), static_cast<off_t>(expected.size()));
    EXPECT_EQ(Contents(), expected);
}

TEST_F(FunctionBlock, RoundTripBetweenOtherData)
{
    VariableRecord vars[4] = {{"x", 0.25, -5, 5, 100},
                              {"alpha", -1.5, -3, 3, 12},
                              {"e", 2.718281828459045, 0, 0, 0},
                              {"pi", 3.141592653589793, 0, 0, 0}};
    const int32_t a = new_function();
    ASSERT_EQ(initialize_function(a, "sin(alpha)*e^x+pi", vars, 4, nullptr), 0);
    set_function_angle_mode(a, QEL_DEGREES);
    const int32_t b = new_function();
    ASSERT_EQ(initialize_function(b, "2+3", nullptr, 0, nullptr), 0);

    Write("HEAD");
    ASSERT_EQ(store_function(a, fd_), 1);
    Write("MID");
    ASSERT_EQ(store_function(b, fd_), 1);
    Write("TAIL");

    const int32_t c = new_function();
    const int32_t d = new_function();
    ASSERT_EQ(initialize_function(d, "x", vars, 1, nullptr), 0); // replaced by the load
    Rewind();
    EXPECT_EQ(ReadBack(4), "HEAD");
    ASSERT_EQ(load_function(c, fd_), 1);
    EXPECT_EQ(ReadBack(3), "MID");
    ASSERT_EQ(load_function(d, fd_), 1);
    EXPECT_EQ(ReadBack(4), "TAIL");

    char *text = get_function_text(c);
    EXPECT_STREQ(text, "sin(alpha)*e^x+pi");
    std::free(text);
    EXPECT_EQ(get_function_angle_mode(c), QEL_DEGREES);
    ASSERT_EQ(get_function_n_var(c), 4);
    VariableRecord loaded[4];
    get_function_variables(c, loaded);
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(loaded[i].name, vars[i].name);
        EXPECT_EQ(loaded[i].value, vars[i].value);
        EXPECT_EQ(loaded[i].min, vars[i].min);
        EXPECT_EQ(loaded[i].max, vars[i].max);
        EXPECT_EQ(loaded[i].steps, vars[i].steps);
    }
    double ra = 0, rc = 1;
    const double values[4] = {0.75, 30.0, 2.718281828459045, 3.141592653589793};
    execute_function(a, values, &ra);
    execute_function(c, values, &rc);
    EXPECT_EQ(ra, rc);

    EXPECT_EQ(get_function_n_var(d), 0);
    double rd = 0;
    execute_function(d, nullptr, &rd);
    EXPECT_EQ(rd, 5.0);
}

TEST_F(FunctionBlock, NothingIsWrittenForAFunctionThatIsNotCompiled)
{
    const int32_t h = new_function();
    EXPECT_EQ(store_function(h, fd_), 0);
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(store_function(h, -1), 0);
}

TEST_F(FunctionBlock, AFailedWriteIsReported)
{
    const int32_t h = new_function();
    ASSERT_EQ(initialize_function(h, "1", nullptr, 0, nullptr), 0);
    const int readOnly = open("/dev/null", O_RDONLY);
    EXPECT_EQ(store_function(h, readOnly), 0);
    close(readOnly);
    EXPECT_EQ(store_function(h, -1), 0);
}

// A valid block of "x+y" with two variables; damaged copies are cut from it.
std::string GoodBlock()
{
    std::string s;
    auto int32 = [&s](int32_t v) { s.append(reinterpret_cast<char *>(&v), 4); };
    auto dbl = [&s](double v) { s.append(reinterpret_cast<char *>(&v), 8); };
    int32(3);
    s += "x+y";
    int32(1);
    int32(2);
    for (const char *name : {"x", "y"}) {
        int32(1);
        s += name;
        dbl(1.0);
        dbl(0.0);
        dbl(2.0);
        int32(10);
    }
    return s;
}

TEST_F(FunctionBlock, DamagedBlocksFailCleanly)
{
    const std::string good = GoodBlock();
    auto withInt = [&good](size_t offset, int32_t v) {
        std::string s = good;
        std::memcpy(&s[offset], &v, 4);
        return s;
    };
    const size_t firstName = 4 + 3 + 4 + 4;
    const std::vector<std::string> damaged = {
        "",                                   // nothing at all
        good.substr(0, 2),                    // half a length
        withInt(0, 0),                        // empty text
        withInt(0, -5),                       // negative text length
        withInt(0, 0x7FFFFFFF),               // far beyond the file
        good.substr(0, 5),                    // text cut short
        good.substr(0, 9),                    // no angle mode
        withInt(11, 0x7FFFFFF0),              // a count the file cannot hold
        withInt(firstName, -1),               // negative name length
        withInt(firstName, 0x7FFFFFFF),       // name length beyond the file
        withInt(firstName, 0),                // empty name
        good.substr(0, good.size() - 1),      // last steps cut short
        withInt(11, 1),                       // y is not in the table
        [&good] { std::string s = good; s[6] = ')'; return s; }(), // x+) does not compile
    };
    const int32_t h = new_function();
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE("damaged block " + std::to_string(i));
        ASSERT_EQ(ftruncate(fd_, 0), 0);
        Rewind();
        if (!damaged[i].empty())
            Write(damaged[i]);
        Rewind();
        set_function_angle_mode(h, QEL_RADIANS);
        EXPECT_EQ(load_function(h, fd_), 0);
        EXPECT_EQ(is_function_initialized(h), 0);
        EXPECT_EQ(get_function_n_var(h), 0);
        EXPECT_EQ(get_function_text(h), nullptr);
    }

    // The intact block loads, also into a function that was compiled.
    ASSERT_EQ(ftruncate(fd_, 0), 0);
    Rewind();
    Write(good);
    Rewind();
    EXPECT_EQ(load_function(h, fd_), 1);
    EXPECT_EQ(Position(), static_cast<off_t>(good.size()));
    Rewind();
    EXPECT_EQ(load_function(h, fd_), 1);
    double out = 0;
    execute_function(h, nullptr, &out);
    EXPECT_EQ(out, 2.0);
}

TEST_F(FunctionBlock, BogusLengthsFromAPipeAreNotAllocated)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::string s;
    const int32_t huge = 0x7FFFFFFF;
    s.append(reinterpret_cast<const char *>(&huge), 4);
    s += "x+y";
    ASSERT_EQ(write(fds[1], s.data(), s.size()), static_cast<ssize_t>(s.size()));
    close(fds[1]);
    const int32_t h = new_function();
    EXPECT_EQ(load_function(h, fds[0]), 0);
    close(fds[0]);
}

} // namespace
