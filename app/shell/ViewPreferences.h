// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>

#include "view3d/RenderOptions.h"

class GLView;
class QAction;
class QSettings;

// How the 3D view draws, as the user likes it: View > "Smooth Lines",
// "Shaded Surfaces" and "Colour Legend".  Kept per user in the settings
// store (documents do not carry them) and handed to the view, whose
// prints and exports draw the same way.
class ViewPreferences : public QObject {
    Q_OBJECT
public:
    // Reads the store and gives the view its options at once.
    ViewPreferences(GLView *view, QObject *parent);

    // The three check items, in menu order.
    QList<QAction *> Actions() const { return {smoothLines_, shaded_, legend_}; }
    RenderOptions Current() const;

    // What the store holds; a user who never chose has smooth lines on.
    static RenderOptions Load(const QSettings &store);
    static void Save(QSettings &store, const RenderOptions &options);

private:
    QAction *MakeToggle(const QString &text, const QString &prompt, bool checked);
    void Changed();

    GLView *view_;
    QAction *smoothLines_ = nullptr;
    QAction *shaded_ = nullptr;
    QAction *legend_ = nullptr;
};
