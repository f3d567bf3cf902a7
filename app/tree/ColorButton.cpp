#include "tree/ColorButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "tree/Prompter.h"

QColor ToQColor(Color color)
{
    return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
}

Color FromQColor(const QColor &color)
{
    return MakeColor(color.red(), color.green(), color.blue());
}

ColorButton::ColorButton(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColorButton::SetColor(Color color)
{
    color_ = color;
    update();
}

bool ColorButton::ChooseFor(QWidget *owner, Color *store)
{
    QColor chosen;
    if (!Prompter::Current().ChooseColor(owner, ToQColor(color_), &chosen))
        return false;
    *store = FromQColor(chosen);
    SetColor(*store);
    if (owner)
        owner->repaint();
    return true;
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
}

void ColorButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit Pressed();
}

// Releases, double-clicks and the wheel end here so that nothing further
// happens after the press.
void ColorButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void ColorButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void ColorButton::wheelEvent(QWheelEvent *event)
{
    event->accept();
}
