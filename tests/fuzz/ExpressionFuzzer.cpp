// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The expression library through its C interface: compile a text with a
// variable table, set the variables, evaluate, and hold the evaluator's
// fused program against the plain walk over the postfix list, bit for bit;
// then store the function, load it into another slot and evaluate again.
//
// Input: a byte (bits 0-1 the angle mode, 3 = a mode the library must
// ignore; bit 2: variable names from the input), three doubles (the values
// of the first three variables), with bit 2 three names each ended by a
// line feed, then the expression text.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

#include "FuzzSupport.h"
#include "ReferenceWalk.h"
#include "qel/HandleTable.h"
#include "qel/qel.h"

namespace {

struct Table {
    std::vector<std::string> names;
    std::vector<double> values;

    std::vector<VariableRecord> Records() const
    {
        std::vector<VariableRecord> records;
        for (size_t i = 0; i < names.size(); ++i)
            records.push_back({names[i].c_str(), values[i], -5.0, 5.0, 20});
        return records;
    }
};

std::string Hex(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a", v);
    return text;
}

void CheckAgainstWalk(int32_t handle, const double *values, const char *what)
{
    double fast = 0;
    FUZZ_CHECK(execute_function(handle, values, &fast) == 0, what);
    const qel::QelFunction *f = qel::Functions().Find(handle);
    FUZZ_CHECK(f != nullptr, what);
    const std::vector<double> current(f->Variables().Values(), f->Variables().Values() + f->Variables().Size());
    bool wellFormed = false;
    const double plain = PlainPostfixWalk(*f, current.data(), &wellFormed);
    FUZZ_CHECK(wellFormed, std::string(what) + ": a postfix list a plain walk cannot finish");
    FUZZ_CHECK(SameBits(fast, plain), std::string(what) + ": evaluator " + Hex(fast) + ", plain walk " + Hex(plain));
    if (values) {
        for (size_t i = 0; i < current.size(); ++i)
            FUZZ_CHECK(SameBits(current[i], values[i]), "the values given stay behind as the current values");
    }
}

void CheckNotCompiled(int32_t handle)
{
    double out = 0;
    FUZZ_CHECK(is_function_initialized(handle) == 0, "a failed compile leaves the function reset");
    FUZZ_CHECK(execute_function(handle, nullptr, &out) == 1, "a reset function does not evaluate");
    FUZZ_CHECK(get_function_text(handle) == nullptr, "a reset function has no text");
}

// Stores the function, loads the block into a new slot and compares.
void CheckStoredBlock(int32_t handle, const std::string &text, const double *values, size_t count)
{
    const int fd = memfd_create("block", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0, "memfd_create");
    FUZZ_CHECK(store_function(handle, fd) == 1, "a compiled function is stored");
    const off_t end = lseek(fd, 0, SEEK_CUR);
    lseek(fd, 0, SEEK_SET);
    const int32_t copy = new_function();
    FUZZ_CHECK(load_function(copy, fd) == 1, "a stored function loads: " + text);
    FUZZ_CHECK(lseek(fd, 0, SEEK_CUR) == end, "loading stops right after the block");
    close(fd);

    char *loaded = get_function_text(copy);
    FUZZ_CHECK(loaded && text == loaded, "the text comes back");
    std::free(loaded);
    FUZZ_CHECK(get_function_angle_mode(copy) == get_function_angle_mode(handle), "the angle mode comes back");
    FUZZ_CHECK(size_t(get_function_n_var(copy)) == count, "every variable comes back");
    std::vector<VariableRecord> a(count), b(count);
    get_function_variables(handle, a.data());
    get_function_variables(copy, b.data());
    for (size_t i = 0; i < count; ++i) {
        FUZZ_CHECK(std::string(a[i].name) == b[i].name, "names come back");
        FUZZ_CHECK(SameBits(a[i].value, b[i].value) && SameBits(a[i].min, b[i].min) &&
                       SameBits(a[i].max, b[i].max) && a[i].steps == b[i].steps,
                   "values, ranges and steps come back");
    }
    double original = 0, again = 0;
    execute_function(handle, values, &original);
    execute_function(copy, values, &again);
    FUZZ_CHECK(SameBits(original, again), "the loaded function evaluates as the stored one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.Byte();
    const int32_t mode = flags & 3;
    const double given[3] = {in.Raw<double>(), in.Raw<double>(), in.Raw<double>()};
    Table table;
    table.names = {"x", "y", "a"};
    if (flags & 4)
        for (std::string &name : table.names)
            name = in.Until('\n');
    table.names.insert(table.names.end(), {"e", "pi"});
    table.values = {0, 0, 0, 2.718281828, 3.141592654};
    const std::string text = in.Rest();

    const int32_t handle = new_function();
    FUZZ_CHECK(handle == 0, "the table is empty between inputs");
    FUZZ_CHECK(set_function_angle_mode(handle, mode) == 0, "any mode is answered with 0");
    const int32_t expectedMode = mode <= 2 ? mode : QEL_RADIANS;
    FUZZ_CHECK(get_function_angle_mode(handle) == expectedMode, "a mode outside 0..2 is ignored");

    const std::vector<VariableRecord> records = table.Records();
    int32_t stop = -1;
    const int32_t rc = initialize_function(handle, text.c_str(), records.data(), int32_t(records.size()), &stop);
    FUZZ_CHECK(rc == 0 || rc == 1, "compiled or refused");
    FUZZ_CHECK(stop >= 0 && size_t(stop) <= text.size(), "the stop position lies in the text");
    FUZZ_CHECK(get_function_angle_mode(handle) == expectedMode, "compiling keeps the angle mode");
    if (rc != 0) {
        CheckNotCompiled(handle);
        FUZZ_CHECK(store_function(handle, -1) == 0, "a reset function is not stored");
        delete_all();
        return 0;
    }
    FUZZ_CHECK(initialize_function(handle, text.c_str(), nullptr, 0, nullptr) == 3, "compiled already");
    char *copy = get_function_text(handle);
    FUZZ_CHECK(copy && text == copy, "the text is kept");
    std::free(copy);
    const size_t count = records.size();
    FUZZ_CHECK(size_t(get_function_n_var(handle)) == count, "every variable is kept");

    // Set the first three variables by name, as the tree's commands do.
    for (size_t i = 0; i < 3; ++i) {
        VariableRecord r = records[i];
        r.value = given[i];
        r.steps = int32_t(i);
        if (modify_function_variable(handle, r) == 1) {
            VariableRecord back{};
            FUZZ_CHECK(get_function_variable(handle, r.name, &back) == 1, "a variable set is found");
        }
    }
    CheckAgainstWalk(handle, nullptr, "current values");
    std::vector<double> values(count);
    for (size_t i = 0; i < count; ++i)
        values[i] = i < 3 ? given[2 - i] : table.values[i];
    CheckAgainstWalk(handle, values.data(), "values given");
    CheckStoredBlock(handle, text, values.data(), count);

    reset_function(handle);
    CheckNotCompiled(handle);
    FUZZ_CHECK(get_function_angle_mode(handle) == expectedMode, "resetting keeps the angle mode");
    delete_all();
    return 0;
}
