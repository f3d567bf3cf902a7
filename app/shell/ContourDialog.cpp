#include "ContourDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

ContourDialog::ContourDialog(const ContourOptions &options, QWidget *parent)
    : QDialog(parent), levels_(new QSpinBox(this)), floor_(new QCheckBox(QStringLiteral("Also on the cube's &floor"), this))
{
    setWindowTitle(QStringLiteral("Contour Lines"));
    levels_->setRange(1, kMaxContourLevels);
    levels_->setValue(options.levels > 0 ? options.levels : kDefaultContourLevels);
    floor_->setChecked(options.floor);
    auto *note = new QLabel(QStringLiteral("Surfaces z(x,y) get lines at round values, at most this many."), this);
    note->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Levels:"), levels_);
    form->addRow(QString(), floor_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

ContourOptions ContourDialog::Options() const
{
    return {levels_->value(), floor_->isChecked()};
}
