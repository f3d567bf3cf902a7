#include "tree/SettingsPage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "tree/ColorButton.h"

namespace {
// The space between a group box's frame and its rows.
constexpr int kGroupInsetRight = 4;
constexpr int kGroupInsetTop = 6;
constexpr int kGroupInsetBottom = 4;
constexpr int kPageMargin = 7;
}  // namespace

SettingsPage::SettingsPage(QWidget *parent) : QWidget(parent), units_(font()) {}

QLineEdit *SettingsPage::Box(int width, int height)
{
    auto *box = new QLineEdit(this);
    box->setFixedSize(units_.Size(width, height));
    return box;
}

ColorButton *SettingsPage::Swatch(Color *color)
{
    auto *button = new ColorButton(this);
    button->setFixedSize(units_.Size(48, 16));
    connect(button, &ColorButton::Pressed, this, [this, button, color] { button->ChooseFor(this, color); });
    return button;
}

QLabel *SettingsPage::Text(const QString &text)
{
    return new QLabel(text, this);
}

QGroupBox *SettingsPage::Group(const QString &title, int width, int height, QLayout *content, int inset)
{
    auto *group = new QGroupBox(title, this);
    // As high as given, or higher where the style's title needs more room.
    group->setFixedWidth(units_.X(width));
    group->setMinimumHeight(units_.Y(height));
    group->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The rows keep to the top of the group, whatever its height.
    auto *outer = new QVBoxLayout(group);
    outer->setContentsMargins(units_.X(inset), units_.Y(kGroupInsetTop), units_.X(kGroupInsetRight),
                              units_.Y(kGroupInsetBottom));
    outer->setSpacing(0);
    outer->addLayout(content);
    outer->addStretch(1);
    return group;
}

QGridLayout *SettingsPage::Rows(int labelWidth, int gap)
{
    auto *rows = new QGridLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setHorizontalSpacing(0);
    rows->setVerticalSpacing(units_.Y(gap));
    rows->setColumnMinimumWidth(0, units_.X(labelWidth));
    rows->setColumnStretch(2, 1);
    return rows;
}

void SettingsPage::AddRow(QGridLayout *rows, const QString &label, QWidget *control)
{
    const int row = rows->count() / 2;   // two items a row
    rows->addWidget(Text(label), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    rows->addWidget(control, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
}

void SettingsPage::SetPageLayout(QBoxLayout *layout, int left, int top)
{
    layout->setContentsMargins(units_.X(left), units_.Y(top), units_.X(kPageMargin), units_.Y(kPageMargin));
    layout->setSpacing(0);
    setLayout(layout);
}
