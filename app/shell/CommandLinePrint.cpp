// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLinePrint.h"

#include <optional>

#include <QCommandLineParser>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

#include "ViewPreferences.h"
#include "model/CVeltrix2Doc.h"
#include "model/DocumentFile.h"
#include "output/ScenePrinting.h"
#include "view3d/SceneState.h"

namespace {

const QString kPrint = QStringLiteral("print");
const QString kPrintToPdf = QStringLiteral("print-to-pdf");

// The view the picture on the first page is taken from: no window is open,
// so the exporter's picture size stands in for its proportions.
constexpr int kViewWidth = 1280, kViewHeight = 1024;

struct PrintRequest {
    QString document;
    QString pdf;   // empty: the default printer
};

std::optional<PrintRequest> ReadArguments(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({kPrint, QStringLiteral("Print the document on the default printer.")});
    parser.addOption({kPrintToPdf, QStringLiteral("Print the document into a PDF file."), QStringLiteral("file")});
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(kPrint) && parser.isSet(kPrintToPdf)) {
        *error = QStringLiteral("Give --print or --print-to-pdf, not both.");
        return std::nullopt;
    }
    const QStringList documents = parser.positionalArguments();
    if (documents.size() != 1) {
        *error = QStringLiteral("Name one document to print: veltrix --print doc.vxf, "
                                "or veltrix --print-to-pdf out.pdf doc.vxf.");
        return std::nullopt;
    }
    PrintRequest request{documents.first(), parser.value(kPrintToPdf)};
    if (parser.isSet(kPrintToPdf) && request.pdf.isEmpty()) {
        *error = QStringLiteral("--print-to-pdf needs the name of the PDF file.");
        return std::nullopt;
    }
    return request;
}

int PrintOnDefaultPrinter(const SceneState &scene, const std::function<void(const QString &)> &say)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        say(QPrinterInfo::availablePrinters().isEmpty()
                ? QStringLiteral("No printer is installed: nothing was printed.  --print-to-pdf FILE prints "
                                 "into a PDF file.")
                : QStringLiteral("No printer is chosen as the default: nothing was printed."));
        return PrintFailed;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(PrintJobName());
    QString error;
    QStringList leftOut;
    if (!PrintScene(printer, scene, std::nullopt, &error, &leftOut)) {
        say(error);
        return PrintFailed;
    }
    for (const QString &note : leftOut)
        say(QStringLiteral("note: ") + note);
    return PrintDone;
}

} // namespace

bool AsksForPrint(const QStringList &arguments)
{
    for (int k = 1; k < arguments.size(); ++k) {
        const QString &a = arguments[k];
        if (a == QLatin1String("--"))
            return false;
        for (const QString &option : {kPrint, kPrintToPdf})
            for (const QString &dashes : {QStringLiteral("-"), QStringLiteral("--")})
                if (a == dashes + option || (option == kPrintToPdf && a.startsWith(dashes + option + '=')))
                    return true;
    }
    return false;
}

int PrintFromCommandLine(const QStringList &arguments, const std::function<void(const QString &)> &say)
{
    QString error;
    const std::optional<PrintRequest> request = ReadArguments(arguments, &error);
    if (!request) {
        say(error);
        return PrintUsageError;
    }
    CVeltrix2Doc doc;
    const ReadOutcome outcome = doc.Open(request->document, &error);
    if (outcome != ReadOutcome::Ok) {
        say(ReadFailureLine(request->document, outcome, error));
        return PrintDocumentUnreadable;
    }
    const SceneState scene = SavedScene(doc, kViewWidth, kViewHeight, ViewPreferences::Load(QSettings()));
    if (request->pdf.isEmpty())
        return PrintOnDefaultPrinter(scene, say);

    // The paper and margins a printer of this place gives a PDF file.
    const QPrinter paper(QPrinter::HighResolution);
    QStringList leftOut;
    if (!PrintSceneToPdf(request->pdf, scene, paper.pageLayout().pageSize(), &error, &leftOut)) {
        say(error);
        return PrintFailed;
    }
    for (const QString &note : leftOut)
        say(QStringLiteral("note: ") + note);
    return PrintDone;
}
