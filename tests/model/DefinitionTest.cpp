// Header analysis, the validation rules with their messages and selections,
// the default variable tables and the add and edit flows.
#include <gtest/gtest.h>

#include "QelSlots.h"
#include "model/FunctionDefinition.h"
#include "model/GridSize.h"
#include "model/LibraryFunction.h"

namespace {

struct Expected {
    std::string message;
    bool hasSelection;
    int start, end;
};

void ExpectOutcome(const DefinitionOutcome &o, const Expected &e, const std::string &text)
{
    SCOPED_TRACE(text);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message.toStdString(), e.message);
    EXPECT_EQ(o.hasSelection, e.hasSelection);
    if (e.hasSelection) {
        EXPECT_EQ(o.selectionStart, e.start);
        EXPECT_EQ(o.selectionEnd, e.end);
    }
}

TEST(HeaderAnalysis, AcceptsHeadersAndFindsTheExpression)
{
    HeaderAnalysis h = AnalyzeHeader("z(x,y)=cosx*siny");
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.expressionStart, 7);
    EXPECT_EQ(h.independentCount, 2);

    h = AnalyzeHeader("  z(x,y)   =x");
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.expressionStart, 12);

    h = AnalyzeHeader("z=5");
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.expressionStart, 2);
    EXPECT_EQ(h.independentCount, 0);

    h = AnalyzeHeader("r(alpha,beta,t_1)=");   // an empty expression is the library's to refuse
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.expressionStart, 18);
    EXPECT_EQ(h.independentCount, 3);
}

TEST(HeaderAnalysis, ErrorPositionIsJustAfterTheOffendingCharacter)
{
    EXPECT_EQ(AnalyzeHeader("z (x,y)=x").errorPosition, 2);
    EXPECT_EQ(AnalyzeHeader("z(x, y)=x").errorPosition, 5);
    EXPECT_EQ(AnalyzeHeader("z(x,,y)=x").errorPosition, 5);
    EXPECT_EQ(AnalyzeHeader("z()=x").errorPosition, 3);
    EXPECT_EQ(AnalyzeHeader("=x").errorPosition, 1);
    EXPECT_EQ(AnalyzeHeader("z(x,y)x").errorPosition, 7);
    EXPECT_FALSE(AnalyzeHeader("z (x,y)=x").valid);
    // Running out of text: the position is the end.
    EXPECT_EQ(AnalyzeHeader("z(x,y").errorPosition, 5);
    EXPECT_EQ(AnalyzeHeader("").errorPosition, 0);
    EXPECT_FALSE(AnalyzeHeader("   ").valid);
}

TEST(ExtractNames, DependentWithoutBlanksAndIndependentsInOrder)
{
    DefinitionNames n = ExtractNames("  alpha(r,beta,k) =r");
    EXPECT_EQ(n.dependent, "alpha");
    EXPECT_EQ(n.independents, (std::vector<std::string>{"r", "beta", "k"}));
    n = ExtractNames("z=5");
    EXPECT_EQ(n.dependent, "z");
    EXPECT_TRUE(n.independents.empty());
}

TEST(Validation, MessagesAndSelectionsInRuleOrder)
{
    const std::string unknown =
        "\"w\" is an unknown dependent variable: use only \"x\" ,\"y\" ,\"z\" ,\"r\", alpha\" or \"beta\"";
    const struct {
        std::string text;
        bool adding;
        Expected expected;
    } cases[] = {
        {"z (x,y)=x", true, {"Syntax error", true, 2, 2}},
        {"z(x,y", true, {"Syntax error", true, 5, 5}},
        {"w(x,y)=x", true, {unknown, true, 0, 1}},
        {"z(z,x)=x", true, {"\"z\" is a dependent o an independent variable?", true, 0, 1}},
        {"alpha(r,alpha)=r", true, {"\"alpha\" is a dependent o an independent variable?", true, 0, 5}},
        {"z(x,e)=x", true, {"Do not use \"e\" or \"pi\" as variable name", false, 0, 0}},
        {"z(pi,x)=x", false, {"Do not use \"e\" or \"pi\" as variable name", false, 0, 0}},
        {"z(t)=t", true, {"The variable \"z\" doesn't depend from \"x\" or \"y\"", false, 0, 0}},
        {"z=5", true, {"The variable \"z\" doesn't depend from \"x\" or \"y\"", false, 0, 0}},
        {"z=5", false, {"The variable \"z\" doesn't depend from \"x\" or \"y\"", true, 0, 1}},
        {"x(t)=t", true, {"The variable \"x\" doesn't depend from \"y\" or \"z\"", false, 0, 0}},
        {"y(t)=t", true, {"The variable \"y\" doesn't depend from \"x\" or \"z\"", false, 0, 0}},
        {"r(t)=t", true, {"The variable \"r\" doesn't depend from \"alpha\" or \"beta\"", false, 0, 0}},
        {"alpha(t)=t", false, {"The variable \"alpha\" doesn't depend from \"r\" or \"beta\"", true, 0, 5}},
        {"beta(t)=t", true, {"The variable \"beta\" doesn't depend from \"r\" or \"alpha\"", false, 0, 0}},
        {"z(x,x)=x", true, {"The variable \"x\" is duplicated", false, 0, 0}},
        {"z(t,x,y,t,x)=x", true, {"The variable \"t\" is duplicated", false, 0, 0}},
        {"z(x,x)=x", false, {"The variable \"x\" is duplicated", false, 0, 0}},
        {"r(alpha,beta,alpha)=1", false, {"The variable \"alpha\" is duplicated", false, 0, 0}},
    };
    for (const auto &c : cases)
        ExpectOutcome(ValidateDefinition(c.text, c.adding), c.expected, c.text);
}

TEST(Validation, AcceptedDefinitions)
{
    for (const char *text : {"z(x,y)=cosx*siny", "  z(x,y)  =cosx*siny", "z(x,t)=x*t",
                             "r(alpha,beta)=1", "beta(r,a)=r", "y(z)=z"})
        EXPECT_TRUE(ValidateDefinition(text, true).ok) << text;
}

TEST(Labels, OneToEightyCharacters)
{
    const QString message = "The number of characters in a label has to be between 0 and 80";
    EXPECT_EQ(CheckLabel(""), message);
    EXPECT_EQ(CheckLabel(std::string(81, 'a')), message);
    EXPECT_TRUE(CheckLabel(std::string(80, 'a')).isEmpty());
    EXPECT_TRUE(CheckLabel("f").isEmpty());
}

TEST(VariableTables, CartesianDefaultsEndWithTheConstants)
{
    const auto table = DefaultVariableTable(ExtractNames("z(x,y,k)=x"), QEL_RADIANS);
    ASSERT_EQ(table.size(), 5u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table[size_t(i)].min, -5);
        EXPECT_EQ(table[size_t(i)].max, 5);
        EXPECT_EQ(table[size_t(i)].steps, 20);
        EXPECT_EQ(table[size_t(i)].value, 0);
    }
    EXPECT_EQ(table[3].name, "e");
    EXPECT_EQ(table[3].value, 2.718281828);
    EXPECT_EQ(table[4].name, "pi");
    EXPECT_EQ(table[4].value, 3.141592654);
    EXPECT_EQ(TableNames(ExtractNames("z(x,y,k)=x")),
              (std::vector<std::string>{"x", "y", "k", "e", "pi"}));
}

TEST(VariableTables, SphericalBoundsFollowTheAngleUnit)
{
    const DefinitionNames names = ExtractNames("r(alpha,beta,k)=1");
    const struct {
        int mode;
        double alphaMax, betaMax;
    } units[] = {{QEL_DEGREES, 360, 90}, {QEL_RADIANS, 6.283185308, 1.570796327}, {QEL_GRADS, 400, 100}};
    for (const auto &u : units) {
        const auto table = DefaultVariableTable(names, u.mode);
        ASSERT_EQ(table.size(), 5u);
        EXPECT_EQ(table[0].min, 0);
        EXPECT_EQ(table[0].max, u.alphaMax);
        EXPECT_EQ(table[1].min, -u.betaMax);
        EXPECT_EQ(table[1].max, u.betaMax);
        EXPECT_EQ(table[2].min, -5);    // a parameter
        EXPECT_EQ(table[2].max, 5);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(table[size_t(i)].steps, 20);
    }
    const auto rTable = DefaultVariableTable(ExtractNames("alpha(r,beta)=1"), QEL_DEGREES);
    EXPECT_EQ(rTable[0].min, 0);
    EXPECT_EQ(rTable[0].max, 5);
}

using CompileFlow = QelTest;

TEST_F(CompileFlow, AddingCompilesWithDefaultsAndAngleUnit)
{
    const DefinitionOutcome o = CompileNewFunction("r(alpha,beta)=1", QEL_DEGREES);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    EXPECT_EQ(o.handle, 0);
    EXPECT_EQ(get_function_angle_mode(o.handle), QEL_DEGREES);
    ASSERT_EQ(get_function_n_var(o.handle), 4);
    VariableRecord alpha{"alpha", 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(o.handle, "alpha", &alpha), 1);
    EXPECT_EQ(alpha.max, 360);
    VariableRecord pi{"pi", 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(o.handle, "pi", &pi), 1);
    EXPECT_EQ(pi.value, 3.141592654);

    const DefinitionOutcome cartesian = CompileNewFunction("z(x,y)=x*pi", QEL_RADIANS);
    ASSERT_TRUE(cartesian.ok);
    double result = 0;
    const double values[] = {2, 0, 2.718281828, 3.141592654};
    ASSERT_EQ(execute_function(cartesian.handle, values, &result), 0);
    EXPECT_DOUBLE_EQ(result, 2 * 3.141592654);
}

TEST_F(CompileFlow, AddingFailureReportsCaretAndReleasesTheHandle)
{
    DefinitionOutcome o = CompileNewFunction("z(x,y)=x)", QEL_RADIANS);
    ExpectOutcome(o, {"Syntax error", true, 8, 8}, "x)");
    o = CompileNewFunction("z(x,y)=", QEL_RADIANS);
    ExpectOutcome(o, {"Syntax error", true, 7, 7}, "empty expression");
    o = CompileNewFunction("  z(x,y) =sin x", QEL_RADIANS);
    ExpectOutcome(o, {"Syntax error", true, 13, 13}, "blank");
    EXPECT_EQ(UsedHandles(), 0);
    // Validation failures never reach the library.
    o = CompileNewFunction("z(x,x)=x", QEL_RADIANS);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(UsedHandles(), 0);
}

TEST_F(CompileFlow, AddingWhenTheLibraryIsFull)
{
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(CompileNewFunction("z(x,y)=x", QEL_RADIANS).ok);
    const DefinitionOutcome o = CompileNewFunction("z(x,y)=x", QEL_RADIANS);
    EXPECT_FALSE(o.ok);
    EXPECT_FALSE(o.message.isEmpty());
    EXPECT_EQ(UsedHandles(), 100);
}

TEST_F(CompileFlow, EditingCarriesSurvivingVariablesOver)
{
    const DefinitionOutcome added = CompileNewFunction("z(x,y)=x+y", QEL_RADIANS);
    ASSERT_TRUE(added.ok);
    ASSERT_EQ(modify_function_variable(added.handle, VariableRecord{"x", 1.5, -2, 3, 7}), 1);

    const DefinitionOutcome edited = RecompileFunction(added.handle, "z(x,t)=x+t", QEL_GRADS);
    ASSERT_TRUE(edited.ok) << edited.message.toStdString();
    EXPECT_EQ(edited.handle, added.handle);
    EXPECT_EQ(get_function_angle_mode(added.handle), QEL_GRADS);
    VariableRecord x{"x", 0, 0, 0, 0}, t{"t", 9, 9, 9, 9};
    ASSERT_EQ(get_function_variable(added.handle, "x", &x), 1);
    EXPECT_EQ(x.value, 1.5);
    EXPECT_EQ(x.min, -2);
    EXPECT_EQ(x.max, 3);
    EXPECT_EQ(x.steps, 7);
    ASSERT_EQ(get_function_variable(added.handle, "t", &t), 1);
    EXPECT_EQ(t.value, 0);
    EXPECT_EQ(t.min, -5);
    EXPECT_EQ(t.max, 5);
    EXPECT_EQ(t.steps, 20);
    EXPECT_EQ(get_function_variable(added.handle, "y", &t), 0);
}

TEST_F(CompileFlow, EditingSphericalStartsPlainWhateverTheName)
{
    const DefinitionOutcome added = CompileNewFunction("z(x,y)=x", QEL_DEGREES);
    ASSERT_TRUE(added.ok);
    ASSERT_TRUE(RecompileFunction(added.handle, "r(alpha,beta)=1", QEL_DEGREES).ok);
    VariableRecord alpha{"alpha", 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(added.handle, "alpha", &alpha), 1);
    EXPECT_EQ(alpha.min, -5);
    EXPECT_EQ(alpha.max, 5);
}

TEST_F(CompileFlow, FailedEditLeavesTheFunctionResetAndEnsureCompiledRestoresIt)
{
    const DefinitionOutcome added = CompileNewFunction("r(alpha,beta)=2", QEL_DEGREES);
    ASSERT_TRUE(added.ok);
    const DefinitionOutcome edited = RecompileFunction(added.handle, "r(alpha,beta)=2*", QEL_DEGREES);
    ExpectOutcome(edited, {"Syntax error", true, 16, 16}, "2*");
    EXPECT_EQ(is_function_initialized(added.handle), 0);

    // Validation failures leave the library alone.
    ASSERT_TRUE(RecompileFunction(added.handle, "r(alpha,beta)=2", QEL_DEGREES).ok);
    EXPECT_FALSE(RecompileFunction(added.handle, "q(alpha,beta)=2", QEL_DEGREES).ok);
    EXPECT_EQ(is_function_initialized(added.handle), 1);

    reset_function(added.handle);
    ASSERT_TRUE(EnsureCompiled(added.handle, "r(alpha,beta)=2"));
    EXPECT_EQ(is_function_initialized(added.handle), 1);
    EXPECT_EQ(get_function_angle_mode(added.handle), QEL_DEGREES);
    VariableRecord alpha{"alpha", 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(added.handle, "alpha", &alpha), 1);
    EXPECT_EQ(alpha.max, 360);
    double result = 0;
    EXPECT_EQ(execute_function(added.handle, nullptr, &result), 0);
    EXPECT_EQ(result, 2);

    EXPECT_TRUE(EnsureCompiled(added.handle, "r(alpha,beta)=2"));   // already compiled
    EXPECT_FALSE(EnsureCompiled(57, "z(x,y)=x"));                   // empty slot
}

}  // namespace

// The implicit surface 0(x,y,z)=f: the classic header with "0" as its
// dependent name, its own rule for x, y and z, the classic messages for the
// rest, a finer default grid for x, y and z and parameters as ever.
TEST_F(CompileFlow, ImplicitSurfacesNeedXYAndZ)
{
    const std::string missing =
        "The surface where an expression is 0 depends on \"x\", \"y\" and \"z\": write it as 0(x,y,z)=..., ";
    ExpectOutcome(ValidateDefinition("0(x,y)=x+y", true), {missing + "\"z\" is missing", false, 0, 0}, "no z");
    ExpectOutcome(ValidateDefinition("0(y,z,t)=y", false), {missing + "\"x\" is missing", true, 0, 1}, "edit");
    ExpectOutcome(ValidateDefinition("0=4", true), {missing + "\"x\" is missing", false, 0, 0}, "no names");
    ExpectOutcome(ValidateDefinition("0(x,y,z,0)=x", true), {"\"0\" is a dependent o an independent variable?", true, 0, 1},
                  "0 named twice");
    ExpectOutcome(ValidateDefinition("0(x,y,z,pi)=x", true), {"Do not use \"e\" or \"pi\" as variable name", false, 0, 0},
                  "pi");
    ExpectOutcome(ValidateDefinition("0(x,y,z,y)=x", true), {"The variable \"y\" is duplicated", false, 0, 0}, "y twice");
    // Other digits stay unknown dependents, with the classic message.
    EXPECT_EQ(ValidateDefinition("1(x,y,z)=x", true).message.toStdString(),
              "\"1\" is an unknown dependent variable: use only \"x\" ,\"y\" ,\"z\" ,\"r\", alpha\" or \"beta\"");

    const DefinitionOutcome o = CompileNewFunction(" 0(z,y,x,a) =x^2+y^2+z^2-a", QEL_DEGREES);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    const LibraryFunction f(o.handle, " 0(z,y,x,a) =x^2+y^2+z^2-a");
    EXPECT_EQ(f.Kind(), KindImplicit);
    for (const char *axis : {"x", "y", "z"}) {
        EXPECT_TRUE(f.IsPlotted(axis));
        EXPECT_EQ(f.PlottedPartner(axis), "");
        EXPECT_EQ(f.Variable(axis)->steps, 40) << axis;
        EXPECT_EQ(f.Variable(axis)->min, -5);
    }
    ASSERT_EQ(f.Parameters().size(), 1u);
    EXPECT_EQ(f.Parameters()[0].name, "a");
    EXPECT_EQ(f.Variable("a")->steps, 20);
    // The box may hold 4194304 points: 161 steps each fit, 200 do not.
    EXPECT_TRUE(GridTooLargeMessage(o.handle, " 0(z,y,x,a) =x^2+y^2+z^2-a", "x", 150).isEmpty());
    EXPECT_TRUE(GridTooLargeMessage(o.handle, " 0(z,y,x,a) =x^2+y^2+z^2-a", "x", 4000)
                    .contains(QStringLiteral("a box of 4001 x 41 x 41 points")));
    EXPECT_TRUE(GridTooLargeMessage(o.handle, " 0(z,y,x,a) =x^2+y^2+z^2-a", "a", 100000).isEmpty());
}
