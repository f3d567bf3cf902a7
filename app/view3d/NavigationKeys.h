#pragma once

#include <QtGlobal>
#include <map>

class QKeyEvent;

// The view's navigation keys, known by the key that is pressed rather than
// by the character it gives.  "-" pressed, then Shift, then "-" let go
// arrives as a release of "_": it still lets go of the minus key, which
// would otherwise stay held and walk the camera on every key message.
class NavigationKeys {
public:
    // Virtual key code of a press (0 when it is none of the view's keys).
    // The physical key is remembered, so that its release names the same
    // key whatever the modifiers are by then.
    int Pressed(const QKeyEvent &e);
    // Virtual key code the physical key was pressed as; keys whose press
    // was not seen are known by their own code.
    int Released(const QKeyEvent &e);
    // Forgets every press (the releases go elsewhere).
    void Clear() { pressed_.clear(); }

private:
    std::map<quint32, int> pressed_;   // native scan code -> virtual key
};

// Virtual key code of a key event, 0 when it is none of the view's keys:
// by Qt's key code, and for "-" and "." by the key's unshifted symbol where
// the window system tells it, as a key code does not change with Shift.
int VirtualKeyOf(const QKeyEvent &e);
