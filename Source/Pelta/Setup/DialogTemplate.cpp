#include "Pelta/Setup/DialogTemplate.h"

namespace Pelta {

namespace {

constexpr ControlKind LABEL = ControlKind::Label;
constexpr ControlKind EDIT = ControlKind::Edit;
constexpr ControlKind COMBO = ControlKind::ComboBox;
constexpr ControlKind BUTTON = ControlKind::Button;
constexpr ControlKind GROUP = ControlKind::GroupBox;

constexpr int16_t FONT_POINTS = 8;

// The setup dialog.
constexpr ControlTemplate SETUP_CONTROLS[] = {
    { 1000, LABEL, u"Data Source Name:", { 11, 10, 71, 8 }, STYLE_NONE, 0 },
    { 1002, EDIT, u"", { 102, 7, 168, 14 }, STYLE_NONE, 1000 },
    { 1004, LABEL, u"Description:", { 11, 28, 71, 8 }, STYLE_NONE, 0 },
    { 1003, EDIT, u"", { 102, 24, 168, 14 }, STYLE_NONE, 1004 },
    { 1021, LABEL, u"Servers:", { 12, 48, 82, 8 }, STYLE_NONE, 0 },
    { 1026, EDIT, u"", { 102, 41, 168, 14 }, STYLE_NONE, 1021 },
    { 1023, LABEL, u"Comma separated host:port values. \ne.g. host1:port1, host2:port2", { 102, 60, 168, 18 }, STYLE_NONE, 0 },
    { 1022, EDIT, u"", { 102, 84, 168, 14 }, STYLE_DIGITS_ONLY, 1020 },
    { 1020, LABEL, u"Max String Column Size:", { 12, 86, 82, 8 }, STYLE_NONE, 0 },
    { 1028, EDIT, u"", { 102, 103, 168, 14 }, STYLE_DIGITS_ONLY, 1030 },
    { 1030, LABEL, u"Timeout:", { 12, 108, 82, 8 }, STYLE_NONE, 0 },
    { 1033, LABEL, u"Re-entry Time:", { 12, 126, 82, 8 }, STYLE_NONE, 0 },
    { 1036, EDIT, u"", { 102, 121, 168, 14 }, STYLE_DIGITS_ONLY, 1033 },
    { 1009, BUTTON, u"Logging Options...", { 178, 139, 94, 14 }, STYLE_NONE, 0 },
    { 1008, BUTTON, u"Test...", { 114, 156, 50, 14 }, STYLE_NONE, 0 },
    { 1, BUTTON, u"OK", { 168, 156, 50, 14 }, STYLE_DEFAULT_BUTTON, 0 },
    { 2, BUTTON, u"Cancel", { 222, 156, 50, 14 }, STYLE_NONE, 0 },
    { 1011, LABEL, u"v.xxxx (xx-bit)", { 6, 156, 91, 8 }, STYLE_NONE, 0 },
};

// The test-result dialog.
constexpr ControlTemplate TEST_RESULT_CONTROLS[] = {
    { 1, BUTTON, u"OK", { 233, 66, 50, 14 }, STYLE_DEFAULT_BUTTON, 0 },
    { 1018, EDIT, u"", { 7, 7, 275, 53 }, STYLE_MULTI_LINE | STYLE_READ_ONLY, 0 },
};

// The logging dialog.
constexpr ControlTemplate LOGGING_CONTROLS[] = {
    { 1015, LABEL, u"Log Level:", { 8, 15, 34, 8 }, STYLE_NONE, 0 },
    { 1014, COMBO, u"", { 75, 13, 124, 90 }, STYLE_NONE, 1015 },
    { 1016, LABEL, u"Log Path:", { 8, 30, 45, 8 }, STYLE_NONE, 0 },
    { 1013, EDIT, u"", { 75, 28, 124, 12 }, STYLE_NONE, 1016 },
    { 1017, GROUP, u"Log Rotation", { 5, 46, 193, 52 }, STYLE_NONE, 0 },
    { 1029, EDIT, u"", { 75, 60, 118, 14 }, STYLE_NONE, 1032 },
    { 1031, EDIT, u"", { 75, 78, 118, 14 }, STYLE_NONE, 1034 },
    { 1032, LABEL, u"Max Number Files:", { 11, 63, 60, 8 }, STYLE_NONE, 0 },
    { 1034, LABEL, u"Max File Size (MB):", { 11, 80, 61, 8 }, STYLE_NONE, 0 },
    { 1, BUTTON, u"OK", { 93, 104, 50, 14 }, STYLE_DEFAULT_BUTTON, 0 },
    { 2, BUTTON, u"Cancel", { 149, 104, 50, 14 }, STYLE_NONE, 0 },
};

template <size_t N>
constexpr DialogTemplate MakeTemplate(int32_t in_id, const char16_t* in_title, int16_t in_width, int16_t in_height,
                                      const ControlTemplate (&in_controls)[N])
{
    return { in_id, in_title, in_width, in_height, FONT_POINTS, in_controls, N };
}

constexpr DialogTemplate TEMPLATES[] = {
    MakeTemplate(101, u"Data Source Configuration", 279, 177, SETUP_CONTROLS),
    MakeTemplate(102, u"Test Results", 289, 86, TEST_RESULT_CONTROLS),
    MakeTemplate(103, u"Logging Configuration", 205, 124, LOGGING_CONTROLS),
};

// The module's one icon group: a 64 by 64 picture for the dialogs' window icon.
constexpr int32_t SETUP_ICON = 200;

} // namespace

const DialogTemplate* FindDialogTemplate(int32_t in_id)
{
    for (const DialogTemplate& dialog : TEMPLATES)
    {
        if (dialog.m_id == in_id)
        {
            return &dialog;
        }
    }
    return nullptr;
}

bool HasIconResource(int32_t in_id)
{
    return in_id == SETUP_ICON;
}

} // namespace Pelta
