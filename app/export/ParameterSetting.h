// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class CVeltrix2Doc;
struct ParameterValue;

// Gives the parameter of every function of `doc` that has one of that name
// (a variable other than the two it is plotted over and the constants e and
// pi) the value, as the tree's value command does.  Refused with a message,
// changing nothing, when no function has such a parameter or the value lies
// outside its range in one of them.
bool SetParameter(const CVeltrix2Doc &doc, const ParameterValue &parameter, QString *error);
