// The exporter runs where there is no display and no desktop: it links the
// model, the renderer and the output core, never the widgets or X11.  The
// program is linked so that every library on its link line is needed, so
// this reads its link graph, not just what it happens to call.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace {

QStringList NeededLibraries(const QString &binary)
{
    QProcess readelf;
    readelf.start(QStringLiteral(VELTRIX_READELF), {QStringLiteral("-d"), binary});
    EXPECT_TRUE(readelf.waitForFinished(30000));
    EXPECT_EQ(readelf.exitCode(), 0) << readelf.readAllStandardError().toStdString();
    QStringList needed;
    const QRegularExpression line(QStringLiteral(R"(\(NEEDED\)\s+Shared library: \[([^\]]+)\])"));
    for (const QString &text : QString::fromLocal8Bit(readelf.readAllStandardOutput()).split('\n')) {
        const QRegularExpressionMatch m = line.match(text);
        if (m.hasMatch())
            needed << m.captured(1);
    }
    return needed;
}

TEST(NeededLibraries, TheExporterNeedsNoWidgetsAndNoX11)
{
    const QStringList needed = NeededLibraries(QStringLiteral(VELTRIX_EXPORT_PROGRAM));
    const std::string all = needed.join(' ').toStdString();
    // What it does need, so that a list read wrongly cannot pass.
    for (const char *library : {"libqel.so", "libQt6Gui.so", "libQt6Core.so", "libEGL.so"})
        EXPECT_TRUE(needed.filter(QLatin1String(library)).size() == 1) << library << " missing from: " << all;
    for (const char *library : {"libQt6Widgets", "libQt6OpenGLWidgets", "libQt6PrintSupport", "libX11", "libxcb"})
        EXPECT_TRUE(needed.filter(QLatin1String(library)).isEmpty()) << library << " in: " << all;
}

}  // namespace
