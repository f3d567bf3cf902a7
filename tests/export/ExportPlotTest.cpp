// Plots from the command line: veltrix-export -e with the add-function
// flow's rules and messages, --save, and --info as a faithful description
// of a document.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "model/CodePage1252.h"
#include "model/CommandLinePlot.h"
#include "model/FunctionDefinition.h"
#include "qel/qel.h"

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QString errors;
};

Outcome Export(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(VELTRIX_EXPORT_PROGRAM), arguments);
    EXPECT_TRUE(p.waitForFinished(120000)) << arguments.join(' ').toStdString();
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromLocal8Bit(p.readAllStandardError())};
}

std::string Bytes(const QJsonValue &v)
{
    std::string bytes;
    EXPECT_TRUE(ToCp1252(v.toString(), &bytes));
    return bytes;
}

Color HexColor(const QJsonValue &v)
{
    const uint rgb = v.toString().mid(1).toUInt(nullptr, 16);
    return MakeColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

// A document made from --info's JSON alone.
void Rebuild(const QJsonObject &info, CVeltrix2Doc &doc)
{
    const QJsonObject s = info[QStringLiteral("settings")].toObject();
    const QJsonObject camera = s[QStringLiteral("camera")].toObject();
    const QJsonObject labels = s[QStringLiteral("axisLabels")].toObject();
    ViewSettings &v = doc.Settings();
    auto number = [](const QJsonObject &o, const char *key) { return o[QLatin1String(key)].toDouble(); };
    v.sensitivity = number(s, "sensitivity");
    v.cubeDimension = number(s, "cubeDimension");
    v.nearPlane = number(s, "nearPlane");
    v.farPlane = number(s, "farPlane");
    v.fieldOfView = number(s, "fieldOfView");
    v.cameraX = number(camera, "x");
    v.cameraY = number(camera, "y");
    v.cameraZ = number(camera, "z");
    v.cameraPitch = number(camera, "pitch");
    v.cameraYaw = number(camera, "yaw");
    v.showCube = s[QStringLiteral("showCube")].toBool();
    v.showReferenceMarks = s[QStringLiteral("showReferenceMarks")].toBool();
    v.showAxes = s[QStringLiteral("showAxes")].toBool();
    v.backgroundColor = HexColor(s[QStringLiteral("backgroundColor")]);
    v.cubeColor = HexColor(s[QStringLiteral("cubeColor")]);
    v.axesColor = HexColor(s[QStringLiteral("axesColor")]);
    v.cursorColor = HexColor(s[QStringLiteral("cursorColor")]);
    v.cursorKind = s[QStringLiteral("cursorKind")].toString() == QLatin1String("sphere") ? SphereCursor : CrossCursor;
    v.axisLabelX = Bytes(labels[QStringLiteral("x")]);
    v.axisLabelY = Bytes(labels[QStringLiteral("y")]);
    v.axisLabelZ = Bytes(labels[QStringLiteral("z")]);
    v.printBufferMB = uint32_t(number(s, "printBufferMB"));
    v.animationIntervalMs = uint32_t(number(s, "animationIntervalMs"));

    const QStringList units{QStringLiteral("deg"), QStringLiteral("rad"), QStringLiteral("gra")};
    for (const QJsonValue &f : info[QStringLiteral("functions")].toArray()) {
        const QJsonObject o = f.toObject();
        FunctionRecord r;
        r.label = Bytes(o[QStringLiteral("label")]);
        r.text = Bytes(o[QStringLiteral("text")]);
        r.visible = o[QStringLiteral("visible")].toBool();
        r.mode = ModeFromName(o[QStringLiteral("mode")].toString());
        r.color1 = HexColor(o[QStringLiteral("color1")]);
        r.color2 = HexColor(o[QStringLiteral("color2")]);
        const DefinitionOutcome compiled =
            CompileNewFunction(r.text, int(units.indexOf(o[QStringLiteral("angleUnit")].toString())));
        ASSERT_TRUE(compiled.ok) << r.text;
        r.handle = compiled.handle;
        for (const QJsonValue &variable : o[QStringLiteral("variables")].toArray()) {
            const QJsonObject x = variable.toObject();
            const std::string name = x[QStringLiteral("name")].toString().toStdString();
            ASSERT_TRUE(modify_function_variable(r.handle, VariableRecord{name.c_str(), number(x, "value"),
                                                                          number(x, "min"), number(x, "max"),
                                                                          x[QStringLiteral("steps")].toInt()}));
        }
        doc.Add(r);
    }
}

class ExportPlotTest : public ::testing::Test {
protected:
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

// Every refusal of the add flow, as the program words it, with the text
// and its position under it where the dialog would select; nothing is
// written and the status is 3.
TEST_F(ExportPlotTest, RefusedDefinitionsSayWhyAndWhere)
{
    struct Case {
        QStringList arguments;
        QString message;
        QString marked;   // the text and the line under it, or empty
    };
    const QString label81(81, QLatin1Char('a'));
    const std::vector<Case> cases = {
        {{"-e", "z (x,y)=x"}, "Syntax error", "    z (x,y)=x\n      ^\n"},
        {{"-e", "z(x, y)=x"}, "Syntax error", "    z(x, y)=x\n         ^\n"},
        {{"-e", "z(x,y)=cosx*"}, "Syntax error", "    z(x,y)=cosx*\n                ^\n"},
        {{"-e", "w(x,y)=x"},
         "\"w\" is an unknown dependent variable: use only \"x\" ,\"y\" ,\"z\" ,\"r\", alpha\" or \"beta\"",
         "    w(x,y)=x\n    ^\n"},
        {{"-e", "beta(x,y)=x"}, "The variable \"beta\" doesn't depend from \"r\" or \"alpha\"", ""},
        {{"-e", "alpha(alpha,r)=1"}, "\"alpha\" is a dependent o an independent variable?", "    alpha(alpha,r)=1\n    ^~~~~\n"},
        {{"-e", "z(x,e)=x"}, "Do not use \"e\" or \"pi\" as variable name", ""},
        {{"-e", "z(t)=t"}, "The variable \"z\" doesn't depend from \"x\" or \"y\"", ""},
        {{"-e", "z=5"}, "The variable \"z\" doesn't depend from \"x\" or \"y\"", ""},
        {{"-e", "z(x,x)=x"}, "The variable \"x\" is duplicated", ""},
        {{"-e", "z(x,y)=x", "--label", label81}, "The number of characters in a label has to be between 0 and 80", ""},
        {{"-e", "z(x,y)=x", "--range", "x=3:-3"}, "The value \"max\" must be greater or equal than the value \"min\"", ""},
        {{"-e", "z(x,y)=x", "--steps", "y=0"}, "Insert a value grater than 0", ""},
        {{"-e", "z(x,y)=x", "--steps", "x=2000000"}, "With 2000000 steps for \"x\" the function would be drawn", ""},
        {{"-e", QString::fromUtf8("z(x,y)=x*\xd0\xb6")}, "The character \"\xd0\xb6\" (U+0436) cannot be stored", ""},
        // Curves, surfaces and cylindrical coordinates point at their faults.
        {{"-e", "(x,y,z)(u,v)=(u,v)"}, "one each for \"x\", \"y\" and \"z\", separated by commas: (cos(t),sin(t),t/5) (there are 2)", "    (x,y,z)(u,v)=(u,v)\n                     ^\n"},
        {{"-e", "(x,y,w)(t)=(t,t,t)"}, "The coordinates of a curve or surface are \"x\", \"y\" and \"z\", each once", "    (x,y,w)(t)=(t,t,t)\n         ^\n"},
        {{"-e", "(x,y,z)(a,b)=(a,b,a)"}, "A curve depends on \"t\", a surface on \"u\" and \"v\"", "    (x,y,z)(a,b)=(a,b,a)\n           ^~~~~\n"},
        {{"-e", "(x,y,z)(u,v)=(u,v+,1)"}, "Syntax error", "    (x,y,z)(u,v)=(u,v+,1)\n                      ^\n"},
        {{"-e", "rho(x,y)=1"}, "The variable \"rho\" doesn't depend on \"theta\" or \"z\"", "    rho(x,y)=1\n    ^~~\n"},
    };
    for (const Case &c : cases) {
        const Outcome run = Export(c.arguments + QStringList{"-o", Path("refused.png")});
        const std::string what = c.arguments.join(' ').toStdString() + "\n" + run.errors.toStdString();
        EXPECT_EQ(run.status, 3) << what;
        EXPECT_TRUE(run.errors.contains(c.message)) << what;
        if (!c.marked.isEmpty())
            EXPECT_TRUE(run.errors.endsWith(c.marked)) << what;
        else
            EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << what;
        EXPECT_FALSE(QFile::exists(Path("refused.png"))) << what;
    }
    // The library holds 100 functions at most.
    QStringList hundredAndOne;
    for (int k = 0; k <= 100; ++k)
        hundredAndOne << "-e" << "z(x,y)=x";
    const Outcome full = Export(hundredAndOne + QStringList{"-o", Path("refused.png")});
    EXPECT_EQ(full.status, 3);
    EXPECT_EQ(full.errors, "veltrix-export: -e #101: No more than 100 functions can be defined\n");

    // The second of two definitions is named.
    const Outcome second = Export({"-e", "z(x,y)=x", "-e", "z(z,x)=1", "-o", Path("refused.png")});
    EXPECT_EQ(second.status, 3);
    EXPECT_TRUE(second.errors.startsWith("veltrix-export: -e #2: \"z\" is a dependent")) << second.errors.toStdString();
}

// A plot with every option, kept as a document: the add flow's defaults
// where nothing was asked, the options where something was.
TEST_F(ExportPlotTest, PlotWithOptionsIsKeptAsADocument)
{
    const Outcome run = Export({"-e", "z(x,y)=cosx*siny", "-e", "r(alpha,beta)=2", "--label", "Wave", "--range", "x=-3:3",
                                "--steps", "x=100", "--mode", "gradient", "--colors", "FF0000,0000ff", "--angle", "deg",
                                "-o", Path("plot.png"), "--save", Path("plot.vxf")});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    EXPECT_TRUE(QFile::exists(Path("plot.png")));

    CVeltrix2Doc doc;
    ASSERT_EQ(doc.Open(Path("plot.vxf")), ReadOutcome::Ok);
    ASSERT_EQ(doc.Count(), 2);
    const FunctionRecord wave = doc.Get(doc.First()), sphere = doc.Get(doc.Next(doc.First()));
    EXPECT_EQ(wave.label, "Wave");
    EXPECT_EQ(sphere.label, "r(alpha,beta)=2");
    for (const FunctionRecord &r : {wave, sphere}) {
        EXPECT_EQ(r.mode, Gradient);
        EXPECT_EQ(r.color1, 0x0000FFu);
        EXPECT_EQ(r.color2, 0xFF0000u);
        EXPECT_EQ(r.visible, 1);
        EXPECT_EQ(get_function_angle_mode(r.handle), QEL_DEGREES);
    }
    VariableRecord x{}, y{}, alpha{};
    ASSERT_TRUE(get_function_variable(wave.handle, "x", &x));
    ASSERT_TRUE(get_function_variable(wave.handle, "y", &y));
    ASSERT_TRUE(get_function_variable(sphere.handle, "alpha", &alpha));
    EXPECT_EQ(std::vector<double>({x.min, x.max, double(x.steps), x.value}), std::vector<double>({-3, 3, 100, 0}));
    EXPECT_EQ(std::vector<double>({y.min, y.max, double(y.steps)}), std::vector<double>({-5, 5, 20}));
    EXPECT_EQ(std::vector<double>({alpha.min, alpha.max, double(alpha.steps)}), std::vector<double>({0, 360, 20}));
    EXPECT_EQ(doc.Settings(), ViewSettings());

    // Options that only make sense with -e, and -e with a document, are refused.
    EXPECT_EQ(Export({TourPath(), "--mode", "wire", "-o", Path("x.png")}).status, 3);
    EXPECT_EQ(Export({TourPath(), "-e", "z(x,y)=x", "-o", Path("x.png")}).status, 3);
    EXPECT_EQ(Export({"-e", "z(x,y)=x", "--colors", "red", "-o", Path("x.png")}).status, 3);
    EXPECT_EQ(Export({"-e", "z(x,y)=x", "--range", "q=0:1", "-o", Path("x.png")}).status, 3);
}

// Everything a document holds comes out of --info: a document rebuilt from
// the JSON alone saves to the very bytes of the example.
TEST_F(ExportPlotTest, InfoDescribesEveryFieldOfTheDocument)
{
    const Outcome run = Export({"--info", TourPath()});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(json[QStringLiteral("file")].toString(), QStringLiteral("tour.vxf"));

    CVeltrix2Doc tour, rebuilt;
    ASSERT_EQ(tour.Open(TourPath()), ReadOutcome::Ok);
    ASSERT_NO_FATAL_FAILURE(Rebuild(json.object(), rebuilt));
    ASSERT_TRUE(tour.Save(Path("tour.vxf")));
    ASSERT_TRUE(rebuilt.Save(Path("rebuilt.vxf")));
    EXPECT_EQ(ReadFileBytes(Path("rebuilt.vxf")), ReadFileBytes(Path("tour.vxf")));
}

} // namespace
