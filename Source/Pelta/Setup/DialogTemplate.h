#pragma once

#include <cstddef>
#include <cstdint>

namespace Pelta {

/// What a control of a dialog is.
enum class ControlKind : uint8_t
{
    Label,    ///< static text
    Edit,     ///< a text the user types
    ComboBox, ///< a drop-down list to choose one entry from
    Button,   ///< a push button; its id is the command it sends
    GroupBox  ///< a frame with a caption around other controls
};

/// Style flags of a control that change what a user can do with it.
enum ControlStyle : uint32_t
{
    STYLE_NONE = 0,
    STYLE_DEFAULT_BUTTON = 1, ///< the button that Enter presses
    STYLE_DIGITS_ONLY = 2,    ///< an edit that takes only the digits a user types
    STYLE_MULTI_LINE = 4,     ///< an edit of several lines
    STYLE_READ_ONLY = 8       ///< an edit the user cannot type into
};

/// A rectangle in dialog units: x, y, width, height.
struct DialogUnits
{
    int16_t m_x;
    int16_t m_y;
    int16_t m_width;
    int16_t m_height;
};

/// One control of a dialog template.
struct ControlTemplate
{
    int32_t m_id;
    ControlKind m_kind;
    const char16_t* m_text; ///< the text the control starts with
    DialogUnits m_position;
    uint32_t m_style;       ///< ControlStyle flags
    int32_t m_labelId;      ///< the label that names an edit or a combo box on screen; 0 for none
};

/// A dialog as the driver module keeps it: its title, size and font as data, and its controls
/// in template order.
struct DialogTemplate
{
    int32_t m_id;
    const char16_t* m_title;
    int16_t m_width;      ///< in dialog units
    int16_t m_height;     ///< in dialog units
    int16_t m_fontPoints; ///< the size of the dialog's font, which scales the dialog units
    const ControlTemplate* m_controls;
    size_t m_controlCount;

    const ControlTemplate* begin() const { return m_controls; }
    const ControlTemplate* end() const { return m_controls + m_controlCount; }
};

/// The dialog templates of the driver module: 101 (setup), 102 (test results) and 103
/// (logging). Null for another id.
const DialogTemplate* FindDialogTemplate(int32_t in_id);

/// Whether the driver module has icon in_id (only 200, the setup dialogs' icon).
bool HasIconResource(int32_t in_id);

} // namespace Pelta
