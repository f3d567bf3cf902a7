#pragma once

#include <QWidget>

#include "model/ViewSettings.h"

// A swatch that shows one colour and nothing else.  A left press emits
// Pressed() at once; the owner opens the colour chooser (ChooseFor does the
// usual thing).  The button never shows a pressed state.
class ColorButton : public QWidget {
    Q_OBJECT
public:
    explicit ColorButton(QWidget *parent = nullptr);

    Color GetColor() const { return color_; }
    void SetColor(Color color);

    // Opens the colour chooser started from the button's colour, owned by
    // `owner`; on OK stores the choice in `*store` and in the button and
    // repaints the owner at once.  Returns whether a colour was chosen.
    bool ChooseFor(QWidget *owner, Color *store);

signals:
    void Pressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    Color color_ = 0;
};

QColor ToQColor(Color color);
Color FromQColor(const QColor &color);
