#include "tree/SettingsPages.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "model/CodePage1252.h"
#include "tree/ColorButton.h"
#include "tree/FieldExchange.h"
#include "tree/SpinControl.h"

namespace {
int32_t CheckValue(const QAbstractButton *box)
{
    return box->isChecked() ? 1 : 0;
}
}  // namespace

// ---------------------------------------------------------------- "3d"

ProjectionPage::ProjectionPage(QWidget *parent) : SettingsPage(parent)
{
    QGridLayout *perspective = Rows(48, 5);
    near_ = Box();
    far_ = Box();
    fieldOfView_ = Box();
    AddRow(perspective, QStringLiteral("near plane:"), near_);
    AddRow(perspective, QStringLiteral("far plane:"), far_);
    AddRow(perspective, QStringLiteral("field of view:"), fieldOfView_);
    QGridLayout *input = Rows(48, 5);
    sensitivity_ = Box();
    AddRow(input, QStringLiteral("sensitivity:"), sensitivity_);

    auto *page = new QHBoxLayout;
    page->addWidget(Group(QStringLiteral("Perspective"), 117, 75, perspective), 0, Qt::AlignTop);
    page->addSpacing(Units().X(23));
    page->addWidget(Group(QStringLiteral("Input"), 117, 43, input), 0, Qt::AlignTop);
    page->addStretch(1);
    SetPageLayout(page, 7, 7);
}

void ProjectionPage::Load(const ViewSettings &settings)
{
    near_->setText(NumberFieldText(settings.nearPlane));
    far_->setText(NumberFieldText(settings.farPlane));
    fieldOfView_->setText(NumberFieldText(settings.fieldOfView));
    sensitivity_->setText(NumberFieldText(settings.sensitivity));
}

bool ProjectionPage::Save(ViewSettings &settings)
{
    return ReadNumberField(near_, &settings.nearPlane) && ReadNumberField(far_, &settings.farPlane) &&
           ReadNumberField(fieldOfView_, &settings.fieldOfView) &&
           ReadNumberField(sensitivity_, &settings.sensitivity);
}

// ---------------------------------------------------------------- "Background"

BackgroundPage::BackgroundPage(QWidget *parent) : SettingsPage(parent)
{
    QGridLayout *rows = Rows(64, 0);
    button_ = Swatch(&color_);
    AddRow(rows, QStringLiteral("background color:"), button_);

    auto *page = new QVBoxLayout;
    page->addLayout(rows);
    page->addStretch(1);
    SetPageLayout(page, 7, 28);
}

void BackgroundPage::Load(const ViewSettings &settings)
{
    color_ = settings.backgroundColor;
    button_->SetColor(color_);
}

bool BackgroundPage::Save(ViewSettings &settings)
{
    settings.backgroundColor = color_;
    return true;
}

// ---------------------------------------------------------------- "Limits"

LimitsPage::LimitsPage(QWidget *parent) : SettingsPage(parent)
{
    cube_ = new QCheckBox(QStringLiteral("show cube"), this);
    marks_ = new QCheckBox(QStringLiteral("show reference marks"), this);
    for (QCheckBox *box : {cube_, marks_})
        box->setMinimumSize(Units().Size(88, 12));
    // The marks belong to the cube: their box is there only while the cube
    // is, keeping its place and its state.
    QSizePolicy keepPlace = marks_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    marks_->setSizePolicy(keepPlace);
    connect(cube_, &QCheckBox::toggled, marks_, &QWidget::setVisible);

    QGridLayout *rows = Rows(57, 9);
    button_ = Swatch(&color_);
    dimension_ = Box();
    AddRow(rows, QStringLiteral("cube color:"), button_);
    AddRow(rows, QStringLiteral("cube dimension:"), dimension_);

    auto *page = new QVBoxLayout;
    page->addWidget(cube_, 0, Qt::AlignLeft);
    page->addSpacing(Units().Y(2));
    page->addWidget(marks_, 0, Qt::AlignLeft);
    page->addSpacing(Units().Y(9));
    page->addLayout(rows);
    page->addStretch(1);
    SetPageLayout(page, 7, 7);
}

void LimitsPage::Load(const ViewSettings &settings)
{
    cube_->setChecked(settings.showCube != 0);
    marks_->setChecked(settings.showReferenceMarks != 0);
    marks_->setVisible(cube_->isChecked());
    color_ = settings.cubeColor;
    button_->SetColor(color_);
    dimension_->setText(NumberFieldText(settings.cubeDimension));
}

bool LimitsPage::Save(ViewSettings &settings)
{
    settings.showCube = CheckValue(cube_);
    settings.showReferenceMarks = CheckValue(marks_);
    settings.cubeColor = color_;
    return ReadNumberField(dimension_, &settings.cubeDimension);
}

// ---------------------------------------------------------------- "Axes"

AxesPage::AxesPage(QWidget *parent) : SettingsPage(parent)
{
    QGridLayout *strings = Rows(15, 3);
    const char *names[] = {"x:", "y:", "z:"};
    for (int axis = 0; axis < 3; ++axis) {
        labels_[axis] = Box(52, 14);
        AddRow(strings, QString::fromLatin1(names[axis]), labels_[axis]);
    }

    axes_ = new QCheckBox(QStringLiteral("show axes"), this);
    axes_->setMinimumSize(Units().Size(49, 10));
    QGridLayout *colorRow = Rows(42, 0);
    button_ = Swatch(&color_);
    AddRow(colorRow, QStringLiteral("axes color:"), button_);
    auto *aspect = new QVBoxLayout;
    aspect->setSpacing(0);
    aspect->addWidget(axes_, 0, Qt::AlignLeft);
    aspect->addSpacing(Units().Y(13));
    aspect->addLayout(colorRow);

    auto *page = new QHBoxLayout;
    page->addWidget(Group(QStringLiteral("Strings"), 82, 70, strings, 8), 0, Qt::AlignTop);
    page->addSpacing(Units().X(67));
    page->addWidget(Group(QStringLiteral("Aspect"), 102, 58, aspect), 0, Qt::AlignTop);
    page->addStretch(1);
    SetPageLayout(page, 7, 7);
}

void AxesPage::Load(const ViewSettings &settings)
{
    labels_[0]->setText(FromCp1252(settings.axisLabelX));
    labels_[1]->setText(FromCp1252(settings.axisLabelY));
    labels_[2]->setText(FromCp1252(settings.axisLabelZ));
    axes_->setChecked(settings.showAxes != 0);
    color_ = settings.axesColor;
    button_->SetColor(color_);
}

int AxesPage::RefusedLabel(QString *offending) const
{
    for (int axis = 0; axis < 3; ++axis) {
        std::string bytes;
        if (!ToCp1252(labels_[axis]->text(), &bytes, offending))
            return axis;
    }
    return -1;
}

void AxesPage::SelectInLabel(int axis, const QString &offending)
{
    QLineEdit *box = labels_[axis];
    box->setFocus();
    box->setSelection(int(box->text().indexOf(offending)), int(offending.size()));
}

bool AxesPage::Save(ViewSettings &settings)
{
    // A label the code page cannot hold keeps its value; the dialog checks
    // the labels before it reads any page.
    ToCp1252(labels_[0]->text(), &settings.axisLabelX);
    ToCp1252(labels_[1]->text(), &settings.axisLabelY);
    ToCp1252(labels_[2]->text(), &settings.axisLabelZ);
    settings.showAxes = CheckValue(axes_);
    settings.axesColor = color_;
    return true;
}

// ---------------------------------------------------------------- "Trace"

TracePage::TracePage(QWidget *parent) : SettingsPage(parent)
{
    sphere_ = new QRadioButton(QStringLiteral("Sphere cursor"), this);
    cross_ = new QRadioButton(QStringLiteral("Cross cursor"), this);
    sphere_->setMinimumSize(Units().Size(60, 10));
    cross_->setMinimumSize(Units().Size(51, 10));
    kinds_ = new QButtonGroup(this);
    kinds_->addButton(sphere_, SphereCursor);
    kinds_->addButton(cross_, CrossCursor);
    for (QRadioButton *button : {sphere_, cross_})
        connect(button, &QRadioButton::toggled, this,
                [this] { cursorKind_ = sphere_->isChecked() ? SphereCursor : CrossCursor; });

    QGridLayout *rows = Rows(57, 0);
    button_ = Swatch(&color_);
    AddRow(rows, QStringLiteral("cursor color:"), button_);

    auto *page = new QVBoxLayout;
    page->addWidget(sphere_, 0, Qt::AlignLeft);
    page->addSpacing(Units().Y(10));
    page->addWidget(cross_, 0, Qt::AlignLeft);
    page->addSpacing(Units().Y(20));
    page->addLayout(rows);
    page->addStretch(1);
    SetPageLayout(page, 7, 14);
}

void TracePage::Load(const ViewSettings &settings)
{
    // A kind other than the two leaves both buttons unchecked, which an
    // exclusive group would not allow.
    kinds_->setExclusive(false);
    sphere_->setChecked(settings.cursorKind == SphereCursor);
    cross_->setChecked(settings.cursorKind == CrossCursor);
    kinds_->setExclusive(true);
    cursorKind_ = settings.cursorKind;
    color_ = settings.cursorColor;
    button_->SetColor(color_);
}

bool TracePage::Save(ViewSettings &settings)
{
    settings.cursorKind = cursorKind_;
    settings.cursorColor = color_;
    return true;
}

// ---------------------------------------------------------------- "Misc."

namespace {
// A box with its arrows at its right edge, the two as wide as a box alone.
QWidget *BoxWithArrows(QWidget *page, const DialogUnits &units, int low, int high, QLineEdit **box,
                       SpinControl **spin)
{
    auto *pair = new QWidget(page);
    auto *layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    *box = new QLineEdit(pair);
    (*box)->setFixedSize(units.Size(38, 14));
    *spin = new SpinControl(pair);
    (*spin)->setFixedSize(units.Size(10, 14));
    (*spin)->SetRange(low, high);
    (*spin)->SetBuddy(*box);
    layout->addWidget(*box);
    layout->addWidget(*spin);
    return pair;
}
}  // namespace

MiscPage::MiscPage(QWidget *parent) : SettingsPage(parent)
{
    QGridLayout *animation = Rows(76, 0);
    AddRow(animation, QStringLiteral("Time interval (ms):"),
           BoxWithArrows(this, Units(), 1, 6000, &interval_, &intervalSpin_));
    QGridLayout *printing = Rows(76, 0);
    AddRow(printing, QStringLiteral("Max. buffer size (MB):"),
           BoxWithArrows(this, Units(), 5, 1000, &buffer_, &bufferSpin_));

    auto *page = new QVBoxLayout;
    page->addWidget(Group(QStringLiteral("Animation"), 145, 35, animation, 8));
    page->addSpacing(Units().Y(4));
    page->addWidget(Group(QStringLiteral("Printing"), 145, 35, printing, 8));
    page->addStretch(1);
    SetPageLayout(page, 7, 18);
}

void MiscPage::Load(const ViewSettings &settings)
{
    interval_->setText(QString::number(settings.animationIntervalMs));
    buffer_->setText(QString::number(settings.printBufferMB));
}

bool MiscPage::Save(ViewSettings &settings)
{
    return ReadUnsignedField(interval_, &settings.animationIntervalMs) &&
           ReadUnsignedField(buffer_, &settings.printBufferMB);
}
