#pragma once

#include <string>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "model/CVeltrix2Doc.h"

// Compiles `text`, gives its plotted variables the ranges (x then y, or
// whatever the kind plots) and appends it to the document.
struct Plot {
    std::string label;
    std::string text;
    int mode = WireFrame;
    double min1 = -5, max1 = 5;
    int steps1 = 4;
    double min2 = -5, max2 = 5;
    int steps2 = 4;
    bool visible = true;
    Color color1 = 0xFFFFFF, color2 = 0x000000;
};
bool AddPlot(CVeltrix2Doc &doc, const Plot &plot);

// The bundled example document.
QString TourPath();

QByteArray ReadFileBytes(const QString &path);

// Runs a program; its standard output, or empty with a failed test when it
// does not end well.
QByteArray RunProgram(const QString &program, const QStringList &arguments);
