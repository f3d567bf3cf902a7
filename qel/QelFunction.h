#ifndef QEL_QELFUNCTION_H
#define QEL_QELFUNCTION_H

#include "qel/Evaluator.h"
#include "qel/Operators.h"
#include "qel/Program.h"
#include "qel/Token.h"
#include "qel/VariableTable.h"
#include "qel/qel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

class Scanner;

// One function of the handle table: its text, variable table, angle unit and
// compiled form.
//
// A text is one expression, or, for a function set to more components, a
// tuple of that many expressions, "(a, b, c)", each compiled to a program of
// its own over the one variable table.  Blanks may stand around the tuple's
// parentheses and commas; the expressions themselves are written as ever.
class QelFunction {
public:
    // Result codes of Initialize, as initialize_function returns them.
    enum InitResult : int32_t {
        Compiled = 0,
        SyntaxError = 1,
        AlreadyCompiled = 3,
        NoText = 4
    };

    QelFunction() = default;
    QelFunction(const QelFunction &) = delete; // state_ points into the members
    QelFunction &operator=(const QelFunction &) = delete;
    virtual ~QelFunction() = default;

    // Compiles text with a copy of the given variables.  The stop position is
    // written whenever the parser ran (and 0 for a refused variable table),
    // also on failure, which leaves the function reset.  Trailing text after
    // a complete expression is refused whether or not stop is given: the
    // program would otherwise lack its end.
    int32_t Initialize(const char *text, const VariableRecord *vars, int32_t count, int32_t *stop);
    // 0 evaluated into *out; 1 not compiled.  values (or null) holds one value
    // per variable and is left behind as the current values.  A tuple gives
    // its first component.
    int32_t Evaluate(const double *values, double *out)
    {
        if (!compiled_)
            return 1;
        return state_.run(state_, values, out);
    }
    // The same for every component: out holds Components() values.
    int32_t EvaluateComponents(const double *values, double *out);
    void Reset();

    static constexpr int32_t kMaxComponents = 3;
    int32_t Components() const { return components_; }
    // 1..kMaxComponents, taking effect with the next compile; another count
    // is ignored.  A compiled function keeps its count (AlreadyCompiled).
    int32_t SetComponents(int32_t count);

    bool IsCompiled() const { return compiled_; }
    int32_t AngleMode() const { return angleMode_; }
    // A mode outside 0..2 is ignored.
    void SetAngleMode(int32_t mode);

    const std::string &Text() const { return text_; }
    VariableTable &Variables() { return variables_; }
    const VariableTable &Variables() const { return variables_; }
    const std::vector<Token> &Postfix() const { return postfix_; }

private:
    // A component after the first: its own program and stack.
    struct Component {
        std::vector<Token> postfix;
        Program program;
        std::vector<double> stack;
        EvaluationState state;
    };

    // Compiles one expression from its infix list into the program, stack
    // and state given; false when the program cannot be built.
    bool Build(const std::vector<Token> &infix, std::vector<Token> &postfix, Program &program,
               std::vector<double> &stack, EvaluationState &state);
    // Parses the tuple of components_ expressions of text_ into one infix
    // list each; on failure *stop is where the analysis ended.
    bool ParseTuple(const Scanner &scanner, std::vector<std::vector<Token>> &infixes, size_t *stop) const;

    std::string text_;
    std::vector<Token> postfix_;
    Program program_;
    std::vector<double> stack_;
    VariableTable variables_;
    int32_t angleMode_ = Radians;
    bool compiled_ = false;
    int32_t components_ = 1;
    EvaluationState state_; // points into program_, stack_ and variables_
    std::vector<Component> extra_; // the components after the first
};

} // namespace qel

#endif
