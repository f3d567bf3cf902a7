// The forms beside the Cartesian and spherical ones: curves and surfaces
// whose expressions give x, y and z, and cylindrical coordinates.  Their
// headers, their rules with the messages and the characters they point at,
// their default tables, and how they are compiled and recompiled.
#include <cmath>

#include <gtest/gtest.h>

#include "QelSlots.h"
#include "model/FunctionDefinition.h"
#include "model/LibraryFunction.h"

namespace {

const char *const kTorus = "(x,y,z)(u,v)=(cos(u)*(2+cos(v)), sin(u)*(2+cos(v)), sin(v))";

struct Refusal {
    std::string text;
    std::string message;
    int start, end;   // the selection; a caret when equal
};

void ExpectRefused(const Refusal &r)
{
    SCOPED_TRACE(r.text);
    for (bool adding : {true, false}) {
        const DefinitionOutcome o = ValidateDefinition(r.text, adding);
        ASSERT_FALSE(o.ok);
        EXPECT_EQ(o.message.toStdString(), r.message);
        EXPECT_TRUE(o.hasSelection) << "every refusal of these forms points at its fault";
        EXPECT_EQ(o.selectionStart, r.start);
        EXPECT_EQ(o.selectionEnd, r.end);
    }
}

TEST(FormHeaders, TuplesOfDependentsBeforeTheIndependents)
{
    HeaderAnalysis h = AnalyzeHeader(kTorus);
    EXPECT_TRUE(h.valid);
    EXPECT_TRUE(h.tuple);
    EXPECT_EQ(h.dependentCount, 3);
    EXPECT_EQ(h.independentCount, 2);
    EXPECT_EQ(h.expressionStart, 13);
    h = AnalyzeHeader("  (x,y,z)(t)  =(t,t,t)");
    EXPECT_TRUE(h.valid);
    EXPECT_EQ(h.expressionStart, 15);
    EXPECT_TRUE(AnalyzeHeader("(x,y,z)=(1,2,3)").valid) << "no independents: the rules refuse it";
    // The classic header is no tuple.
    EXPECT_FALSE(AnalyzeHeader("z(x,y)=x").tuple);
    EXPECT_EQ(AnalyzeHeader("z(x,y)=x").dependentCount, 1);

    // Blanks only where the classic header has them; positions just after
    // the offending character, or the end.
    EXPECT_EQ(AnalyzeHeader("(x,y,z) (u,v)=(u,v,u)").errorPosition, 8);
    EXPECT_EQ(AnalyzeHeader("(x, y,z)(u)=u").errorPosition, 4);
    EXPECT_EQ(AnalyzeHeader("(x,y,z)(u,)=u").errorPosition, 11);
    EXPECT_EQ(AnalyzeHeader("()(u)=u").errorPosition, 2);
    EXPECT_EQ(AnalyzeHeader("(x,y,z)(u").errorPosition, 9);

    const DefinitionNames n = ExtractNames(" (z,x,y)(t,a)=(t,a,t)");
    EXPECT_TRUE(n.tuple);
    EXPECT_TRUE(n.dependent.empty());
    EXPECT_EQ(n.dependents, (std::vector<std::string>{"z", "x", "y"}));
    EXPECT_EQ(n.dependentPositions, (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(n.independents, (std::vector<std::string>{"t", "a"}));
    EXPECT_EQ(n.independentPositions, (std::vector<int>{9, 11}));
    EXPECT_EQ(TupleAxes(n), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(KindOfNames(n), KindCurve);
}

TEST(FormHeaders, KindsOfTheNewForms)
{
    const struct {
        const char *text;
        DependentKind kind;
    } cases[] = {
        {"rho(theta,z)=2", KindRho},
        {"theta(z,rho)=z", KindTheta},
        {"z(rho,theta)=rho", KindPolarZ},
        {"z(theta)=theta", KindPolarZ},
        {"z(x,rho)=x", KindZ},   // x or y keeps z Cartesian
        {"z(a)=a", KindZ},
        {"(x,y,z)(v)=(v,v,v)", KindSurface},
        {"(x,y,z)(t,v)=(v,v,t)", KindSurface},
        {"(x,y,z)(t)=(t,t,t)", KindCurve},
        {"(x,y,w)(t)=(t,t,t)", NoKind},
        {"(x,y)(t)=(t,t)", NoKind},
    };
    for (const auto &c : cases)
        EXPECT_EQ(KindOfNames(ExtractNames(c.text)), c.kind) << c.text;
}

TEST(FormRules, CurvesAndSurfacesAreRefusedWithTheFaultSelected)
{
    const std::string coordinates =
        "The coordinates of a curve or surface are \"x\", \"y\" and \"z\", each once: (x,y,z)(t)=... or (x,y,z)(u,v)=...";
    const std::string sampled = "A curve depends on \"t\", a surface on \"u\" and \"v\": (x,y,z)(t)=... or (x,y,z)(u,v)=...";
    const std::string shape = "Write three expressions in parentheses, one each for \"x\", \"y\" and \"z\", "
                              "separated by commas: (cos(t),sin(t),t/5)";
    const Refusal cases[] = {
        {"(x,y,z) (t)=(t,t,t)", "Syntax error", 8, 8},
        {"(x,y,w)(t)=(t,t,t)", coordinates, 5, 6},
        {"(x,x,z)(t)=(t,t,t)", coordinates, 3, 4},
        {"(x,y)(t)=(t,t)", coordinates, 0, 5},
        {"(x,y,z,x)(t)=(t,t,t,t)", coordinates, 7, 8},
        {"(x,y,z)(t,y)=(t,t,t)", "\"y\" cannot be both a dependent and an independent variable", 10, 11},
        {"(x,y,z)(u,pi)=(u,u,u)", "Do not use \"e\" or \"pi\" as variable name", 10, 12},
        {"(x,y,z)(a,b)=(a,b,a)", sampled, 7, 12},
        {"(x,y,z)=(1,2,3)", sampled, 7, 7},
        {"(x,y,z)(u,v,u)=(u,v,u)", "The variable \"u\" is duplicated", 12, 13},
        {"(x,y,z)(t)=t,t,t", shape, 11, 11},
        {"(x,y,z)(t)=  t", shape, 13, 13},
        {"(x,y,z)(t)=(cos(t),sin(t))", shape + " (there are 2)", 25, 25},
        {"(x,y,z)(t)=(t,(t,t),t,t)", shape + " (there are 4)", 21, 23},
    };
    for (const Refusal &r : cases)
        ExpectRefused(r);
}

TEST(FormRules, CylindricalFormsAndTheClassicMessagesOfZ)
{
    const Refusal cases[] = {
        {"rho(rho,z)=1", "\"rho\" cannot be both a dependent and an independent variable", 4, 7},
        {"theta(z,e)=z", "Do not use \"e\" or \"pi\" as variable name", 8, 9},
        {" rho(x,y)=1", "The variable \"rho\" doesn't depend on \"theta\" or \"z\"", 1, 4},
        {"theta(a)=a", "The variable \"theta\" doesn't depend on \"rho\" or \"z\"", 0, 5},
        {"rho(theta,z,theta)=1", "The variable \"theta\" is duplicated", 12, 17},
    };
    for (const Refusal &r : cases)
        ExpectRefused(r);

    // z stays a classic dependent: its refusals read as they always did.
    DefinitionOutcome o = ValidateDefinition("z(rho,z)=1", true);
    EXPECT_EQ(o.message.toStdString(), "\"z\" is a dependent o an independent variable?");
    o = ValidateDefinition("z(a,b)=1", true);
    EXPECT_EQ(o.message.toStdString(), "The variable \"z\" doesn't depend from \"x\" or \"y\"");
    EXPECT_FALSE(o.hasSelection);
    o = ValidateDefinition("z(rho,rho)=1", true);
    EXPECT_EQ(o.message.toStdString(), "The variable \"rho\" is duplicated");
    EXPECT_FALSE(o.hasSelection);
    // An unknown dependent keeps the message that lists the classic names.
    o = ValidateDefinition("phi(theta,z)=1", true);
    EXPECT_EQ(o.message.toStdString(),
              "\"phi\" is an unknown dependent variable: use only \"x\" ,\"y\" ,\"z\" ,\"r\", alpha\" or \"beta\"");

    for (const char *text : {kTorus, "(x,y,z)(t)=(cos(t), sin(t), t/5)", "(z,x,y)(u,v,a)=( u , v , a )",
                             "(x,y,z)(t,u)=(u,t,u)", "rho(theta,z)=2", "theta(rho,z,k)=k*rho", "z(rho,theta)=rho",
                             "  rho(z)  =z"})
        EXPECT_TRUE(ValidateDefinition(text, true).ok) << text;
}

TEST(FormTables, SampledParametersRunOverAFullTurnInTheChosenUnit)
{
    const struct {
        int mode;
        double turn;
    } units[] = {{QEL_DEGREES, 360}, {QEL_RADIANS, 6.283185308}, {QEL_GRADS, 400}};
    for (const auto &unit : units) {
        SCOPED_TRACE(unit.mode);
        const auto surface = DefaultVariableTable(ExtractNames("(x,y,z)(u,v,a)=(u,v,a)"), unit.mode);
        ASSERT_EQ(surface.size(), 5u);
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(surface[size_t(k)].min, 0);
            EXPECT_EQ(surface[size_t(k)].max, unit.turn);
            EXPECT_EQ(surface[size_t(k)].steps, 20);
        }
        EXPECT_EQ(surface[2].min, -5);
        EXPECT_EQ(surface[2].max, 5);
        EXPECT_EQ(surface[3].name, "e");

        const auto curve = DefaultVariableTable(ExtractNames("(x,y,z)(t)=(t,t,t)"), unit.mode);
        EXPECT_EQ(curve[0].max, unit.turn);
        EXPECT_EQ(curve[0].steps, 100) << "a curve gets more steps, so that it looks round";

        const auto cylinder = DefaultVariableTable(ExtractNames("rho(theta,z)=2"), unit.mode);
        EXPECT_EQ(cylinder[0].max, unit.turn);
        EXPECT_EQ(cylinder[1].min, -5);
        EXPECT_EQ(cylinder[1].max, 5);
        const auto polar = DefaultVariableTable(ExtractNames("z(rho,theta)=rho"), unit.mode);
        EXPECT_EQ(polar[0].min, 0);
        EXPECT_EQ(polar[0].max, 5);
        EXPECT_EQ(polar[1].max, unit.turn);
    }
}

using FormCompile = QelTest;

TEST_F(FormCompile, ATupleIsOneFunctionWhoseExpressionsGiveThePoint)
{
    const DefinitionOutcome o = CompileNewFunction(kTorus, QEL_RADIANS);
    ASSERT_TRUE(o.ok) << o.message.toStdString();
    EXPECT_EQ(UsedHandles(), 1) << "one handle per function, whatever its form";
    EXPECT_EQ(get_function_components(o.handle), 3);
    const LibraryFunction f(o.handle, kTorus);
    EXPECT_TRUE(f.GivesPoints());
    const double values[] = {0, 3.141592653589793 / 2, 2.718281828, 3.141592654};
    const SpacePoint p = f.PointAt(values);
    EXPECT_DOUBLE_EQ(p.x, 2);
    EXPECT_DOUBLE_EQ(p.y, 0);
    EXPECT_DOUBLE_EQ(p.z, 1);

    // The header's order says which expression is which coordinate.
    const std::string swapped = "(z,x,y)(t)=(t, 2*t, 3*t)";
    const DefinitionOutcome s = CompileNewFunction(swapped, QEL_RADIANS);
    ASSERT_TRUE(s.ok);
    const double at[] = {1, 2.718281828, 3.141592654};
    const SpacePoint q = LibraryFunction(s.handle, swapped).PointAt(at);
    EXPECT_EQ(q.x, 2);
    EXPECT_EQ(q.y, 3);
    EXPECT_EQ(q.z, 1);
}

TEST_F(FormCompile, AFaultInAnExpressionPutsTheCaretOnIt)
{
    const struct {
        const char *text;
        int caret;
    } cases[] = {
        {"(x,y,z)(u,v)=(cos(u), sin u, v)", 25},
        {"(x,y,z)(t)=(t,t,t) t", 19},
        {"(x,y,z)(t)=(t,t,(t)", 19},
        {"rho(theta,z)=2*", 15},
    };
    for (const auto &c : cases) {
        const DefinitionOutcome o = CompileNewFunction(c.text, QEL_RADIANS);
        EXPECT_FALSE(o.ok) << c.text;
        EXPECT_EQ(o.message.toStdString(), "Syntax error") << c.text;
        EXPECT_EQ(o.selectionStart, c.caret) << c.text;
        EXPECT_EQ(o.selectionEnd, c.caret) << c.text;
    }
    EXPECT_EQ(UsedHandles(), 0);
}

// An edit may change the form: the library function is told how many
// expressions the new text has, new names of a new form get its defaults,
// and names that survive keep their settings.
TEST_F(FormCompile, EditsChangeTheFormAndKeepSurvivingSettings)
{
    const DefinitionOutcome added = CompileNewFunction("z(x,y,a)=a*x", QEL_DEGREES);
    ASSERT_TRUE(added.ok);
    ASSERT_EQ(modify_function_variable(added.handle, VariableRecord{"a", 1.5, 1, 3, 4}), 1);

    ASSERT_TRUE(RecompileFunction(added.handle, "(x,y,z)(u,v,a)=(u,v,a)", QEL_DEGREES).ok);
    EXPECT_EQ(get_function_components(added.handle), 3);
    VariableRecord u{"u", 0, 0, 0, 0}, a{"a", 0, 0, 0, 0};
    ASSERT_EQ(get_function_variable(added.handle, "u", &u), 1);
    EXPECT_EQ(u.max, 360);
    ASSERT_EQ(get_function_variable(added.handle, "a", &a), 1);
    EXPECT_EQ(a.value, 1.5);
    EXPECT_EQ(a.steps, 4);

    ASSERT_TRUE(RecompileFunction(added.handle, "z(x,u)=x*u", QEL_DEGREES).ok);
    EXPECT_EQ(get_function_components(added.handle), 1);
    ASSERT_EQ(get_function_variable(added.handle, "u", &u), 1);
    EXPECT_EQ(u.max, 360) << "u survived the edit";

    // A reset curve is compiled again from its text before it is saved.
    reset_function(added.handle);
    const std::string helix = "(x,y,z)(t)=(cos(t),sin(t),t/5)";
    ASSERT_TRUE(EnsureCompiled(added.handle, helix));
    EXPECT_EQ(get_function_components(added.handle), 3);
    const SpacePoint p = LibraryFunction(added.handle, helix).PointAt(std::vector<double>{90, 0, 0}.data());
    EXPECT_NEAR(p.x, 0, 1e-9);
    EXPECT_DOUBLE_EQ(p.y, 1);
    EXPECT_DOUBLE_EQ(p.z, 18);
}

}  // namespace
