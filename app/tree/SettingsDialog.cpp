// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/SettingsDialog.h"

#include <cmath>

#include <QPushButton>
#include <QTabWidget>

#include "model/CodePage1252.h"
#include "tree/FieldExchange.h"
#include "tree/Prompter.h"
#include "tree/SettingsPages.h"

SettingsDialog::SettingsDialog(QWidget *parent) : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("Settings"));
    SetDluSize(287, 193);
    tabs_ = new QTabWidget(this);
    tabs_->setGeometry(Dlu(7, 7, 273, 158));
    projection_ = AddPage<ProjectionPage>(QStringLiteral("3d"));
    background_ = AddPage<BackgroundPage>(QStringLiteral("Background"));
    limits_ = AddPage<LimitsPage>(QStringLiteral("Limits"));
    axes_ = AddPage<AxesPage>(QStringLiteral("Axes"));
    trace_ = AddPage<TracePage>(QStringLiteral("Trace"));
    misc_ = AddPage<MiscPage>(QStringLiteral("Misc."));
    PlaceButtons(166, 172, 230, 172);
    // The buttons follow the pages in the tab chain.
    setTabOrder(tabs_, OkButton());
    setTabOrder(OkButton(), CancelButton());
}

template <class Page>
Page *SettingsDialog::AddPage(const QString &title)
{
    // Made as the dialog's child so that it measures with the dialog's font.
    auto *page = new Page(this);
    tabs_->addTab(page, title);
    pages_.append(page);
    return page;
}

void SettingsDialog::LoadFields()
{
    tabs_->setCurrentIndex(0);
    for (SettingsPage *page : pages_)
        page->Load(settings);
}

bool SettingsDialog::SaveFields()
{
    QString offending;
    const int axis = axes_->RefusedLabel(&offending);
    if (axis >= 0) {
        tabs_->setCurrentWidget(axes_);
        ShowError(this, Cp1252Refusal(offending));
        axes_->SelectInLabel(axis, offending);
        return false;
    }
    for (SettingsPage *page : pages_)
        page->Save(settings);
    const ViewSettings typed = settings;
    ApplySettingsRanges(settings);
    corrections = SettingsCorrections(typed, settings);
    return true;
}

QStringList SettingsCorrections(const ViewSettings &typed, const ViewSettings &corrected)
{
    QStringList said;
    auto number = [&](const char *name, double before, double after) {
        // NaN differs from itself: it was corrected all the same.
        if (!(before == after) && !(std::isnan(before) && std::isnan(after)))
            said << QStringLiteral("%1 %2 → %3")
                        .arg(QLatin1String(name), NumberFieldText(before), NumberFieldText(after));
    };
    number("near plane", typed.nearPlane, corrected.nearPlane);
    number("far plane", typed.farPlane, corrected.farPlane);
    number("field of view", typed.fieldOfView, corrected.fieldOfView);
    number("sensitivity", typed.sensitivity, corrected.sensitivity);
    number("cube dimension", typed.cubeDimension, corrected.cubeDimension);
    number("time interval (ms)", typed.animationIntervalMs, corrected.animationIntervalMs);
    number("max. buffer size (MB)", typed.printBufferMB, corrected.printBufferMB);
    return said;
}
