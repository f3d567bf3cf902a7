#include "ViewPreferences.h"

#include <QAction>
#include <QSettings>

#include "view3d/GLView.h"

namespace {
const QString kSmoothLines = QStringLiteral("View/SmoothLines");
const QString kShadedSurfaces = QStringLiteral("View/ShadedSurfaces");
const QString kColorLegend = QStringLiteral("View/ColourLegend");
}  // namespace

ViewPreferences::ViewPreferences(GLView *view, QObject *parent) : QObject(parent), view_(view)
{
    const RenderOptions stored = Load(QSettings());
    smoothLines_ = MakeToggle(QStringLiteral("Smooth &Lines"),
                              QStringLiteral("Draw lines and edges without jagged steps\nSmooth Lines"),
                              stored.smoothLines);
    shaded_ = MakeToggle(QStringLiteral("S&haded Surfaces"),
                         QStringLiteral("Light filled surfaces from the eye, so that their shape shows\n"
                                        "Shaded Surfaces"),
                         stored.shadedSurfaces);
    legend_ = MakeToggle(QStringLiteral("&Colour Legend"),
                         QStringLiteral("Show the values of the gradient colours in a corner of the scene\n"
                                        "Colour Legend"),
                         stored.colorLegend);
    view_->SetRenderOptions(stored);
}

QAction *ViewPreferences::MakeToggle(const QString &text, const QString &prompt, bool checked)
{
    auto *action = new QAction(text, this);
    action->setCheckable(true);
    action->setChecked(checked);
    action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
    action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
    connect(action, &QAction::toggled, this, &ViewPreferences::Changed);
    return action;
}

RenderOptions ViewPreferences::Current() const
{
    RenderOptions o;
    o.smoothLines = smoothLines_->isChecked();
    o.shadedSurfaces = shaded_->isChecked();
    o.colorLegend = legend_->isChecked();
    return o;
}

void ViewPreferences::Changed()
{
    const RenderOptions options = Current();
    QSettings store;
    Save(store, options);
    view_->SetRenderOptions(options);
}

RenderOptions ViewPreferences::Load(const QSettings &store)
{
    RenderOptions defaults;
    defaults.smoothLines = true;
    RenderOptions o;
    o.smoothLines = store.value(kSmoothLines, defaults.smoothLines).toBool();
    o.shadedSurfaces = store.value(kShadedSurfaces, defaults.shadedSurfaces).toBool();
    o.colorLegend = store.value(kColorLegend, defaults.colorLegend).toBool();
    return o;
}

void ViewPreferences::Save(QSettings &store, const RenderOptions &options)
{
    store.setValue(kSmoothLines, options.smoothLines);
    store.setValue(kShadedSurfaces, options.shadedSurfaces);
    store.setValue(kColorLegend, options.colorLegend);
    store.sync();
}
