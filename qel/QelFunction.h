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

// One function of the handle table: its text, variable table, angle unit and
// compiled form.
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
    // per variable and is left behind as the current values.
    int32_t Evaluate(const double *values, double *out)
    {
        if (!compiled_)
            return 1;
        return state_.run(state_, values, out);
    }
    void Reset();

    bool IsCompiled() const { return compiled_; }
    int32_t AngleMode() const { return angleMode_; }
    // A mode outside 0..2 is ignored.
    void SetAngleMode(int32_t mode);

    const std::string &Text() const { return text_; }
    VariableTable &Variables() { return variables_; }
    const VariableTable &Variables() const { return variables_; }
    const std::vector<Token> &Postfix() const { return postfix_; }

private:
    std::string text_;
    std::vector<Token> postfix_;
    Program program_;
    std::vector<double> stack_;
    VariableTable variables_;
    int32_t angleMode_ = Radians;
    bool compiled_ = false;
    EvaluationState state_; // points into program_, stack_ and variables_
};

} // namespace qel

#endif
