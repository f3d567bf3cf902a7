#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "FunctionRecord.h"

class CVeltrix2Doc;
class QCommandLineParser;

// A plot asked for on the command line (-e DEFINITION ...): the functions
// to add, as the add-function command would, and what to change in them.
struct PlotRequest {
    struct Range {
        QString name;
        double min = 0, max = 0;
    };
    struct Steps {
        QString name;
        int32_t steps = 0;
    };

    QStringList definitions;   // in the order given
    QStringList labels;        // for the first definitions; the rest are labelled by their text
    QList<Range> ranges;       // for every function that has the variable
    QList<Steps> steps;
    int32_t mode = WireFrame;
    Color color1 = 0xFFFFFF, color2 = 0x000000;
    int32_t angleMode = 1;     // radians, as the text dialog starts

    bool IsEmpty() const { return definitions.isEmpty(); }
};

// The options -e, --label, --range, --steps, --mode, --colors and --angle,
// added to a parser; both programs take them.
void AddPlotOptions(QCommandLineParser &parser);
// Reads them after parsing.  False with a message for values that are not
// of their form (a range as NAME=MIN:MAX, a colour as RRGGBB, ...); true
// with an empty request when no -e was given (then the other options are
// refused).
bool ReadPlotOptions(const QCommandLineParser &parser, PlotRequest *request, QString *error);
// The lines of --help that describe them.
QString PlotOptionsUsage();

// Why a plot was refused: the message the program shows for it and, when it
// concerns a definition, that definition and the characters [start, end)
// the text dialog would select (a caret where start == end).
struct PlotRefusal {
    QString message;
    QString text;              // the definition, empty for other refusals
    int definition = -1;       // its index in the request
    bool hasPosition = false;
    int start = 0, end = 0;

    // The message, then the text with the position marked under it, as a
    // compiler shows an error: "  z (x,y)=x" over "     ^".
    QString Describe() const;
};

// Adds the request's functions to `doc` through the add-function flow's
// checks and compilation (same messages, same defaults), then applies the
// ranges, steps, mode and colours.  On a refusal nothing is added.
bool BuildPlot(CVeltrix2Doc &doc, const PlotRequest &request, PlotRefusal *refusal);

// The range and steps commands' refusals: empty when accepted.
QString RangeRefusal(double min, double max);
QString StepsRefusal(int32_t handle, const std::string &text, const std::string &name, int32_t steps);

// Names of the modes as the command line takes them: "wire", "filled",
// "chess", "gradient" (or the tree's names); -1 when unknown.
int32_t ModeFromName(const QString &name);
