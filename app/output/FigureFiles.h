// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

struct SceneState;

// The scene as a vector figure of `size` pixels (at 96 dpi), as the view
// shows it from the scene's camera: an SVG file, or a PDF file of one page
// that size.  Written through a temporary file; false with a message in
// `error` naming the file and the reason.  `leftOut` (when given) receives
// why shown functions are missing.  Needs a QGuiApplication.
bool WriteSvgFigure(const QString &path, const SceneState &scene, QSize size, QString *error,
                    QStringList *leftOut = nullptr);
bool WritePdfFigure(const QString &path, const SceneState &scene, QSize size, QString *error,
                    QStringList *leftOut = nullptr);

// Whether a file suffix (any case) names a figure format: svg.
bool IsFigureSuffix(const QString &suffix);
