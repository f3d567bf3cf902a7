// The exports: range check, slot lookup, then the function object.
// No C++ exception may cross into the caller; running out of memory while
// compiling or loading leaves the function reset and reports a failure.

#include "qel/qel.h"

#include "qel/FunctionBlock.h"
#include "qel/HandleTable.h"
#include "qel/QelFunction.h"

#include <cstdlib>
#include <cstring>
#include <new>

using qel::FunctionBlock;
using qel::Functions;
using qel::HandleTable;
using qel::QelFunction;

namespace {

// The distinct codes that most exports give for a handle out of range and
// for an empty slot.
constexpr int32_t kOutOfRange = -1;
constexpr int32_t kEmptySlot = -2;

} // namespace

extern "C" {

int32_t new_function(void)
{
    return Functions().Create();
}

int32_t delete_function(int32_t handle)
{
    return Functions().Destroy(handle) ? 1 : 0;
}

void delete_all(void)
{
    Functions().DestroyAll();
}

int32_t initialize_function(int32_t handle, const char *text, const VariableRecord *vars,
                            int32_t count, int32_t *stop_position)
{
    QelFunction *f = Functions().Find(handle);
    if (f == nullptr)
        return -1;
    try {
        return f->Initialize(text, vars, count, stop_position);
    } catch (const std::bad_alloc &) {
        f->Reset();
        return QelFunction::SyntaxError;
    }
}

int32_t execute_function(int32_t handle, const double *values, double *result)
{
    if (!HandleTable::InRange(handle))
        return kOutOfRange;
    QelFunction *f = Functions().Find(handle);
    if (f == nullptr)
        return kEmptySlot;
    if (result == nullptr) {
        double discarded;
        return f->Evaluate(values, &discarded);
    }
    return f->Evaluate(values, result);
}

int32_t set_function_angle_mode(int32_t handle, int32_t mode)
{
    if (!HandleTable::InRange(handle))
        return kOutOfRange;
    QelFunction *f = Functions().Find(handle);
    if (f == nullptr)
        return kEmptySlot;
    f->SetAngleMode(mode);
    return 0;
}

char *get_function_text(int32_t handle)
{
    const QelFunction *f = Functions().Find(handle);
    if (f == nullptr || !f->IsCompiled())
        return nullptr;
    const std::string &text = f->Text();
    char *copy = static_cast<char *>(std::malloc(text.size() + 1));
    if (copy != nullptr)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

int32_t get_function_n_var(int32_t handle)
{
    const QelFunction *f = Functions().Find(handle);
    return f == nullptr ? 0 : static_cast<int32_t>(f->Variables().Size());
}

int32_t get_function_angle_mode(int32_t handle)
{
    if (!HandleTable::InRange(handle))
        return kOutOfRange;
    const QelFunction *f = Functions().Find(handle);
    return f == nullptr ? kEmptySlot : f->AngleMode();
}

int32_t is_function_initialized(int32_t handle)
{
    if (!HandleTable::InRange(handle))
        return kOutOfRange;
    const QelFunction *f = Functions().Find(handle);
    if (f == nullptr)
        return kEmptySlot;
    return f->IsCompiled() ? 1 : 0;
}

void get_function_variables(int32_t handle, VariableRecord *dest)
{
    const QelFunction *f = Functions().Find(handle);
    if (f != nullptr && dest != nullptr)
        f->Variables().CopyOut(dest);
}

int32_t modify_function_variable(int32_t handle, VariableRecord record)
{
    QelFunction *f = Functions().Find(handle);
    if (f == nullptr)
        return 0;
    const int i = f->Variables().Find(record.name);
    if (i < 0)
        return 0;
    f->Variables().Modify(static_cast<size_t>(i), record);
    return 1;
}

int32_t get_function_variable(int32_t handle, const char *name, VariableRecord *record)
{
    const QelFunction *f = Functions().Find(handle);
    if (f == nullptr || record == nullptr)
        return 0;
    const int i = f->Variables().Find(name);
    if (i < 0)
        return 0;
    const VariableRecord found = f->Variables().Record(static_cast<size_t>(i));
    record->value = found.value;
    record->min = found.min;
    record->max = found.max;
    record->steps = found.steps;
    return 1;
}

void reset_function(int32_t handle)
{
    if (QelFunction *f = Functions().Find(handle))
        f->Reset();
}

int32_t store_function(int32_t handle, int fd)
{
    const QelFunction *f = Functions().Find(handle);
    if (f == nullptr || !f->IsCompiled())
        return 0;
    try {
        return FunctionBlock::Write(fd, *f) ? 1 : 0;
    } catch (const std::bad_alloc &) {
        return 0;
    }
}

int32_t load_function(int32_t handle, int fd)
{
    QelFunction *f = Functions().Find(handle);
    if (f == nullptr)
        return 0;
    f->Reset();
    try {
        FunctionBlock block;
        if (!block.Read(fd))
            return 0;
        f->SetAngleMode(block.angleMode);
        int32_t stop = 0;
        const int32_t rc = f->Initialize(block.text.c_str(), block.variables.data(),
                                         static_cast<int32_t>(block.variables.size()), &stop);
        return rc == QelFunction::Compiled ? 1 : 0;
    } catch (const std::bad_alloc &) {
        f->Reset();
        return 0;
    }
}

int32_t set_function_components(int32_t handle, int32_t count)
{
    if (!HandleTable::InRange(handle))
        return kOutOfRange;
    QelFunction *f = Functions().Find(handle);
    return f == nullptr ? kEmptySlot : f->SetComponents(count);
}

int32_t get_function_components(int32_t handle)
{
    if (!HandleTable::InRange(handle))
        return kOutOfRange;
    const QelFunction *f = Functions().Find(handle);
    return f == nullptr ? kEmptySlot : f->Components();
}

int32_t execute_function_components(int32_t handle, const double *values, double *results)
{
    if (!HandleTable::InRange(handle))
        return kOutOfRange;
    QelFunction *f = Functions().Find(handle);
    if (f == nullptr)
        return kEmptySlot;
    if (results == nullptr) {
        double discarded[QelFunction::kMaxComponents];
        return f->EvaluateComponents(values, discarded);
    }
    return f->EvaluateComponents(values, results);
}

} // extern "C"
