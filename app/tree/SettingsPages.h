#pragma once

#include "tree/SettingsPage.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class SpinControl;

// The six pages of the settings dialog, in the order of its tabs.

// "3d": the perspective and the mouse sensitivity.
class ProjectionPage : public SettingsPage {
    Q_OBJECT
public:
    explicit ProjectionPage(QWidget *parent);
    void Load(const ViewSettings &settings) override;
    bool Save(ViewSettings &settings) override;

    QLineEdit *NearBox() const { return near_; }
    QLineEdit *FarBox() const { return far_; }
    QLineEdit *FieldOfViewBox() const { return fieldOfView_; }
    QLineEdit *SensitivityBox() const { return sensitivity_; }

private:
    QLineEdit *near_;
    QLineEdit *far_;
    QLineEdit *fieldOfView_;
    QLineEdit *sensitivity_;
};

// "Background": the colour behind the scene.
class BackgroundPage : public SettingsPage {
    Q_OBJECT
public:
    explicit BackgroundPage(QWidget *parent);
    void Load(const ViewSettings &settings) override;
    bool Save(ViewSettings &settings) override;

    ColorButton *BackgroundButton() const { return button_; }

private:
    Color color_ = 0;
    ColorButton *button_;
};

// "Limits": the cube, its reference marks, colour and size.
class LimitsPage : public SettingsPage {
    Q_OBJECT
public:
    explicit LimitsPage(QWidget *parent);
    void Load(const ViewSettings &settings) override;
    bool Save(ViewSettings &settings) override;

    QCheckBox *CubeCheck() const { return cube_; }
    QCheckBox *MarksCheck() const { return marks_; }
    ColorButton *CubeColorButton() const { return button_; }
    QLineEdit *DimensionBox() const { return dimension_; }

private:
    QCheckBox *cube_;
    QCheckBox *marks_;
    Color color_ = 0;
    ColorButton *button_;
    QLineEdit *dimension_;
};

// "Axes": the three axis labels, whether the axes show and their colour.
class AxesPage : public SettingsPage {
    Q_OBJECT
public:
    explicit AxesPage(QWidget *parent);
    void Load(const ViewSettings &settings) override;
    bool Save(ViewSettings &settings) override;

    // The labels are stored as the document's 8-bit texts: the first axis
    // whose box holds a character they cannot, with that character; -1
    // when all can be stored.
    int RefusedLabel(QString *offending) const;
    // Puts the focus on that character in the axis's box.
    void SelectInLabel(int axis, const QString &offending);

    QLineEdit *LabelBox(int axis) const { return labels_[axis]; }
    QCheckBox *AxesCheck() const { return axes_; }
    ColorButton *AxesColorButton() const { return button_; }

private:
    QLineEdit *labels_[3];
    QCheckBox *axes_;
    Color color_ = 0;
    ColorButton *button_;
};

// "Trace": the cursor's shape and colour.
class TracePage : public SettingsPage {
    Q_OBJECT
public:
    explicit TracePage(QWidget *parent);
    void Load(const ViewSettings &settings) override;
    bool Save(ViewSettings &settings) override;

    QRadioButton *SphereButton() const { return sphere_; }
    QRadioButton *CrossButton() const { return cross_; }
    ColorButton *CursorColorButton() const { return button_; }

private:
    QButtonGroup *kinds_;
    QRadioButton *sphere_;
    QRadioButton *cross_;
    int32_t cursorKind_ = CrossCursor;
    Color color_ = 0;
    ColorButton *button_;
};

// "Misc.": the animation interval and the print buffer, each with arrows.
class MiscPage : public SettingsPage {
    Q_OBJECT
public:
    explicit MiscPage(QWidget *parent);
    void Load(const ViewSettings &settings) override;
    bool Save(ViewSettings &settings) override;

    QLineEdit *IntervalBox() const { return interval_; }
    QLineEdit *BufferBox() const { return buffer_; }
    SpinControl *IntervalSpin() const { return intervalSpin_; }
    SpinControl *BufferSpin() const { return bufferSpin_; }

private:
    QLineEdit *interval_;
    SpinControl *intervalSpin_;
    QLineEdit *buffer_;
    SpinControl *bufferSpin_;
};
