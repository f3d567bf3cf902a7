#include "view3d/NavigationKeys.h"

#include <QKeyEvent>

#include "view3d/Camera.h"
#include "view3d/UnshiftedKey.h"

namespace {

struct HeldKey {
    int vk;
    CameraMove move;
    bool arrow;   // moves the trace cursor instead while the trace is on
};

constexpr HeldKey kHeldKeys[] = {
    {VkRight, CameraMove::TurnRight, true},
    {VkLeft, CameraMove::TurnLeft, true},
    {VkUp, CameraMove::Forward, true},
    {VkDown, CameraMove::Backward, true},
    {VkPageUp, CameraMove::LookUp, false},
    {VkPageDown, CameraMove::LookDown, false},
    {VkHome, CameraMove::Up, false},
    {VkEnd, CameraMove::Down, false},
    {VkMinus, CameraMove::Right, false},
    {VkPeriod, CameraMove::Left, false},
};

}  // namespace

bool ApplyHeldKey(Camera &camera, int vk, double d, bool traceOn)
{
    for (const HeldKey &key : kHeldKeys) {
        if (key.vk != vk)
            continue;
        if (key.arrow && traceOn)
            return false;
        MoveCamera(camera, key.move, d);
        return true;
    }
    return false;
}

int VirtualKeyFromQt(int qtKey, bool keypad)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return VkPageUp;
    case Qt::Key_PageDown: return VkPageDown;
    case Qt::Key_End: return VkEnd;
    case Qt::Key_Home: return VkHome;
    case Qt::Key_Left: return VkLeft;
    case Qt::Key_Up: return VkUp;
    case Qt::Key_Right: return VkRight;
    case Qt::Key_Down: return VkDown;
    case Qt::Key_Minus: return keypad ? 0 : VkMinus;
    case Qt::Key_Period: return keypad ? 0 : VkPeriod;
    case Qt::Key_Escape: return VkEscape;
    default: return 0;
    }
}

int VirtualKeyOf(const QKeyEvent &e)
{
    if (const int vk = VirtualKeyFromQt(e.key(), e.modifiers() & Qt::KeypadModifier))
        return vk;
    // Shift+"-" is "_" to Qt but still the minus key.
    switch (UnshiftedKeyOf(e.nativeScanCode(), e.nativeModifiers())) {
    case UnshiftedKey::Minus: return VkMinus;
    case UnshiftedKey::Period: return VkPeriod;
    default: return 0;
    }
}

int NavigationKeys::Pressed(const QKeyEvent &e)
{
    const int vk = VirtualKeyOf(e);
    if (e.nativeScanCode() != 0) {
        if (vk != 0)
            pressed_[e.nativeScanCode()] = vk;
        else
            pressed_.erase(e.nativeScanCode());
    }
    return vk;
}

int NavigationKeys::Released(const QKeyEvent &e)
{
    const auto found = e.nativeScanCode() != 0 ? pressed_.find(e.nativeScanCode()) : pressed_.end();
    if (found == pressed_.end())
        return VirtualKeyOf(e);
    const int vk = found->second;
    pressed_.erase(found);
    return vk;
}
