#include "qel/QelFunction.h"

#include "qel/Evaluator.h"
#include "qel/Parser.h"
#include "qel/PostfixConverter.h"
#include "qel/Scanner.h"

namespace qel {

int32_t QelFunction::Initialize(const char *text, const VariableRecord *vars, int32_t count,
                                int32_t *stop)
{
    if (compiled_)
        return AlreadyCompiled;
    if (text == nullptr)
        return NoText;

    auto fail = [&](size_t position) {
        if (stop != nullptr)
            *stop = static_cast<int32_t>(position);
        Reset();
        return SyntaxError;
    };

    text_.assign(text);
    if (!variables_.Assign(vars, count))
        return fail(0);

    const Scanner scanner(text_.c_str(), text_.size(), variables_);
    std::vector<Token> infix;
    const Parser::Result parsed = Parser(scanner, infix).Run();
    if (!parsed.ok || parsed.stop < text_.size())
        return fail(parsed.stop);

    postfix_ = PostfixConverter::Convert(infix);
    if (!program_.Build(postfix_))
        return fail(parsed.stop);
    stack_.assign(program_.StackSize(), 0.0);
    if (stop != nullptr)
        *stop = static_cast<int32_t>(parsed.stop);
    state_.run = program_.Run();
    state_.code = program_.Code();
    state_.stack = stack_.data();
    state_.current = variables_.Values();
    state_.count = variables_.Size();
    compiled_ = true;
    return Compiled;
}

void QelFunction::Reset()
{
    text_.clear();
    text_.shrink_to_fit();
    postfix_.clear();
    postfix_.shrink_to_fit();
    program_.Clear();
    stack_.clear();
    stack_.shrink_to_fit();
    variables_.Clear();
    compiled_ = false;
    state_ = EvaluationState();
    state_.angleMode = angleMode_;
}

void QelFunction::SetAngleMode(int32_t mode)
{
    if (mode == Degrees || mode == Radians || mode == Grads)
        angleMode_ = state_.angleMode = mode;
}

} // namespace qel
