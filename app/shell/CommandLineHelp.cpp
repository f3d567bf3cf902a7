// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLineHelp.h"

#include "model/CommandLinePlot.h"

HelpRequest AsksForHelp(const QStringList &arguments)
{
    for (int k = 1; k < arguments.size(); ++k) {
        const QString &a = arguments[k];
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("-h") || a == QLatin1String("--help"))
            return HelpRequest::Usage;
        if (a == QLatin1String("--version"))
            return HelpRequest::Version;
    }
    return HelpRequest::None;
}

QString ProgramUsage()
{
    return QStringLiteral("Usage: veltrix [DOC.vxf]\n"
                          "       veltrix -e DEFINITION [-e DEFINITION ...] [plot options]\n"
                          "       veltrix --print DOC.vxf\n"
                          "       veltrix --print-to-pdf OUT.pdf DOC.vxf\n"
                          "\n"
                          "Plots mathematical functions as surfaces and curves in 3D.  With a document\n"
                          "name the program opens it; when Veltrix already runs for this user on this\n"
                          "display, the document is handed to the running program.\n"
                          "\n"
                          "  --print              print the document on the default printer, no window\n"
                          "  --print-to-pdf OUT   print the document into the PDF file OUT, no window\n"
                          "Plot options:\n"
                          "%1"
                          "  -h, --help           show this text\n"
                          "  --version            show the version\n"
                          "\n"
                          "veltrix-export writes pictures, drawings, meshes, figures, films and web\n"
                          "pages without a window.  See veltrix(1) and veltrix-export(1).\n")
        .arg(PlotOptionsUsage());
}

QString ProgramVersion()
{
    return QStringLiteral("veltrix 2.0.0\n");
}
