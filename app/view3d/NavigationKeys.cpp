#include "view3d/NavigationKeys.h"

#include <QKeyEvent>

#include "view3d/Camera.h"
#include "view3d/UnshiftedKey.h"

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
