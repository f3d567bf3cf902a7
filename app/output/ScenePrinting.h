#pragma once

#include <optional>

#include <QString>

#include "output/PrintLayout.h"

class QPagedPaintDevice;
struct SceneState;

// Prints the scene's document on `device`: renders the scene off-screen at
// the size the printer's page allows (within the document's print buffer)
// and draws the pages of `range`, or every page when none is given.  False
// with a message in `error` when nothing could be printed.
bool PrintScene(QPagedPaintDevice &device, const SceneState &scene,
                std::optional<PrintLayout::PageRange> range, QString *error);
