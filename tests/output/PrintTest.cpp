#include <gtest/gtest.h>

#include <QDate>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "model/CodePage1252.h"
#include "model/DisplayForms.h"
#include "output/PrintLayout.h"
#include "output/ScenePrinting.h"
#include "view3d/SceneState.h"

namespace {

using PrintLayout::PageRange;

class PrintTest : public ::testing::Test {
protected:
    // Prints `doc` as seen by a 400 x 300 view into a PDF file; its path.
    QString Print(const CVeltrix2Doc &doc, std::optional<PageRange> range = std::nullopt)
    {
        const QString path = dir.filePath(QStringLiteral("print%1.pdf").arg(++printed));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        SceneState scene;
        scene.doc = &doc;
        scene.width = 400;
        scene.height = 300;
        QString error;
        EXPECT_TRUE(PrintScene(printer, scene, range, &error)) << error.toStdString();
        return path;
    }

    static int Pages(const QString &pdf)
    {
        const QString info = QString::fromUtf8(RunProgram(QStringLiteral("pdfinfo"), {pdf}));
        return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    }

    static QString Text(const QString &pdf, int page)
    {
        const QString n = QString::number(page);
        return QString::fromUtf8(RunProgram(QStringLiteral("pdftotext"),
                                            {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                             QStringLiteral("-l"), n, pdf, QStringLiteral("-")}));
    }

    // Every line of a function's block shows on the page's text.
    static void ExpectBlock(const QString &text, const FunctionRecord &r)
    {
        EXPECT_TRUE(text.contains(QStringLiteral("Label: ") + FromCp1252(r.label))) << r.label;
        EXPECT_TRUE(text.contains(QStringLiteral("Text: ") + FromCp1252(r.text))) << r.text;
        EXPECT_TRUE(text.contains(QStringLiteral("Visualization: ") + ModeName(r.mode))) << r.label;
        EXPECT_TRUE(text.contains(QStringLiteral("Color 1:")));
        EXPECT_TRUE(text.contains(QStringLiteral("Color 2:")));
    }

    QTemporaryDir dir;
    int printed = 0;
};

TEST_F(PrintTest, ExampleDocumentPrintsTheScenePageAndItsFunctions)
{
    CVeltrix2Doc doc;
    ASSERT_EQ(doc.Open(TourPath()), ReadOutcome::Ok);
    const QString pdf = Print(doc);
    ASSERT_EQ(Pages(pdf), 2);

    const QString first = Text(pdf, 1);
    const QDate today = QDate::currentDate();
    for (const QString &s : {QStringLiteral("Veltrix 2.0"), QStringLiteral("File: tour.vxf"),
                             QStringLiteral("Date: %1/%2/%3").arg(today.day()).arg(today.month()).arg(today.year()),
                             QStringLiteral("Page: 1")})
        EXPECT_TRUE(first.contains(s)) << s.toStdString() << "\n"
                                       << first.toStdString();
    EXPECT_TRUE(first.contains(QRegularExpression(QStringLiteral("Time: \\d{1,2}\\.\\d{1,2}\\.\\d{1,2}"))));

    const QString second = Text(pdf, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("Page: 2")));
    EXPECT_TRUE(second.contains(QStringLiteral("File: tour.vxf")));
    EXPECT_FALSE(second.contains(QStringLiteral("Veltrix 2.0"))) << "no title on function pages";
    for (int p = doc.First(); p >= 0; p = doc.Next(p))
        ExpectBlock(second, doc.Get(p));

    // The scene went in at the size the page and the print buffer allow,
    // losslessly.
    QPrinter a4(QPrinter::HighResolution);
    a4.setPageSize(QPageSize(QPageSize::A4));
    const PrintLayout::Picture expected = PrintLayout::LayOutPicture(
        {a4.width(), a4.height(), a4.widthMM(), a4.heightMM()}, 400, 300, 30, 16384);
    const QStringList image = QString::fromUtf8(RunProgram(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}))
                                  .split(QLatin1Char('\n'))
                                  .value(2)
                                  .simplified()
                                  .split(QLatin1Char(' '));
    ASSERT_GE(image.size(), 10);
    EXPECT_EQ(image[3].toInt(), expected.bufWidth);
    EXPECT_EQ(image[4].toInt(), expected.bufHeight);
    EXPECT_EQ(image[8], QStringLiteral("image")) << "not jpeg";

    // The texts are in "Arial" (its metric twin here), embedded.
    EXPECT_TRUE(RunProgram(QStringLiteral("pdffonts"), {pdf}).contains("LiberationSans"));

    // Page 1 holds the scene: seen at 20 dpi, the picture's band is mostly
    // the document's background colour, which is not the paper's white.
    const QString png = dir.filePath(QStringLiteral("page"));
    RunProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-f"),
                                            QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                            QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const Color bg = doc.Settings().backgroundColor;
    const QColor background(ColorRed(bg), ColorGreen(bg), ColorBlue(bg));
    int inBand = 0, matching = 0;
    const QRect band(page.width() / 5, page.height() * 2 / 5, page.width() * 3 / 5, page.height() / 5);
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x, ++inBand) {
            const QColor c = page.pixelColor(x, y);
            matching += qAbs(c.red() - background.red()) + qAbs(c.green() - background.green()) +
                            qAbs(c.blue() - background.blue()) <
                        30;
        }
    EXPECT_GT(matching, inBand / 3);
}

// Page numbers belong to the document: printing page 2 alone gives the same
// page as printing them all, and nothing else.
TEST_F(PrintTest, PrintingOnePageKeepsItsNumberAndContents)
{
    CVeltrix2Doc doc;
    for (int k = 1; k <= 12; ++k)
        ASSERT_TRUE(AddPlot(doc, {"f" + std::to_string(k), "z(x,y)=x*" + std::to_string(k), k % 4}));
    const QString all = Print(doc);
    ASSERT_EQ(Pages(all), 3) << "nine blocks fit on an A4 function page";

    const QString third = Print(doc, PageRange{3, 3});
    ASSERT_EQ(Pages(third), 1);
    const QString text = Text(third, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Page: 3")));
    for (int k = 10; k <= 12; ++k)
        ExpectBlock(text, doc.Get(k - 1));
    EXPECT_FALSE(text.contains(QStringLiteral("Label: f9")));
    EXPECT_EQ(text.count(QStringLiteral("Label:")), Text(all, 3).count(QStringLiteral("Label:")));

    const QString second = Print(doc, PageRange{2, 2});
    ASSERT_EQ(Pages(second), 1);
    EXPECT_TRUE(Text(second, 1).contains(QStringLiteral("Page: 2")));
    EXPECT_EQ(Text(second, 1).count(QStringLiteral("Label:")), 9);

    EXPECT_EQ(Pages(Print(doc, PageRange{1, 1})), 1);
}

TEST_F(PrintTest, DocumentWithoutFunctionsPrintsPageOneOnly)
{
    CVeltrix2Doc doc;
    const QString pdf = Print(doc);
    EXPECT_EQ(Pages(pdf), 1);
    EXPECT_TRUE(Text(pdf, 1).contains(QStringLiteral("File: \n")) ||
                Text(pdf, 1).contains(QRegularExpression(QStringLiteral("File:\\s+Date:"))));
}

// A text wider than the block is cut at the block's right edge, on its one
// line; the next line follows right below.
TEST_F(PrintTest, LongTextIsCutAtTheBlocksEdge)
{
    CVeltrix2Doc doc;
    std::string text = "z(x,y)=x";
    for (int k = 0; k < 60; ++k)
        text += "+sin(x*" + std::to_string(k) + ")";
    ASSERT_TRUE(AddPlot(doc, {"long", text, WireFrame}));
    const QString pdf = Print(doc, PageRange{2, 2});

    const QStringList lines = Text(pdf, 1).split(QLatin1Char('\n'));
    const int at = int(std::find_if(lines.begin(), lines.end(),
                                    [](const QString &l) { return l.contains(QStringLiteral("Text: ")); }) -
                       lines.begin());
    ASSERT_LT(at, lines.size());
    const QString shown = lines[at].trimmed();
    const QString full = QStringLiteral("Text: ") + QString::fromStdString(text);
    EXPECT_TRUE(full.startsWith(shown)) << shown.toStdString();
    EXPECT_LT(shown.size(), full.size() / 2);
    EXPECT_GT(shown.size(), 60);
    EXPECT_TRUE(lines.value(at + 1).trimmed().startsWith(QStringLiteral("Visualization:")));

    // Its right end lies within the block: left of the right edge (the
    // printable area's left + 10 + 4 + block width), and near it.
    const QString boxes = QString::fromUtf8(RunProgram(
        QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    const QRegularExpressionMatch word = QRegularExpression(
                                             QStringLiteral("xMax=\"([0-9.]+)\"[^>]*>z\\(x,y\\)"))
                                             .match(boxes);
    ASSERT_TRUE(word.hasMatch()) << boxes.toStdString();
    const double xMaxMM = word.captured(1).toDouble() * 25.4 / 72;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const double areaLeft = printer.pageLayout().paintRect(QPageLayout::Millimeter).left();
    const double edge = areaLeft + printer.widthMM() - 14;
    EXPECT_LE(xMaxMM, edge + 0.1);
    EXPECT_GT(xMaxMM, edge - 5);
}

TEST_F(PrintTest, PrinterThatCannotStartReportsIt)
{
    CVeltrix2Doc doc;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder/x.pdf")));
    SceneState scene{&doc, Camera(), 400, 300, {}, {}, 1.0};
    QString error;
    EXPECT_FALSE(PrintScene(printer, scene, std::nullopt, &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
