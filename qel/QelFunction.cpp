#include "qel/QelFunction.h"

#include "qel/Evaluator.h"
#include "qel/Parser.h"
#include "qel/PostfixConverter.h"
#include "qel/Scanner.h"

namespace qel {

namespace {

size_t SkipBlanks(const Scanner &scanner, size_t pos)
{
    while (scanner.At(pos) == ' ')
        ++pos;
    return pos;
}

} // namespace

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
    std::vector<std::vector<Token>> infixes(1);
    if (components_ == 1) {
        const Parser::Result parsed = Parser(scanner, infixes[0]).Run();
        if (!parsed.ok || parsed.stop < text_.size())
            return fail(parsed.stop);
    } else {
        size_t failedAt = 0;
        if (!ParseTuple(scanner, infixes, &failedAt))
            return fail(failedAt);
    }

    if (!Build(infixes[0], postfix_, program_, stack_, state_))
        return fail(text_.size());
    extra_.resize(infixes.size() - 1);
    for (size_t k = 1; k < infixes.size(); ++k) {
        Component &c = extra_[k - 1];
        if (!Build(infixes[k], c.postfix, c.program, c.stack, c.state))
            return fail(text_.size());
    }
    for (size_t k = 0; k < extra_.size(); ++k) {
        extra_[k].program.ShareMemos(program_);
        for (size_t j = 0; j < k; ++j)
            extra_[k].program.ShareMemos(extra_[j].program);
    }
    if (stop != nullptr)
        *stop = static_cast<int32_t>(text_.size());
    compiled_ = true;
    return Compiled;
}

bool QelFunction::Build(const std::vector<Token> &infix, std::vector<Token> &postfix, Program &program,
                        std::vector<double> &stack, EvaluationState &state)
{
    postfix = PostfixConverter::Convert(infix);
    if (!program.Build(postfix))
        return false;
    stack.assign(program.StackSize(), 0.0);
    state.run = program.Run();
    state.code = program.Code();
    state.stack = stack.data();
    state.current = variables_.Values();
    state.count = variables_.Size();
    state.angleMode = angleMode_;
    return true;
}

// "(a, b, c)": each expression is analysed where it starts and must end on
// the ',' or ')' that follows it, blanks aside.  The analysis stops on the
// first character out of place.
bool QelFunction::ParseTuple(const Scanner &scanner, std::vector<std::vector<Token>> &infixes,
                             size_t *stop) const
{
    infixes.assign(static_cast<size_t>(components_), {});
    size_t pos = SkipBlanks(scanner, 0);
    if (scanner.At(pos) != '(') {
        *stop = pos;
        return false;
    }
    for (size_t k = 0; k < infixes.size(); ++k) {
        const Parser::Result parsed = Parser(scanner, infixes[k]).Run(SkipBlanks(scanner, pos + 1));
        if (!parsed.ok) {
            *stop = parsed.stop;
            return false;
        }
        pos = SkipBlanks(scanner, parsed.stop);
        const char due = k + 1 < infixes.size() ? ',' : ')';
        if (scanner.AtEnd(pos) || scanner.At(pos) != due) {
            *stop = pos;
            return false;
        }
        // The expression ended on its separator, not on the end of the text:
        // its end marker is still to come.
        infixes[k].push_back(Token::Operator(OpEnd));
    }
    pos = SkipBlanks(scanner, pos + 1);
    if (!scanner.AtEnd(pos)) {
        *stop = pos;
        return false;
    }
    return true;
}

int32_t QelFunction::EvaluateComponents(const double *values, double *out)
{
    if (!compiled_)
        return 1;
    state_.run(state_, values, out);
    // The first run left the values behind as the current ones.
    for (size_t k = 0; k < extra_.size(); ++k)
        extra_[k].state.run(extra_[k].state, nullptr, out + k + 1);
    return 0;
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
    extra_.clear();
    extra_.shrink_to_fit();
    variables_.Clear();
    compiled_ = false;
    state_ = EvaluationState();
    state_.angleMode = angleMode_;
}

void QelFunction::SetAngleMode(int32_t mode)
{
    if (mode == Degrees || mode == Radians || mode == Grads) {
        angleMode_ = state_.angleMode = mode;
        for (Component &c : extra_)
            c.state.angleMode = mode;
    }
}

int32_t QelFunction::SetComponents(int32_t count)
{
    if (compiled_)
        return AlreadyCompiled;
    if (count >= 1 && count <= kMaxComponents)
        components_ = count;
    return 0;
}

} // namespace qel
