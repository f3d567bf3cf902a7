#include "CommandLinePlot.h"

#include <cmath>
#include <optional>

#include <QCommandLineParser>
#include <QLocale>
#include <QRegularExpression>

#include "CVeltrix2Doc.h"
#include "CodePage1252.h"
#include "FunctionDefinition.h"
#include "GridSize.h"
#include "LibraryFunction.h"
#include "qel/qel.h"

namespace {

const QString kDefine = QStringLiteral("e");
const QString kLabel = QStringLiteral("label");
const QString kRange = QStringLiteral("range");
const QString kSteps = QStringLiteral("steps");
const QString kMode = QStringLiteral("mode");
const QString kColors = QStringLiteral("colors");
const QString kAngle = QStringLiteral("angle");

bool Fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool Refuse(PlotRefusal *refusal, const QString &message)
{
    if (refusal)
        *refusal = PlotRefusal{message, QString(), -1, false, 0, 0};
    return false;
}

// "NAME=VALUE" split at the first '='; false without a name.
bool SplitAssignment(const QString &text, QString *name, QString *value)
{
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return false;
    *name = text.left(equals).trimmed();
    *value = text.mid(equals + 1).trimmed();
    return !name->isEmpty();
}

bool ReadNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(*value);
}

bool ReadRange(const QString &text, PlotRequest::Range *range)
{
    QString value;
    if (!SplitAssignment(text, &range->name, &value))
        return false;
    // The colon after the first character: "-3:3" starts with a sign.
    const int colon = value.indexOf(QLatin1Char(':'), 1);
    return colon > 0 && ReadNumber(value.left(colon).trimmed(), &range->min) &&
           ReadNumber(value.mid(colon + 1).trimmed(), &range->max);
}

bool ReadSteps(const QString &text, PlotRequest::Steps *steps)
{
    QString value;
    if (!SplitAssignment(text, &steps->name, &value))
        return false;
    bool ok = false;
    steps->steps = value.toInt(&ok);
    return ok;
}

// RRGGBB, as web pages write colours, with or without '#'.
bool ReadColor(QString text, Color *color)
{
    static const QRegularExpression pattern(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const uint rgb = m.captured(1).toUInt(nullptr, 16);
    *color = MakeColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
    return true;
}

int32_t AngleFromName(const QString &name)
{
    const QString n = name.toLower();
    if (n == QLatin1String("deg"))
        return Degrees;
    if (n == QLatin1String("rad"))
        return Radians;
    if (n == QLatin1String("gra"))
        return Grads;
    return -1;
}

// The definition's bytes in the document's code page.
bool DocumentBytes(const QString &text, std::string *bytes, QString *refusal)
{
    QString offending;
    if (ToCp1252(text, bytes, &offending))
        return true;
    *refusal = Cp1252Refusal(offending);
    return false;
}

// Applies `change` to the variable `name` of every function that has it
// (the constants e and pi are no variables here); false when none has.
template <typename Change>
bool ForEachVariable(const std::vector<FunctionRecord> &records, const QString &name, Change change)
{
    const std::string bytes = name.toStdString();
    bool found = false;
    for (const FunctionRecord &r : records) {
        const LibraryFunction function(r);
        const std::optional<FunctionVariable> v =
            LibraryFunction::IsConstant(bytes) ? std::nullopt : function.Variable(bytes);
        if (!v)
            continue;
        found = true;
        if (!change(r, function, *v))
            return true;
    }
    return found;
}

} // namespace

void AddPlotOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        QCommandLineOption(kDefine, QString(), QStringLiteral("DEFINITION")),
        QCommandLineOption(kLabel, QString(), QStringLiteral("TEXT")),
        QCommandLineOption(kRange, QString(), QStringLiteral("NAME=MIN:MAX")),
        QCommandLineOption(kSteps, QString(), QStringLiteral("NAME=N")),
        QCommandLineOption(kMode, QString(), QStringLiteral("MODE")),
        QCommandLineOption(kColors, QString(), QStringLiteral("RRGGBB[,RRGGBB]")),
        QCommandLineOption(kAngle, QString(), QStringLiteral("UNIT")),
    });
}

bool ReadPlotOptions(const QCommandLineParser &parser, PlotRequest *request, QString *error)
{
    *request = PlotRequest();
    request->definitions = parser.values(kDefine);
    if (request->definitions.isEmpty()) {
        for (const QString &option : {kLabel, kRange, kSteps, kMode, kColors, kAngle})
            if (parser.isSet(option))
                return Fail(error, QStringLiteral("--%1 is for plots made with -e.").arg(option));
        return true;
    }
    request->labels = parser.values(kLabel);
    if (request->labels.size() > request->definitions.size())
        return Fail(error, QStringLiteral("%1 labels for %2 definitions.")
                               .arg(request->labels.size())
                               .arg(request->definitions.size()));
    for (const QString &text : parser.values(kRange)) {
        PlotRequest::Range range;
        if (!ReadRange(text, &range))
            return Fail(error, QStringLiteral("--range %1 is not NAME=MIN:MAX, such as x=-3:3.").arg(text));
        request->ranges << range;
    }
    for (const QString &text : parser.values(kSteps)) {
        PlotRequest::Steps steps;
        if (!ReadSteps(text, &steps))
            return Fail(error, QStringLiteral("--steps %1 is not NAME=N, such as x=100.").arg(text));
        request->steps << steps;
    }
    if (parser.isSet(kMode)) {
        request->mode = ModeFromName(parser.value(kMode));
        if (request->mode < 0)
            return Fail(error, QStringLiteral("--mode %1 is unknown: use wire, filled, chess or gradient.")
                                   .arg(parser.value(kMode)));
    }
    if (parser.isSet(kColors)) {
        const QStringList colors = parser.value(kColors).split(QLatin1Char(','));
        if (colors.size() > 2 || !ReadColor(colors.value(0), &request->color1) ||
            (colors.size() == 2 && !ReadColor(colors.value(1), &request->color2)))
            return Fail(error, QStringLiteral("--colors %1 is not one or two colours such as FF0000,0000FF.")
                                   .arg(parser.value(kColors)));
    }
    if (parser.isSet(kAngle)) {
        request->angleMode = AngleFromName(parser.value(kAngle));
        if (request->angleMode < 0)
            return Fail(error, QStringLiteral("--angle %1 is unknown: use deg, rad or gra.").arg(parser.value(kAngle)));
    }
    return true;
}

QString PlotOptionsUsage()
{
    return QStringLiteral(
        "  -e DEFINITION        plot a function, as Add Function does: z(x,y)=cosx*siny,\n"
        "                       or the surface where an expression is 0:\n"
        "                       0(x,y,z)=x^2+y^2+z^2-4\n"
        "                       (may be repeated; instead of a document)\n"
        "  --label TEXT         label of the next -e function (default: its definition)\n"
        "  --range NAME=MIN:MAX range of the variable NAME in every -e function\n"
        "  --steps NAME=N       steps of the variable NAME in every -e function\n"
        "  --mode MODE          wire (default), filled, chess or gradient\n"
        "  --colors C1[,C2]     colours 1 and 2 as RRGGBB (default FFFFFF,000000)\n"
        "  --angle UNIT         angle unit of the -e functions: deg, rad (default) or gra\n");
}

int32_t ModeFromName(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("wire") || n == QLatin1String("wire frame") || n == QLatin1String("wireframe"))
        return WireFrame;
    if (n == QLatin1String("filled") || n == QLatin1String("filled polygons"))
        return FilledPolygons;
    if (n == QLatin1String("chess") || n == QLatin1String("chess board"))
        return ChessBoard;
    if (n == QLatin1String("gradient"))
        return Gradient;
    return -1;
}

QString RangeRefusal(double min, double max)
{
    return min <= max ? QString() : QStringLiteral("The value \"max\" must be greater or equal than the value \"min\"");
}

QString StepsRefusal(int32_t handle, const std::string &text, const std::string &name, int32_t steps)
{
    if (steps <= 0)
        return QStringLiteral("Insert a value grater than 0");
    return GridTooLargeMessage(handle, text, name, steps);
}

QString PlotRefusal::Describe() const
{
    if (text.isEmpty() || !hasPosition)
        return message;
    // The caret stands where the text dialog puts it; a selection is
    // underlined from its start.
    const int from = std::clamp(start, 0, int(text.size()));
    const int width = std::max(1, std::min(end, int(text.size())) - from);
    return message + QStringLiteral("\n    ") + text + QStringLiteral("\n    ") + QString(from, QLatin1Char(' ')) +
           QLatin1Char('^') + QString(width - 1, QLatin1Char('~'));
}

bool BuildPlot(CVeltrix2Doc &doc, const PlotRequest &request, PlotRefusal *refusal)
{
    std::vector<FunctionRecord> records;
    // A refusal takes back what was compiled before it.
    auto release = [&records] {
        for (const FunctionRecord &r : records)
            delete_function(r.handle);
    };
    for (int k = 0; k < request.definitions.size(); ++k) {
        const QString &definition = request.definitions[k];
        FunctionRecord record;
        QString message;
        const QString label = k < request.labels.size() ? request.labels[k] : definition.left(kMaxLabelLength);
        if (!DocumentBytes(label, &record.label, &message) || !(message = CheckLabel(record.label)).isEmpty() ||
            !DocumentBytes(definition, &record.text, &message)) {
            release();
            if (refusal)
                *refusal = PlotRefusal{message, definition, k, false, 0, 0};
            return false;
        }
        const DefinitionOutcome outcome = CompileNewFunction(record.text, request.angleMode);
        if (!outcome.ok) {
            release();
            if (refusal)
                *refusal = PlotRefusal{outcome.message, definition, k, outcome.hasSelection, outcome.selectionStart,
                                       outcome.selectionEnd};
            return false;
        }
        record.handle = outcome.handle;
        record.mode = request.mode;
        record.color1 = request.color1;
        record.color2 = request.color2;
        records.push_back(record);
    }

    for (const PlotRequest::Range &range : request.ranges) {
        QString message = RangeRefusal(range.min, range.max);
        const auto setRange = [&](const FunctionRecord &, const LibraryFunction &f, FunctionVariable v) {
            v.min = range.min;
            v.max = range.max;
            if (v.value < v.min || v.value > v.max)
                v.value = v.min;
            f.Write(v);
            return true;
        };
        const bool found = message.isEmpty() && ForEachVariable(records, range.name, setRange);
        if (message.isEmpty() && !found)
            message = QStringLiteral("--range %1: no function has a variable named %1.").arg(range.name);
        if (!message.isEmpty()) {
            release();
            return Refuse(refusal, message);
        }
    }
    for (const PlotRequest::Steps &steps : request.steps) {
        QString message;
        const auto setSteps = [&](const FunctionRecord &r, const LibraryFunction &f, FunctionVariable v) {
            message = StepsRefusal(r.handle, r.text, steps.name.toStdString(), steps.steps);
            if (!message.isEmpty())
                return false;
            v.steps = steps.steps;
            f.Write(v);
            return true;
        };
        const bool found = ForEachVariable(records, steps.name, setSteps);
        if (message.isEmpty() && !found)
            message = QStringLiteral("--steps %1: no function has a variable named %1.").arg(steps.name);
        if (!message.isEmpty()) {
            release();
            return Refuse(refusal, message);
        }
    }
    for (const FunctionRecord &r : records)
        doc.Add(r);
    return true;
}
