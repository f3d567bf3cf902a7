// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlotStart.h"

#include <QCommandLineParser>

#include "model/CVeltrix2Doc.h"
#include "model/CommandLinePlot.h"

bool AsksForPlot(const QStringList &arguments)
{
    for (int k = 1; k < arguments.size(); ++k) {
        const QString &a = arguments[k];
        if (a == QLatin1String("-e") || a == QLatin1String("--e") || a.startsWith(QLatin1String("-e=")))
            return true;
    }
    return false;
}

bool StartWithPlot(CVeltrix2Doc &doc, const QStringList &arguments, QString *message)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    AddPlotOptions(parser);
    PlotRequest request;
    if (!parser.parse(arguments)) {
        *message = parser.errorText();
        return false;
    }
    if (!ReadPlotOptions(parser, &request, message))
        return false;
    if (!parser.positionalArguments().isEmpty()) {
        *message = QStringLiteral("Give a document or -e definitions, not both.");
        return false;
    }
    PlotRefusal refusal;
    if (!BuildPlot(doc, request, &refusal)) {
        *message = (refusal.definition >= 0 ? QStringLiteral("-e: ") : QString()) + refusal.Describe();
        return false;
    }
    doc.SetModifiedFlag(false);
    return true;
}
