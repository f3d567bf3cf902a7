#pragma once

#include <QtGlobal>
#include <map>

class QKeyEvent;
struct Camera;

// Virtual key codes of the navigation keys.
enum VirtualKey {
    VkPageUp = 33,
    VkPageDown = 34,
    VkEnd = 35,
    VkHome = 36,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkMinus = 189,
    VkPeriod = 190,
    VkEscape = 27,
};

// Held-key step: moves the camera for one held navigation key.  Returns true
// when the camera moved: false for other keys, and for the arrows while
// they move the trace cursor instead.
bool ApplyHeldKey(Camera &camera, int vk, double d, bool traceOn);

// Virtual key code of a Qt key (0 when it is none of the view's keys).
// Keypad minus and period are other keys than the main-block ones.
int VirtualKeyFromQt(int qtKey, bool keypad);

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
