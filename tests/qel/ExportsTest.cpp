// The built library: what it needs and what it exports.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Output(const std::string &command)
{
    std::string out;
    FILE *p = popen(command.c_str(), "r");
    if (p == nullptr)
        return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    EXPECT_EQ(pclose(p), 0) << command;
    return out;
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The text between the first [ and the following ] of a line.
std::string Bracketed(const std::string &line)
{
    const size_t open = line.find('[');
    const size_t close = line.find(']', open);
    return open == std::string::npos ? "" : line.substr(open + 1, close - open - 1);
}

TEST(Exports, NeedsOnlyTheCLibrary)
{
    std::set<std::string> allowed = {"libc.so.6", "libm.so.6",
                                      // the C library's own loader, which
                                      // provides its thread-local storage
                                     "ld-linux-x86-64.so.2"};
    if (QEL_SANITIZED) {
        allowed.insert("libasan.so.8");
        allowed.insert("libubsan.so.1");
    }
    const std::string dynamic = Output(std::string(QEL_READELF) + " -d " + QEL_LIBRARY_FILE);
    std::string soname;
    int needed = 0;
    for (const std::string &line : Lines(dynamic)) {
        if (line.find("(NEEDED)") != std::string::npos) {
            ++needed;
            EXPECT_TRUE(allowed.count(Bracketed(line))) << line;
        }
        if (line.find("(SONAME)") != std::string::npos)
            soname = Bracketed(line);
    }
    EXPECT_GE(needed, 1);
    EXPECT_EQ(soname, "libqel.so.2");
}

// The sixteen entry points and the three for tuples of expressions.
TEST(Exports, ExactlyTheNineteenEntryPoints)
{
    const std::string symbols =
        Output(std::string(QEL_NM) + " -D --defined-only --format=posix " + QEL_LIBRARY_FILE);
    std::set<std::string> exported;
    for (const std::string &line : Lines(symbols)) {
        const std::string name = line.substr(0, line.find(' '));
        exported.insert(name);
    }
    const std::set<std::string> expected = {
        "new_function", "delete_function", "delete_all",
        "initialize_function", "execute_function", "set_function_angle_mode",
        "get_function_text", "get_function_n_var", "get_function_angle_mode",
        "is_function_initialized", "get_function_variables", "modify_function_variable",
        "get_function_variable", "reset_function", "store_function",
        "load_function", "set_function_components", "get_function_components",
        "execute_function_components"};
    EXPECT_EQ(exported, expected);
}

} // namespace
