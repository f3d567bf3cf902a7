// The program's one way to a library function: its tables, its value, and
// the rules of which variables are plotted, parameters or constants.
#include <gtest/gtest.h>

#include "QelSlots.h"
#include "model/FunctionDefinition.h"
#include "model/FunctionRecord.h"
#include "model/LibraryFunction.h"

namespace {

std::vector<std::string> Names(const std::vector<FunctionVariable> &variables)
{
    std::vector<std::string> names;
    for (const FunctionVariable &v : variables)
        names.push_back(v.name);
    return names;
}

class LibraryFunctionTest : public QelTest {
protected:
    LibraryFunction Compiled(const std::string &text, int unit = Radians)
    {
        const DefinitionOutcome outcome = CompileNewFunction(text, unit);
        EXPECT_TRUE(outcome.ok) << text;
        return LibraryFunction(outcome.handle, text);
    }
};

TEST_F(LibraryFunctionTest, EveryKindOfPlotHasItsPlottedVariablesParametersAndConstants)
{
    struct Case {
        const char *text;
        std::vector<std::string> plotted, parameters;
    } cases[] = {
        {"z(x,y,a)=a*x*y", {"x", "y"}, {"a"}},
        {"x(y,z,a)=a*y*z", {"y", "z"}, {"a"}},
        {"y(x,z,a)=a*x*z", {"x", "z"}, {"a"}},
        {"r(alpha,beta,a)=a", {"alpha", "beta"}, {"a"}},
        {"alpha(r,beta,a)=a*r", {"r", "beta"}, {"a"}},
        {"beta(alpha,r,a)=a*r", {"alpha", "r"}, {"a"}},
        // The parameters are whatever is neither plotted nor a constant,
        // wherever the header names them.
        {"z(b,x,a,y)=a*b*x*y", {"x", "y"}, {"b", "a"}},
        {"z(x)=4-abs(x)", {"x"}, {}},
        {"rho(theta,z,a)=a", {"theta", "z"}, {"a"}},
        {"theta(rho,z,a)=a*rho", {"rho", "z"}, {"a"}},
        {"z(rho,theta,a)=a*rho", {"rho", "theta"}, {"a"}},
        // z over x keeps x and y plotted, whatever else is named.
        {"z(rho,x)=rho*x", {"x"}, {"rho"}},
        {"(x,y,z)(u,v,a)=(u,v,a)", {"u", "v"}, {"a"}},
        {"(x,y,z)(t,a)=(t,a,t)", {"t"}, {"a"}},
        // u names a surface: t is a parameter then, an animation's time.
        {"(x,y,z)(t,u)=(u,t,u)", {"u"}, {"t"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const LibraryFunction f = Compiled(c.text);
        std::vector<std::string> plotted;
        for (const std::string &name : Names(f.Variables())) {
            if (f.IsPlotted(name))
                plotted.push_back(name);
            EXPECT_EQ(f.IsConstant(name), name == "e" || name == "pi") << name;
            EXPECT_EQ(f.IsParameter(name), !f.IsPlotted(name) && !f.IsConstant(name)) << name;
        }
        EXPECT_EQ(plotted, c.plotted);
        EXPECT_EQ(Names(f.Parameters()), c.parameters);
        EXPECT_TRUE(f.IsCompiled());
    }
}

TEST_F(LibraryFunctionTest, PartnersPairThePlottedVariablesOnly)
{
    const LibraryFunction f = Compiled("y(x,z,a)=a");
    EXPECT_EQ(f.PlottedPartner("x"), "z");
    EXPECT_EQ(f.PlottedPartner("z"), "x");
    EXPECT_EQ(f.PlottedPartner("a"), "");
    EXPECT_EQ(f.PlottedPartner("y"), "");
    // Without its definition a function has no plotted variables at all.
    const LibraryFunction bare(f.Handle());
    EXPECT_FALSE(bare.IsPlotted("x"));
    EXPECT_TRUE(bare.IsParameter("x"));
    EXPECT_FALSE(bare.IsParameter("pi"));
}

TEST_F(LibraryFunctionTest, TablesAreCopiesInTheLibrarysOrder)
{
    const LibraryFunction f = Compiled("z(x,y,k)=k*x-y");
    EXPECT_EQ(Names(f.Variables()), (std::vector<std::string>{"x", "y", "k", "e", "pi"}));
    EXPECT_EQ(Names(f.UserVariables()), (std::vector<std::string>{"x", "y", "k"}));
    const std::vector<FunctionVariable> before = f.Variables();
    // Compiling again frees the library's own names: the copies stay.
    ASSERT_TRUE(RecompileFunction(f.Handle(), "z(x,y,k)=k", Radians).ok);
    EXPECT_EQ(Names(before), (std::vector<std::string>{"x", "y", "k", "e", "pi"}));
    EXPECT_EQ(before[0], (FunctionVariable{"x", 0, -5, 5, 20}));
}

TEST_F(LibraryFunctionTest, VariablesAreFoundAndWrittenByTheirExactName)
{
    const LibraryFunction f = Compiled("z(x,X)=x-X");
    ASSERT_TRUE(f.Write(FunctionVariable{"X", 2, -1, 3, 8}));
    EXPECT_EQ(f.Variable("X"), (FunctionVariable{"X", 2, -1, 3, 8}));
    EXPECT_EQ(f.Variable("x"), (FunctionVariable{"x", 0, -5, 5, 20}));
    EXPECT_FALSE(f.Variable("xx"));
    EXPECT_FALSE(f.Variable(""));
    EXPECT_FALSE(f.Write(FunctionVariable{"xx", 1, 0, 2, 1}));
    EXPECT_EQ(f.Evaluate(), -2);
}

TEST_F(LibraryFunctionTest, EvaluatingAtValuesKeepsThemAsTheCurrentOnes)
{
    const LibraryFunction f = Compiled("z(x,y)=x*10+y");
    const double values[] = {3, 4, 2.718281828, 3.141592654};
    EXPECT_EQ(f.EvaluateAt(values), 34);
    EXPECT_EQ(f.Variable("x")->value, 3);
    EXPECT_EQ(f.Evaluate(), 34);
}

TEST_F(LibraryFunctionTest, UnitsAndFunctionsThatAreNotThere)
{
    const LibraryFunction f = Compiled("r(alpha,beta)=alpha", Degrees);
    EXPECT_EQ(f.Unit(), Degrees);
    f.SetUnit(Grads);
    EXPECT_EQ(f.Unit(), Grads);
    f.SetUnit(7);
    EXPECT_EQ(f.Unit(), Grads);

    const LibraryFunction gone(42, "z(x,y)=x");
    EXPECT_FALSE(gone.IsCompiled());
    EXPECT_TRUE(gone.Variables().empty());
    EXPECT_FALSE(gone.Variable("x"));
    EXPECT_EQ(gone.Unit(), Radians);
    EXPECT_EQ(gone.Evaluate(), 0);
    FunctionRecord record;
    record.handle = f.Handle();
    record.text = "r(alpha,beta)=alpha";
    EXPECT_TRUE(LibraryFunction(record).IsPlotted("beta"));
}

}  // namespace
