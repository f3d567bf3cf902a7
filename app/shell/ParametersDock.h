#pragma once

#include <QDockWidget>

class CVeltrix2Doc;
class ParameterPanel;
class QAction;
class QSettings;

// The dockable "Parameters" pane of the main window.  Shown or hidden by
// View > Parameters (`toggle`), which it keeps checked while it is shown;
// hidden at first for a user who never chose, and kept per user in the
// settings store as the user leaves it.
class ParametersDock : public QDockWidget {
    Q_OBJECT
public:
    ParametersDock(CVeltrix2Doc *doc, QAction *toggle, QWidget *parent);

    ParameterPanel *Panel() const { return panel_; }
    // Shows or hides the pane as the store says.
    void Restore();

    static bool Load(const QSettings &store);
    static void Save(QSettings &store, bool shown);

protected:
    // The pane's own close button: the user's choice as much as the menu's.
    void closeEvent(QCloseEvent *event) override;

private:
    void Choose(bool shown);

    ParameterPanel *panel_;
    QAction *toggle_;
};
