#pragma once

#include <QWidget>

#include "model/ViewSettings.h"
#include "tree/DialogUnits.h"

class ColorButton;
class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;

// One page of the settings dialog.  It shows its part of the settings and,
// while the dialog is open, keeps the user's edits in its controls (and in
// its own colour and choice members), so that switching pages loses nothing.
// Sizes and gaps are in dialog units.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(QWidget *parent);

    // Fills the controls from `settings`.
    virtual void Load(const ViewSettings &settings) = 0;
    // Reads the controls into `settings` field by field in their order.  A
    // field that does not read is reported; it and the fields after it keep
    // their values.  False when that happened.
    virtual bool Save(ViewSettings &settings) = 0;

protected:
    const DialogUnits &Units() const { return units_; }

    // A number or text box, 48 x 14 unless given.
    QLineEdit *Box(int width = 48, int height = 14);
    // A colour button (48 x 16) that opens the colour chooser on `*colour`,
    // the page's own copy, and shows the choice at once.
    ColorButton *Swatch(Color *color);
    QLabel *Text(const QString &text);
    // A group box of the given size (taller only if its rows need it)
    // holding `content` at its top, `inset` from its left edge.
    QGroupBox *Group(const QString &title, int width, int height, QLayout *content, int inset = 4);
    // Rows of a label and a control, the controls starting `labelWidth` to
    // the right of the labels, `gap` between rows.
    QGridLayout *Rows(int labelWidth, int gap);
    void AddRow(QGridLayout *rows, const QString &label, QWidget *control);
    // Makes `layout` the page's, `left` and `top` from the page's edges.
    void SetPageLayout(QBoxLayout *layout, int left, int top);

private:
    DialogUnits units_;
};
