#include "TestFunctions.h"

#include "model/FunctionDefinition.h"
#include "qel/qel.h"

TestFunction::TestFunction(const std::string &text, int angleMode) : text_(text)
{
    const DefinitionOutcome outcome = CompileNewFunction(text, angleMode);
    if (outcome.ok)
        handle_ = outcome.handle;
}

TestFunction::~TestFunction()
{
    if (handle_ >= 0)
        delete_function(handle_);
}

void TestFunction::SetRange(const char *name, double min, double max, int32_t steps) const
{
    VariableRecord r{name, 0, 0, 0, 0};
    get_function_variable(handle_, name, &r);
    r.name = name;
    r.min = min;
    r.max = max;
    r.steps = steps;
    modify_function_variable(handle_, r);
}

FunctionRecord TestFunction::Record(int mode, Color c1, Color c2) const
{
    FunctionRecord r;
    r.label = "f";
    r.text = text_;
    r.handle = handle_;
    r.mode = mode;
    r.color1 = c1;
    r.color2 = c2;
    return r;
}

int32_t TestFunction::Release()
{
    const int32_t h = handle_;
    handle_ = -1;
    return h;
}
