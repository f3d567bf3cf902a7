// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

class CVeltrix2Doc;

// A start such as `veltrix -e 'z(x,y)=cosx*siny' --mode gradient`: the
// program opens with those functions in an untitled, unmodified document.

// Whether the arguments (the program's name first) ask for a plot.
bool AsksForPlot(const QStringList &arguments);

// Puts the plot the arguments ask for into `doc` through the add-function
// flow.  False, with the message (and the refused definition marked under
// its text) in `message`, for arguments or definitions that are refused;
// the program then ends with the exporter's status for it, 3.
bool StartWithPlot(CVeltrix2Doc &doc, const QStringList &arguments, QString *message);

constexpr int kPlotRefusedStatus = 3;
