#include "ParametersDock.h"

#include <QAction>
#include <QCloseEvent>
#include <QSettings>

#include "tree/ParameterPanel.h"

namespace {
const QString kShown = QStringLiteral("View/Parameters");
}  // namespace

ParametersDock::ParametersDock(CVeltrix2Doc *doc, QAction *toggle, QWidget *parent)
    : QDockWidget(QStringLiteral("Parameters"), parent), panel_(new ParameterPanel(doc, this)), toggle_(toggle)
{
    setObjectName(QStringLiteral("parametersDock"));
    setWidget(panel_);
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    connect(toggle_, &QAction::triggered, this, &ParametersDock::Choose);
}

void ParametersDock::Restore()
{
    const bool shown = Load(QSettings());
    setVisible(shown);
    toggle_->setChecked(shown);
}

void ParametersDock::Choose(bool shown)
{
    setVisible(shown);
    toggle_->setChecked(shown);
    QSettings store;
    Save(store, shown);
}

void ParametersDock::closeEvent(QCloseEvent *event)
{
    QDockWidget::closeEvent(event);
    if (event->isAccepted())
        Choose(false);
}

bool ParametersDock::Load(const QSettings &store)
{
    return store.value(kShown, false).toBool();
}

void ParametersDock::Save(QSettings &store, bool shown)
{
    store.setValue(kShown, shown);
    store.sync();
}
