// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class CVeltrix2Doc;

// A document as JSON, for scripts: its view settings and camera, and per
// function its label, definition, visibility, mode, colours, angle unit and
// variables (value, range and steps; the constants e and pi included, as
// the library lists them).  Colours are "#rrggbb"; texts are UTF-8; numbers
// are written so that they read back exactly, and a number that is not
// finite as null.  Everything a .vxf file holds is here, so that a script
// can rebuild the document from it.
QByteArray DocumentInfoJson(const CVeltrix2Doc &doc, const QString &fileName);
