#include "Pelta/Setup/TerminalDialogHost.h"

#include "Pelta/Setup/DialogWindow.h"
#include "Platform/OsTerminal.h"
#include "Support/orvik_wstring.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

using Orvik::OS::Terminal;
using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

// A terminal has no screen geometry that setup could use: dialogs are placed on a desktop of
// this size.
constexpr SetupRect TERMINAL_DESKTOP{ 0, 0, 1920, 1080 };

constexpr char HELP_LINE[] =
    "Type a field's number to change it, a button's letter to press it, or an empty line for the "
    "default button.\n";

// What the person can act on in the dialog as printed: the fields in their numbered order and
// the buttons with their letters.
struct Screen
{
    std::vector<int32_t> m_fields;
    std::vector<std::pair<char, int32_t>> m_buttons;
};

// The text in the locale's code set, its line breaks as the terminal writes them.
std::string Printable(const std::u16string& in_text)
{
    orvik_wstring text(in_text);
    text.Replace(orvik_wstring(u"\r\n"), orvik_wstring(u"\n"));
    return text.GetAsAnsiString();
}

// in_text with every line after the first indented by in_indent.
std::string Indented(const std::u16string& in_text, const std::string& in_indent)
{
    std::string text = Printable(in_text);
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    {
        text.insert(at + 1, in_indent);
    }
    return text;
}

bool IsLabelOfAField(const DialogWindow& in_dialog, int32_t in_id)
{
    const auto& controls = in_dialog.GetControls();
    return std::any_of(controls.begin(), controls.end(),
                       [in_id](const DialogWindow::Control& in_control) { return in_control.m_template->m_labelId == in_id; });
}

bool IsField(const DialogWindow::Control& in_control)
{
    const ControlTemplate& control = *in_control.m_template;
    return control.m_kind == ControlKind::ComboBox
           || (control.m_kind == ControlKind::Edit && (control.m_style & STYLE_READ_ONLY) == 0);
}

// A combo box shows its chosen entry; other controls their text.
std::u16string ValueOf(const DialogWindow::Control& in_control)
{
    if (in_control.m_template->m_kind != ControlKind::ComboBox)
    {
        return in_control.m_text;
    }
    const bool isChosen = in_control.m_selection >= 0 && in_control.m_selection < static_cast<int32_t>(in_control.m_items.size());
    return isChosen ? in_control.m_items[static_cast<size_t>(in_control.m_selection)] : std::u16string();
}

// The first letter of the button's text that no other button has taken.
char LetterFor(const std::u16string& in_text, const Screen& in_screen)
{
    for (const char16_t unit : in_text)
    {
        if (unit >= 0x80 || !std::isalpha(static_cast<unsigned char>(unit)))
        {
            continue;
        }
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(unit)));
        const auto taken = std::find_if(in_screen.m_buttons.begin(), in_screen.m_buttons.end(),
                                        [letter](const std::pair<char, int32_t>& in_button) { return in_button.first == letter; });
        if (taken == in_screen.m_buttons.end())
        {
            return letter;
        }
    }
    return '\0';
}

std::string Render(const DialogWindow& in_dialog, Screen& out_screen)
{
    std::string text = "\n== " + Printable(in_dialog.GetTitle()) + " ==\n";
    std::string buttons;
    for (const DialogWindow::Control& control : in_dialog.GetControls())
    {
        const ControlTemplate& layout = *control.m_template;
        if (!control.m_isVisible || (layout.m_kind == ControlKind::Label && IsLabelOfAField(in_dialog, layout.m_id)))
        {
            continue;
        }
        const std::string disabled = control.m_isEnabled ? "" : " (disabled)";
        if (layout.m_kind == ControlKind::Button)
        {
            const char letter = LetterFor(control.m_text, out_screen);
            out_screen.m_buttons.emplace_back(letter, layout.m_id);
            buttons += std::string("  [") + letter + "] " + Printable(control.m_text) + disabled;
        }
        else if (IsField(control))
        {
            out_screen.m_fields.push_back(layout.m_id);
            const DialogWindow::Control* label = in_dialog.FindItem(layout.m_labelId);
            const std::string name = label != nullptr ? Printable(label->m_text) + " " : "";
            text += "  " + std::to_string(out_screen.m_fields.size()) + ". " + name + "[" + Printable(ValueOf(control)) + "]"
                    + disabled + "\n";
        }
        else
        {
            text += "     " + Indented(control.m_text, "     ") + "\n";
        }
    }
    return text + buttons + "\n" + HELP_LINE + "> ";
}

// The person is gone: Escape, and where the dialog stays open Enter, and else it ends unanswered.
void CloseWithoutUser(DialogWindow& io_dialog)
{
    io_dialog.Escape();
    if (!io_dialog.IsEnded())
    {
        io_dialog.Enter();
    }
    if (!io_dialog.IsEnded())
    {
        io_dialog.EndDialog(0);
    }
}

bool IsNumber(const std::string& in_text)
{
    return !in_text.empty() && in_text.size() < 6
           && std::all_of(in_text.begin(), in_text.end(), [](char in_c) { return in_c >= '0' && in_c <= '9'; });
}

// Asks for a new value of the field; false at the end of input.
bool ChangeField(DialogWindow& io_dialog, int32_t in_id, Terminal& io_terminal)
{
    const DialogWindow::Control& control = *io_dialog.FindItem(in_id);
    if (!control.m_isEnabled)
    {
        io_terminal.Write("That field cannot be changed now.\n");
        return true;
    }
    std::string answer;
    if (control.m_template->m_kind == ControlKind::ComboBox)
    {
        std::string choices;
        for (size_t i = 0; i < control.m_items.size(); ++i)
        {
            choices += "  " + std::to_string(i) + ") " + Printable(control.m_items[i]) + "\n";
        }
        io_terminal.Write(choices + "Choice: ");
        if (!io_terminal.ReadLine(answer))
        {
            return false;
        }
        if (!IsNumber(answer) || !io_dialog.Select(in_id, std::stoi(answer)))
        {
            io_terminal.Write("There is no such choice.\n");
        }
        return true;
    }
    io_terminal.Write("New value: ");
    if (!io_terminal.ReadLine(answer))
    {
        return false;
    }
    if (!io_dialog.Type(in_id, orvik_wstring(answer).GetAsWString()))
    {
        io_terminal.Write("Not every character was taken: the field takes digits only, or fewer characters.\n");
    }
    return true;
}

// Acts on one command; false at the end of input.
bool Perform(DialogWindow& io_dialog, const Screen& in_screen, const std::string& in_command, Terminal& io_terminal)
{
    if (in_command.empty())
    {
        if (!io_dialog.Enter())
        {
            io_terminal.Write("The default button cannot be pressed now.\n");
        }
        return true;
    }
    if (IsNumber(in_command))
    {
        const size_t number = std::stoul(in_command);
        if (number >= 1 && number <= in_screen.m_fields.size())
        {
            return ChangeField(io_dialog, in_screen.m_fields[number - 1], io_terminal);
        }
    }
    else if (in_command.size() == 1)
    {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(in_command[0])));
        for (const auto& button : in_screen.m_buttons)
        {
            if (button.first == letter)
            {
                if (!io_dialog.Click(button.second))
                {
                    io_terminal.Write("That button cannot be pressed now.\n");
                }
                return true;
            }
        }
    }
    io_terminal.Write("Unknown command.\n");
    return true;
}

} // namespace

bool TerminalDialogHost::IsAvailable()
{
    return Terminal().IsOpen();
}

bool TerminalDialogHost::CanCreateDialog(int32_t /* in_templateId */)
{
    return IsAvailable();
}

void TerminalDialogHost::RunDialog(DialogWindow& io_dialog)
{
    Terminal terminal;
    while (!io_dialog.IsEnded())
    {
        Screen screen;
        terminal.Write(Render(io_dialog, screen));
        std::string command;
        if (!terminal.ReadLine(command) || !Perform(io_dialog, screen, command, terminal))
        {
            CloseWithoutUser(io_dialog);
        }
    }
}

void TerminalDialogHost::ShowMessageBox(WindowHandle /* in_owner */, const orvik_wstring& in_text, const orvik_wstring& in_title)
{
    Terminal terminal;
    terminal.Write("\n[" + Printable(in_title.GetAsWString()) + "] " + Printable(in_text.GetAsWString())
                   + "\nPress Enter to go on. ");
    std::string ignored;
    terminal.ReadLine(ignored);
}

bool TerminalDialogHost::SetCursor(SetupCursor in_cursor)
{
    Terminal terminal;
    if (!terminal.IsOpen())
    {
        return false;
    }
    if (in_cursor == SetupCursor::Wait)
    {
        terminal.Write("Please wait...\n");
    }
    return true;
}

SetupRect TerminalDialogHost::GetDesktopRect()
{
    return TERMINAL_DESKTOP;
}

} // namespace Pelta
