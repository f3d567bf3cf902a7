// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "model/ViewSettings.h"
#include "tree/ExchangeDialog.h"

class AxesPage;
class BackgroundPage;
class LimitsPage;
class MiscPage;
class ProjectionPage;
class QTabWidget;
class SettingsPage;
class TracePage;

// The "Settings" dialog: six pages of the scene and program options.  The
// caller presets `settings`, runs the dialog and, when it ends with OK,
// takes `settings` back: every page read, then out-of-range values
// replaced by their defaults.  The camera rows pass through untouched.
class SettingsDialog : public ExchangeDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget *parent = nullptr);

    ViewSettings settings;
    // What OK corrected, as "near plane 0 → 0.0001": a field as typed and
    // the value it was given instead; empty when nothing was corrected.
    QStringList corrections;

    QTabWidget *Tabs() const { return tabs_; }
    ProjectionPage *Projection() const { return projection_; }
    BackgroundPage *Background() const { return background_; }
    LimitsPage *Limits() const { return limits_; }
    AxesPage *Axes() const { return axes_; }
    TracePage *Trace() const { return trace_; }
    MiscPage *Misc() const { return misc_; }

protected:
    // The first page selected and every page filled from `settings`.
    void LoadFields() override;
    // Refuses (staying open) only an axis label the document cannot store;
    // a field that does not read is reported and keeps its value, and the
    // dialog still closes.
    bool SaveFields() override;

private:
    template <class Page>
    Page *AddPage(const QString &title);

    QTabWidget *tabs_;
    ProjectionPage *projection_;
    BackgroundPage *background_;
    LimitsPage *limits_;
    AxesPage *axes_;
    TracePage *trace_;
    MiscPage *misc_;
    QList<SettingsPage *> pages_;
};

// The fields that `corrected` holds otherwise than `typed`, in the order of
// the pages, each as its caption, the typed value and the one it became.
QStringList SettingsCorrections(const ViewSettings &typed, const ViewSettings &corrected);
