#include "OutputTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
    const DependentKind kind = KindOfNames(ExtractNames(plot.text));
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

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &original_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = original_;
    limited.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &original_);
    std::signal(SIGXFSZ, previousHandler_);
}

bool MakeFifo(const QString &path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool MakeLinkToDevice(const QString &path)
{
    const QByteArray node = QFile::encodeName(path + QStringLiteral(".node"));
    if (mknod(node.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0 && mkfifo(node.constData(), 0600) != 0)
        return false;
    return symlink(node.constData(), QFile::encodeName(path).constData()) == 0;
}

bool IsFifo(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

bool IsLinkToDevice(const QString &path)
{
    struct stat link, target;
    return lstat(QFile::encodeName(path).constData(), &link) == 0 && S_ISLNK(link.st_mode) &&
           stat(QFile::encodeName(path).constData(), &target) == 0 &&
           (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode));
}
