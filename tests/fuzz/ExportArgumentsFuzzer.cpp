// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The exporter's command line: arguments decoded from bytes, parsed, and a
// plot given with -e built into a document with its --set values, as the
// program does before it renders anything.
//
// Input: the arguments after the program's name, each ended by a NUL.

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <QFile>

#include "ExportOptions.h"
#include "FuzzSupport.h"
#include "ParameterSetting.h"
#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/FunctionDefinition.h"
#include "model/LibraryFunction.h"
#include "qel/qel.h"

namespace {

void CheckOptions(const ExportOptions &o)
{
    if (o.help || o.version)
        return;
    FUZZ_CHECK(o.document.isEmpty() != o.plot.IsEmpty(), "a document or a plot, never both");
    FUZZ_CHECK(!o.output.isEmpty() || !o.save.isEmpty() || o.info, "something to do");
    FUZZ_CHECK(o.frames >= 0 && o.frames <= kMaxFrames, "frames within bounds");
    FUZZ_CHECK(o.fps >= 1 && o.fps <= 240, "pictures a second within bounds");
    FUZZ_CHECK(o.size.width() > 0 && o.size.height() > 0, "a size with area");
    for (const ParameterValue &p : o.parameters)
        FUZZ_CHECK(!p.name.isEmpty() && std::isfinite(p.value), "a parameter with a name and a number");
    if (o.format == ExportFormat::Video && o.video != VideoFormat::Gif)
        FUZZ_CHECK(o.size.width() % 2 == 0 && o.size.height() % 2 == 0, "films of even sizes");
    if (o.frames > 0)
        FUZZ_CHECK(o.format == ExportFormat::Picture || o.format == ExportFormat::Video, "frames of pictures or films");
    for (const QString &name : {o.output, o.save})
        for (QChar c : name)
            FUZZ_CHECK(c.category() != QChar::Other_Control, "no control character in a file name");
}

void CheckPlot(const ExportOptions &o)
{
    if (o.plot.IsEmpty() || o.plot.definitions.size() > 100)
        return;
    CVeltrix2Doc doc;
    PlotRefusal refusal;
    if (!BuildPlot(doc, o.plot, &refusal)) {
        FUZZ_CHECK(doc.Count() == 0, "a refused plot adds nothing");
        FUZZ_CHECK(!refusal.message.isEmpty(), "a refusal says why");
        if (refusal.hasPosition)
            FUZZ_CHECK(refusal.start >= 0 && refusal.start <= refusal.end && refusal.end <= refusal.text.size(),
                       "the position lies in the definition");
        refusal.Describe();
        const int32_t probe = new_function();
        FUZZ_CHECK(probe == 0, "a refused plot leaves no library function behind");
        delete_all();
        return;
    }
    FUZZ_CHECK(doc.Count() == o.plot.definitions.size(), "one function a definition");
    for (const ParameterValue &p : o.parameters) {
        std::vector<std::vector<FunctionVariable>> before;
        for (int i = 0; i < doc.Count(); ++i)
            before.push_back(LibraryFunction(doc.Get(i).handle).Variables());
        QString error;
        const bool set = SetParameter(doc, p, &error);
        FUZZ_CHECK(set || !error.isEmpty(), "a refused --set says why");
        std::string name;
        ToCp1252(p.name, &name);
        for (int i = 0; i < doc.Count(); ++i) {
            const auto after = LibraryFunction(doc.Get(i).handle).Variables();
            FUZZ_CHECK(after.size() == before[size_t(i)].size(), "--set keeps the variables");
            for (size_t k = 0; k < after.size(); ++k) {
                const FunctionVariable &a = after[k], &b = before[size_t(i)][k];
                const bool changed = std::memcmp(&a.value, &b.value, sizeof a.value) != 0;
                FUZZ_CHECK(!changed || (set && a.name == name && a.value == p.value),
                           "--set changes only the parameter it names, and only when accepted");
                FUZZ_CHECK(a.min == b.min && a.max == b.max && a.steps == b.steps, "--set keeps the ranges");
            }
        }
    }
    doc.Clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    std::vector<std::string> pieces{"veltrix-export"};
    while (!in.AtEnd() && pieces.size() < 64)
        pieces.push_back(in.Until('\0'));
    std::vector<char *> argv;
    for (std::string &piece : pieces)
        argv.push_back(piece.data());

    QStringList arguments;
    QString error;
    if (!DecodeArguments(int(argv.size()), argv.data(), &arguments, &error)) {
        FUZZ_CHECK(!error.isEmpty(), "a refused argument is named");
        return 0;
    }
    FUZZ_CHECK(arguments.size() == int(pieces.size()), "every argument decoded");
    for (size_t i = 0; i < pieces.size(); ++i)
        FUZZ_CHECK(QFile::encodeName(arguments[int(i)]).toStdString() == pieces[i].c_str(),
                   "a decoded argument names the same bytes");

    ExportOptions options;
    if (!ParseExportArguments(arguments, options, &error)) {
        FUZZ_CHECK(!error.isEmpty(), "a refused command line says why");
        return 0;
    }
    CheckOptions(options);
    ExportOptions again;
    FUZZ_CHECK(ParseExportArguments(arguments, again, &error), "parsing is repeatable");
    FUZZ_CHECK(again.output == options.output && again.format == options.format && again.frames == options.frames,
               "and gives the same options");
    CheckPlot(options);
    return 0;
}
