#pragma once

#include <QDialog>

#include "model/ViewSettings.h"

class QFontDialog;
class ColorButton;

// The font chooser of the function-text box: the toolkit's font panel
// (with underline and strike-out) plus the text colour, which the plain
// font dialog does not offer.
class FontChooser : public QDialog {
    Q_OBJECT
public:
    FontChooser(const QFont &font, const QColor &color, QWidget *parent = nullptr);

    QFont SelectedFont() const;
    QColor SelectedColor() const;

private:
    QFontDialog *fonts_;
    ColorButton *color_;
    Color chosenColor_;
};
