#include "OutputTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "model/FunctionDefinition.h"
#include "view3d/SampleMapping.h"
#include "TestFunctions.h"

bool AddPlot(CVeltrix2Doc &doc, const Plot &plot)
{
    TestFunction f(plot.text);
    if (!f.ok())
        return false;
    const DependentKind kind = KindFromName(ExtractNames(plot.text).dependent);
    f.SetRange(FirstPlottedName(kind), plot.min1, plot.max1, plot.steps1);
    f.SetRange(SecondPlottedName(kind), plot.min2, plot.max2, plot.steps2);
    FunctionRecord r = f.Record(plot.mode, plot.color1, plot.color2);
    r.label = plot.label;
    r.visible = plot.visible;
    doc.Add(r);
    f.Release();
    return true;
}

QString TourPath()
{
    return QStringLiteral(VELTRIX_EXAMPLES_DIR "/tour.vxf");
}

QByteArray ReadFileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray RunProgram(const QString &program, const QStringList &arguments)
{
    QProcess p;
    // The sanitizer build preloads its runtime into the tests; the tools
    // run here are not built with it.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    const bool finished = p.waitForFinished(60000);
    EXPECT_TRUE(finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        << program.toStdString() << ": " << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}
