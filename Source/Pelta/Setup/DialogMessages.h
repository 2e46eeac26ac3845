#pragma once

#include <cstdint>

namespace Pelta {

/// The messages a dialog procedure receives.
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_NCDESTROY = 0x0082;
constexpr uint32_t WM_INITDIALOG = 0x0110;
constexpr uint32_t WM_COMMAND = 0x0111;

/// The notifications of WM_COMMAND: the high word of its first parameter, the control's id being
/// the low word.
constexpr uint16_t BN_CLICKED = 0;
constexpr uint16_t CBN_SELCHANGE = 1;
constexpr uint16_t EN_CHANGE = 0x0300;

/// The commands of the OK and Cancel buttons (and of Escape and the close box).
constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;

/// What a dialog procedure answers: it handled the message, or it did not.
constexpr intptr_t MESSAGE_HANDLED = 1;
constexpr intptr_t MESSAGE_NOT_HANDLED = 0;

/// The end value of a dialog that could not be made.
constexpr intptr_t DIALOG_NOT_CREATED = -1;

/// The first parameter of WM_COMMAND for control in_id and notification in_notification.
constexpr uintptr_t MakeCommand(int32_t in_id, uint16_t in_notification)
{
    return (static_cast<uintptr_t>(in_notification) << 16) | (static_cast<uint32_t>(in_id) & 0xFFFFu);
}

/// The control id of a WM_COMMAND parameter.
constexpr int32_t CommandId(uintptr_t in_wParam)
{
    return static_cast<int32_t>(in_wParam & 0xFFFFu);
}

/// The notification of a WM_COMMAND parameter.
constexpr uint16_t CommandNotification(uintptr_t in_wParam)
{
    return static_cast<uint16_t>((in_wParam >> 16) & 0xFFFFu);
}

} // namespace Pelta
