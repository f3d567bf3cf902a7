// Tuples of expressions: one function, one variable table, two or three
// programs; the interface's three functions for them; and the stored block.

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

class Tuples : public ::testing::Test {
protected:
    void SetUp() override { delete_all(); }
    void TearDown() override { delete_all(); }

    // A function of u, v and a set to `components`, compiled from `text`;
    // the compile's code and stop position are kept.
    int32_t Make(const char *text, int32_t components = 3)
    {
        const int32_t h = new_function();
        EXPECT_EQ(set_function_components(h, components), 0);
        const VariableRecord vars[] = {{"u", 0, 0, 6.283185308, 20}, {"v", 0, 0, 6.283185308, 20}, {"a", 2, -5, 5, 20}};
        rc = initialize_function(h, text, vars, 3, &stop);
        return h;
    }

    int32_t rc = -99, stop = -99;
};

constexpr const char *kTorus = "( cos(u)*(a+cos(v)) , sin(u)*(a+cos(v)),sin(v) )";

TEST_F(Tuples, EveryComponentIsEvaluatedOverTheOneTable)
{
    const int32_t h = Make(kTorus);
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(stop, int32_t(std::strlen(kTorus)));
    EXPECT_EQ(get_function_components(h), 3);
    EXPECT_EQ(get_function_n_var(h), 3);

    const double u = 0.7, v = 2.1, a = 2;
    const double values[] = {u, v, a};
    double xyz[3] = {};
    ASSERT_EQ(execute_function_components(h, values, xyz), 0);
    EXPECT_DOUBLE_EQ(xyz[0], std::cos(u) * (a + std::cos(v)));
    EXPECT_DOUBLE_EQ(xyz[1], std::sin(u) * (a + std::cos(v)));
    EXPECT_DOUBLE_EQ(xyz[2], std::sin(v));
    // The values stay as the current ones; execute_function gives the first
    // component, as a caller that knows nothing of tuples sees it.
    double first = 0;
    ASSERT_EQ(execute_function(h, nullptr, &first), 0);
    EXPECT_EQ(first, xyz[0]);
    VariableRecord r{"v", 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(h, "v", &r), 1);
    EXPECT_EQ(r.value, v);
    EXPECT_EQ(execute_function_components(h, nullptr, nullptr), 0);

    // The angle unit reaches every component, also when set after compiling.
    ASSERT_EQ(set_function_angle_mode(h, QEL_DEGREES), 0);
    const double degrees[] = {90, 0, 1};
    ASSERT_EQ(execute_function_components(h, degrees, xyz), 0);
    EXPECT_NEAR(xyz[0], 0, 1e-12);
    EXPECT_DOUBLE_EQ(xyz[1], 2);
    EXPECT_DOUBLE_EQ(xyz[2], 0);
}

TEST_F(Tuples, StopPositionPointsAtTheFault)
{
    const struct {
        const char *text;
        int32_t stop;
    } cases[] = {
        {"cos(u),v,a", 0},          // no parentheses
        {"  u,v,a", 2},             // the first character after the blanks
        {"(u,v)", 4},               // ')' where a ',' is due
        {"(u,v,a,u)", 6},           // ',' where the ')' is due
        {"(u,v+,a)", 5},            // inside an expression, as ever
        {"(u,sin v,a)", 6},         // a blank inside an expression
        {"(u,v,(a)", 8},            // unclosed: the end of the text
        {"(u,v,a) u", 8},           // text after the tuple
        {"(u,,a)", 3},              // an empty expression
        {"()", 1},
        {"", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const int32_t h = Make(c.text);
        EXPECT_EQ(rc, 1);
        EXPECT_EQ(stop, c.stop);
        EXPECT_EQ(is_function_initialized(h), 0);
        EXPECT_EQ(get_function_components(h), 3) << "kept, like the angle unit";
        delete_function(h);
    }
    // Two components: a plane's pair.
    const int32_t pair = Make("(u*a, v)", 2);
    EXPECT_EQ(rc, 0);
    const double values[] = {1, 2, 3};
    double out[3] = {-1, -1, -1};
    ASSERT_EQ(execute_function_components(pair, values, out), 0);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(out[2], -1) << "nothing beyond the function's components";
}

// A function nobody set to more components is exactly what it always was:
// a tuple is a syntax error at its first comma.
TEST_F(Tuples, OneComponentIsTheClassicLanguage)
{
    const int32_t h = new_function();
    EXPECT_EQ(get_function_components(h), 1);
    const VariableRecord vars[] = {{"u", 0, 0, 0, 0}};
    EXPECT_EQ(initialize_function(h, "(u,u,u)", vars, 1, &stop), 1);
    EXPECT_EQ(stop, 2);
    EXPECT_EQ(initialize_function(h, "(u)", vars, 1, &stop), 0);
    double only[3] = {-1, -1, -1};
    ASSERT_EQ(execute_function_components(h, nullptr, only), 0);
    EXPECT_EQ(only[1], -1);
}

// Calls of the math library remember their last operand, and the calls of
// one function of a variable are shared between the expressions: walking a
// row, changing the other variable, coming back and changing the angle unit
// must each give exactly what the library gives.
TEST_F(Tuples, RememberedCallsGiveTheLibrarysResults)
{
    const int32_t h = Make("(cos(u)*cos(v), sin(cos(v))*a, cos(v)+sin(u))");
    ASSERT_EQ(rc, 0);
    auto expect = [&](double u, double v, double scale) {
        const double values[] = {u, v, 2};
        double xyz[3] = {};
        ASSERT_EQ(execute_function_components(h, values, xyz), 0);
        const double cu = std::cos(u * scale), cv = std::cos(v * scale);
        EXPECT_EQ(xyz[0], cu * cv) << u << ' ' << v;
        EXPECT_EQ(xyz[1], std::sin(cv * scale) * 2) << u << ' ' << v;
        EXPECT_EQ(xyz[2], cv + std::sin(u * scale)) << u << ' ' << v;
    };
    for (double v : {0.5, 0.5, 1.5, 0.5})
        for (double u : {0.1, 0.2, 0.2, 0.1})
            expect(u, v, 1);
    ASSERT_EQ(set_function_angle_mode(h, QEL_DEGREES), 0);
    expect(0.1, 0.5, M_PI / 180);
    expect(0.1, 0.5, M_PI / 180);
    ASSERT_EQ(set_function_angle_mode(h, QEL_RADIANS), 0);
    expect(0.1, 0.5, 1);
}

TEST_F(Tuples, TheCountIsSetBeforeCompilingAndKeptLikeTheAngleUnit)
{
    const int32_t h = new_function();
    EXPECT_EQ(set_function_components(h, 0), 0);
    EXPECT_EQ(set_function_components(h, QEL_MAX_COMPONENTS + 1), 0);
    EXPECT_EQ(get_function_components(h), 1) << "counts outside 1..3 are ignored";
    EXPECT_EQ(set_function_components(h, 3), 0);
    const VariableRecord vars[] = {{"u", 1, 0, 0, 0}};
    ASSERT_EQ(initialize_function(h, "(u,2u,3u)", vars, 1, &stop), 0);
    EXPECT_EQ(set_function_components(h, 1), 3) << "compiled: nothing changes";
    EXPECT_EQ(get_function_components(h), 3);
    reset_function(h);
    EXPECT_EQ(get_function_components(h), 3);
    EXPECT_EQ(set_function_components(h, 2), 0);
    EXPECT_EQ(get_function_components(h), 2);

    double out[3];
    EXPECT_EQ(execute_function_components(h, nullptr, out), 1) << "not compiled";
    EXPECT_EQ(execute_function_components(100, nullptr, out), -1);
    EXPECT_EQ(execute_function_components(-1, nullptr, out), -1);
    EXPECT_EQ(execute_function_components(h + 1, nullptr, out), -2);
    EXPECT_EQ(set_function_components(100, 3), -1);
    EXPECT_EQ(set_function_components(h + 1, 3), -2);
    EXPECT_EQ(get_function_components(-5), -1);
    EXPECT_EQ(get_function_components(h + 1), -2);
}

// The block is the one it always was, with the tuple as its text; a reader
// must set the count first, and one that does not (an older program) fails
// to load it rather than loading something else.
TEST_F(Tuples, BlocksKeepTheTupleAndLoadWhenTheCountIsSet)
{
    char name[] = "/tmp/qel_tupleXXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    unlink(name);
    const int32_t h = Make(kTorus);
    ASSERT_EQ(rc, 0);
    ASSERT_EQ(set_function_angle_mode(h, QEL_GRADS), 0);
    ASSERT_EQ(store_function(h, fd), 1);
    const off_t end = lseek(fd, 0, SEEK_CUR);

    std::string bytes(size_t(end), '\0');
    ASSERT_EQ(pread(fd, bytes.data(), bytes.size(), 0), end);
    const std::string text = kTorus;
    ASSERT_EQ(int32_t(uint8_t(bytes[0])), int32_t(text.size()));
    EXPECT_EQ(bytes.substr(4, text.size()), text);

    const int32_t older = new_function();
    lseek(fd, 0, SEEK_SET);
    EXPECT_EQ(load_function(older, fd), 0);
    EXPECT_EQ(is_function_initialized(older), 0);

    const int32_t newer = new_function();
    ASSERT_EQ(set_function_components(newer, 3), 0);
    lseek(fd, 0, SEEK_SET);
    ASSERT_EQ(load_function(newer, fd), 1);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), end);
    EXPECT_EQ(get_function_angle_mode(newer), QEL_GRADS);
    char *loaded = get_function_text(newer);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(std::string(loaded), text);
    std::free(loaded);
    const double values[] = {50, 100, 3};
    double a[3], b[3];
    ASSERT_EQ(execute_function_components(h, values, a), 0);
    ASSERT_EQ(execute_function_components(newer, values, b), 0);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(a[k], b[k]) << k;
    close(fd);
}

} // namespace
