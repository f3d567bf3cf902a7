#include "ViewPreferences.h"

#include <QAction>
#include <QSettings>

#include "ContourDialog.h"
#include "tree/Prompter.h"
#include "view3d/GLView.h"

namespace {
const QString kSmoothLines = QStringLiteral("View/SmoothLines");
const QString kShadedSurfaces = QStringLiteral("View/ShadedSurfaces");
const QString kColorLegend = QStringLiteral("View/ColourLegend");
const QString kContourLines = QStringLiteral("View/ContourLines");
const QString kContourLevels = QStringLiteral("View/ContourLevels");
const QString kContourFloor = QStringLiteral("View/ContourFloor");

// What the store says of the contour lines: on or off, and the choice.
struct StoredContours {
    bool on = false;
    ContourOptions choice{kDefaultContourLevels, false};
};

StoredContours LoadContours(const QSettings &store)
{
    StoredContours c;
    c.on = store.value(kContourLines, false).toBool();
    bool ok = false;
    const int levels = store.value(kContourLevels, kDefaultContourLevels).toInt(&ok);
    c.choice.levels = ok && levels >= 1 && levels <= kMaxContourLevels ? levels : kDefaultContourLevels;
    c.choice.floor = store.value(kContourFloor, false).toBool();
    return c;
}
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
    const StoredContours contours = LoadContours(QSettings());
    contourChoice_ = contours.choice;
    contours_ = MakeToggle(QStringLiteral("Co&ntour Lines"),
                           QStringLiteral("Draw lines of equal value on the surfaces z(x,y)\nContour Lines"), contours.on);
    contourOptions_ = new QAction(QStringLiteral("Contour &Options..."), this);
    contourOptions_->setStatusTip(
        QStringLiteral("Choose how many contour lines are drawn and whether they show on the cube's floor"));
    connect(contourOptions_, &QAction::triggered, this, &ViewPreferences::ChooseContours);
    view_->SetRenderOptions(Current());
}

void ViewPreferences::ChooseContours()
{
    ContourDialog dialog(contourChoice_, view_->window());
    if (!Prompter::Current().Run(dialog))
        return;
    contourChoice_ = dialog.Options();
    // Choosing options means wanting to see them.
    if (!contours_->isChecked())
        contours_->setChecked(true);   // saves and redraws
    else
        Changed();
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
    if (contours_ && contours_->isChecked())
        o.contours = contourChoice_;
    return o;
}

void ViewPreferences::Changed()
{
    const RenderOptions options = Current();
    QSettings store;
    Save(store, options);
    store.setValue(kContourLines, contours_->isChecked());
    store.setValue(kContourLevels, contourChoice_.levels);
    store.setValue(kContourFloor, contourChoice_.floor);
    store.sync();
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
    const StoredContours contours = LoadContours(store);
    if (contours.on)
        o.contours = contours.choice;
    return o;
}

void ViewPreferences::Save(QSettings &store, const RenderOptions &options)
{
    store.setValue(kSmoothLines, options.smoothLines);
    store.setValue(kShadedSurfaces, options.shadedSurfaces);
    store.setValue(kColorLegend, options.colorLegend);
    store.sync();
}
