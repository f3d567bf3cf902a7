#include "tree/ParameterPanel.h"

#include <algorithm>
#include <cmath>

#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include "history/DocumentHistory.h"
#include "history/FunctionCommands.h"
#include "model/CVeltrix2Doc.h"
#include "model/CodePage1252.h"
#include "model/DisplayForms.h"
#include "model/FormatGeneral.h"
#include "model/LibraryFunction.h"

namespace {

// The value at `step` of the variable's grid, as the animation and the trace
// count it.
double ValueAt(const FunctionVariable &v, int step)
{
    return v.steps > 0 ? v.min + step * ((v.max - v.min) / v.steps) : v.min;
}

// The step nearest to the value, within the grid.
int StepOf(const FunctionVariable &v)
{
    if (v.steps <= 0 || !(v.max > v.min))
        return 0;
    const double step = std::round((v.value - v.min) / ((v.max - v.min) / v.steps));
    return std::isfinite(step) ? int(std::clamp(step, 0.0, double(v.steps))) : 0;
}

QString RangeTip(const FunctionVariable &v)
{
    return QStringLiteral("%1 from %2 to %3 in %4 steps")
        .arg(FromCp1252(v.name), FormatGeneral(v.min, 10), FormatGeneral(v.max, 10))
        .arg(v.steps);
}

}  // namespace

ParameterPanel::ParameterPanel(CVeltrix2Doc *doc, QWidget *parent)
    : QWidget(parent), doc_(doc), history_(DocumentHistory::Of(*doc))
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    outer->addWidget(note_);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *inner = new QWidget(scroll);
    auto *column = new QVBoxLayout(inner);
    column->setContentsMargins(0, 0, 0, 0);
    grid_ = new QGridLayout;
    grid_->setColumnStretch(1, 1);
    column->addLayout(grid_);
    column->addStretch(1);
    scroll->setWidget(inner);
    outer->addWidget(scroll, 1);
    // Room for a name, a slider one can aim at and a ten-digit value.
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 28);

    connect(doc_, &CVeltrix2Doc::FunctionChanged, this, [this](int32_t handle) {
        if (handle == function_)
            Sync();
    });
    connect(doc_, &CVeltrix2Doc::FunctionRemoved, this, [this](int32_t handle) {
        if (handle == function_)
            ShowFunction(-1);
    });
    connect(doc_, &CVeltrix2Doc::ContentsReplaced, this, [this] { ShowFunction(-1); });
    connect(doc_, &CVeltrix2Doc::ViewsNeedUpdate, this, &ParameterPanel::OnViewsNeedUpdate);
    Sync();
}

void ParameterPanel::ShowFunction(int32_t handle)
{
    if (handle == function_)
        return;
    function_ = handle;
    ClearRows();
    Sync();
}

void ParameterPanel::SetLocked(bool locked)
{
    locked_ = locked;
    for (Row &row : rows_)
        row.slider->setEnabled(!locked_ && row.variable.steps > 0);
}

QString ParameterPanel::Note() const
{
    return note_->isVisible() ? note_->text() : QString();
}

int ParameterPanel::PageStep(int32_t steps)
{
    return std::max(1, steps / 10);
}

void ParameterPanel::OnViewsNeedUpdate(QObject *, int hint)
{
    // A trace, an animation or a preview moved values (their handle), or
    // anything may have changed (-1).
    if (hint == function_ || hint < 0)
        Sync();
}

// Shows what the library holds now: the same parameters keep their rows,
// others get new ones.
void ParameterPanel::Sync()
{
    const int position = function_ >= 0 ? doc_->Find(function_) : -1;
    if (function_ >= 0 && position < 0) {
        function_ = -1;
        ClearRows();
    }
    std::vector<FunctionVariable> parameters;
    if (position >= 0)
        parameters = LibraryFunction(doc_->Get(position)).Parameters();

    bool sameNames = parameters.size() == rows_.size();
    for (size_t k = 0; sameNames && k < parameters.size(); ++k)
        sameNames = parameters[k].name == rows_[k].variable.name;
    if (!sameNames)
        BuildRows(parameters);
    syncing_ = true;
    for (size_t k = 0; k < parameters.size(); ++k)
        ShowRow(rows_[k], parameters[k]);
    syncing_ = false;

    if (position < 0)
        note_->setText(QStringLiteral("Select a function in the tree to see its parameters here."));
    else if (parameters.empty())
        note_->setText(QStringLiteral("The function \"%1\" has no parameters: every variable of it is drawn over.")
                           .arg(FromCp1252(doc_->Get(position).label)));
    note_->setVisible(parameters.empty());
}

void ParameterPanel::ClearRows()
{
    for (Row &row : rows_) {
        delete row.name;
        delete row.slider;
        delete row.value;
    }
    rows_.clear();
}

void ParameterPanel::BuildRows(const std::vector<FunctionVariable> &parameters)
{
    ClearRows();
    QWidget *inner = grid_->parentWidget();
    for (size_t k = 0; k < parameters.size(); ++k) {
        Row row;
        row.variable = parameters[k];
        row.name = new QLabel(FromCp1252(row.variable.name), inner);
        row.slider = new QSlider(Qt::Horizontal, inner);
        row.slider->setObjectName(QStringLiteral("parameter ") + FromCp1252(row.variable.name));
        row.slider->setFocusPolicy(Qt::StrongFocus);
        row.slider->setMinimumWidth(row.slider->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
        row.value = new QLabel(inner);
        row.value->setMinimumWidth(row.value->fontMetrics().horizontalAdvance(QStringLiteral("-0.0000000")));
        row.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row.name->setBuddy(row.slider);
        const int line = int(k);
        grid_->addWidget(row.name, line, 0);
        grid_->addWidget(row.slider, line, 1);
        grid_->addWidget(row.value, line, 2);
        connect(row.slider, &QSlider::valueChanged, this, [this, k](int step) { OnValueChanged(k, step); });
        connect(row.slider, &QSlider::sliderPressed, this, [this, k] { OnPressed(k); });
        connect(row.slider, &QSlider::sliderReleased, this, [this, k] { OnReleased(k); });
        rows_.push_back(row);
    }
}

void ParameterPanel::ShowRow(Row &row, const FunctionVariable &v)
{
    row.variable = v;
    const int steps = std::max(0, v.steps);
    row.slider->setRange(0, steps);
    row.slider->setSingleStep(1);
    row.slider->setPageStep(PageStep(steps));
    if (!row.slider->isSliderDown())
        row.slider->setValue(StepOf(v));
    row.slider->setEnabled(!locked_ && v.steps > 0);
    row.slider->setToolTip(RangeTip(v));
    row.value->setText(FormatGeneral(v.value, 10));
}

void ParameterPanel::OnPressed(size_t index)
{
    Row &row = rows_[index];
    row.before = LibraryFunction(function_).Variable(row.variable.name).value_or(row.variable).value;
}

void ParameterPanel::OnValueChanged(size_t index, int step)
{
    if (syncing_ || locked_ || index >= rows_.size())
        return;
    Row &row = rows_[index];
    FunctionVariable v = LibraryFunction(function_).Variable(row.variable.name).value_or(row.variable);
    const double value = ValueAt(v, step);
    if (row.slider->isSliderDown()) {
        // Live: the library holds the value while the drag goes on, the
        // history only gets the drag's result.
        v.value = value;
        LibraryFunction(function_).Write(v);
        row.value->setText(FormatGeneral(value, 10));
        emit Previewed(function_);
        return;
    }
    Record(v.name, v.value, value);
}

void ParameterPanel::OnReleased(size_t index)
{
    if (locked_ || index >= rows_.size())
        return;
    Row &row = rows_[index];
    const std::optional<FunctionVariable> now = LibraryFunction(function_).Variable(row.variable.name);
    if (now)
        Record(now->name, row.before, now->value);
}

// One undoable change from `from` to `to`; the library is given `from` back
// first, which the command then changes as every value change does.
void ParameterPanel::Record(const std::string &name, double from, double to)
{
    const int position = doc_->Find(function_);
    std::optional<FunctionVariable> v = LibraryFunction(function_).Variable(name);
    if (position < 0 || !v)
        return;
    v->value = from;
    LibraryFunction(function_).Write(*v);
    if (from == to) {
        // A drag that came back where it began changes nothing, but the
        // views drew its positions: they draw the function once more.
        doc_->UpdateAllViews(doc_->FirstView(), function_);
        return;
    }
    history_.Push(FunctionCommands::ChangeValue(history_, position, name, to));
}
