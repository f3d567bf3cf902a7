#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QWidget>

#include "model/FunctionVariable.h"

class CVeltrix2Doc;
class DocumentHistory;
class QGridLayout;
class QLabel;
class QSlider;

// The "Parameters" pane: one slider per parameter of a function (the tree's
// selected one), over the parameter's range in its steps, with the value
// beside it.  Dragging sets the value as the slider moves and asks for the
// function to be drawn again (Previewed), as an animation does; releasing
// records the one change "Change value of <name>" on the document's undo
// history.  Arrow keys step, Page Up and Page Down jump, each a change of
// its own.  The pane follows the document: values the tree, an undo or an
// animation set show at once.
class ParameterPanel : public QWidget {
    Q_OBJECT
public:
    explicit ParameterPanel(CVeltrix2Doc *doc, QWidget *parent = nullptr);

    // The function whose parameters are shown; -1 for none.
    void ShowFunction(int32_t handle);
    int32_t Function() const { return function_; }
    // While a trace or an animation runs the functions' variables are theirs:
    // the sliders follow but cannot be moved.
    void SetLocked(bool locked);

    // The parameters shown, in the library's order, and their controls.
    int RowCount() const { return int(rows_.size()); }
    QSlider *Slider(int row) const { return rows_[size_t(row)].slider; }
    QLabel *ValueLabel(int row) const { return rows_[size_t(row)].value; }
    std::string Name(int row) const { return rows_[size_t(row)].variable.name; }
    // What the pane says when there is no slider to show.
    QString Note() const;

    // How many steps Page Up and Page Down jump for `steps` in all.
    static int PageStep(int32_t steps);

signals:
    // A drag gave the function `handle` a new value: draw it again soon.
    void Previewed(int handle);

private:
    struct Row {
        FunctionVariable variable;   // range and steps as last read
        QLabel *name = nullptr;
        QSlider *slider = nullptr;
        QLabel *value = nullptr;
        double before = 0;           // the value when a drag began
    };

    void Sync();
    void BuildRows(const std::vector<FunctionVariable> &parameters);
    void ClearRows();
    void ShowRow(Row &row, const FunctionVariable &v);
    void OnValueChanged(size_t index, int step);
    void OnPressed(size_t index);
    void OnReleased(size_t index);
    void Record(const std::string &name, double from, double to);
    void OnViewsNeedUpdate(QObject *sender, int hint);

    CVeltrix2Doc *doc_;
    DocumentHistory &history_;
    int32_t function_ = -1;
    bool locked_ = false;
    bool syncing_ = false;
    std::vector<Row> rows_;
    QGridLayout *grid_ = nullptr;
    QLabel *note_ = nullptr;
};
