#pragma once

#include <QDialog>

#include "view3d/ContourLines.h"

class QCheckBox;
class QSpinBox;

// "Contour Lines" options: how many levels, and whether the lines are also
// projected onto the cube's floor.
class ContourDialog : public QDialog {
    Q_OBJECT
public:
    ContourDialog(const ContourOptions &options, QWidget *parent = nullptr);

    // The choice; the levels count even when the lines are off.
    ContourOptions Options() const;

    QSpinBox *LevelsBox() const { return levels_; }
    QCheckBox *FloorBox() const { return floor_; }

private:
    QSpinBox *levels_;
    QCheckBox *floor_;
};
