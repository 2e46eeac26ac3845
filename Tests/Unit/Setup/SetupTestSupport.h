#pragma once

// Test helpers of DSN setup: an installer that keeps the profile in memory and fails on
// request, a user interface that records what it is shown, the dialog layer with a scripted user,
// and a private registry.

#include "Pelta/Setup/DialogUi.h"
#include "Pelta/Setup/ISetupUi.h"
#include "Pelta/Setup/IOdbcInstaller.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Pelta/Setup/PeltaSetupException.h"
#include "Pelta/Setup/ScriptedDialogHost.h"
#include "Pelta/Setup/SetupUiHost.h"
#include "Platform/RegistryKey.h"
#include "Support/ErrorException.h"

#include "Common/TemporaryDirectory.h"
#include "Unit/Pelta/ErrorLine.h"
#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <cerrno>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Pelta {
namespace Test {

using Orvik::Support::orvik_wstring;

inline std::string Utf8(const orvik_wstring& in_text)
{
    return in_text.GetAsUTF8();
}

/// The profile in memory, with unixODBC's rules: names compared without regard to case, a
/// data-source name refused when empty, longer than 32 bytes or holding one of []{}(),;?*=!@\,
/// and the section emptied by WriteDSNToIni.
class FakeOdbcInstaller : public IOdbcInstaller
{
public:
    using Section = std::vector<std::pair<std::string, std::string>>;

    std::vector<std::pair<std::string, Section>> m_sections;
    std::vector<std::string> m_posted;  ///< "code message"
    std::vector<std::string> m_changes; ///< every call that changed the profile, in order

    bool m_failWriteDSN = false;
    int m_failAtWrite = 0;       ///< the 1-based WriteEntry call that fails; 0 for none
    bool m_removeAnswer = true;

    /// Adds section in_dsn with entries "name=value".
    void AddSection(const std::string& in_dsn, std::initializer_list<std::pair<std::string, std::string>> in_entries)
    {
        m_sections.push_back({ in_dsn, Section(in_entries) });
    }

    /// Section in_dsn as "name=value;..." in file order, or "<none>".
    std::string Describe(const std::string& in_dsn) const
    {
        const Section* section = Find(in_dsn);
        if (section == nullptr)
        {
            return "<none>";
        }
        std::string text;
        for (const auto& entry : *section)
        {
            text += entry.first + "=" + entry.second + ";";
        }
        return text;
    }

    std::vector<orvik_wstring> GetEntryNames(const orvik_wstring& in_dsn) override
    {
        std::vector<orvik_wstring> names;
        if (const Section* section = Find(Utf8(in_dsn)))
        {
            for (const auto& entry : *section)
            {
                names.push_back(orvik_wstring(entry.first));
            }
        }
        return names;
    }

    orvik_wstring GetEntry(const orvik_wstring& in_dsn, const orvik_wstring& in_name) override
    {
        if (const Section* section = Find(Utf8(in_dsn)))
        {
            for (const auto& entry : *section)
            {
                if (orvik_wstring(entry.first).IsEqual(in_name, false))
                {
                    return orvik_wstring(entry.second);
                }
            }
        }
        return orvik_wstring(u"");
    }

    bool WriteEntry(const orvik_wstring& in_dsn, const orvik_wstring& in_name, const orvik_wstring& in_value) override
    {
        if (++m_writes == m_failAtWrite)
        {
            return false;
        }
        m_changes.push_back("write " + Utf8(in_dsn) + " " + Utf8(in_name) + "=" + Utf8(in_value));
        Section& section = FindOrAdd(Utf8(in_dsn));
        for (auto& entry : section)
        {
            if (orvik_wstring(entry.first).IsEqual(in_name, false))
            {
                entry.second = Utf8(in_value);
                return true;
            }
        }
        section.push_back({ Utf8(in_name), Utf8(in_value) });
        return true;
    }

    bool WriteDSNToIni(const orvik_wstring& in_dsn, const orvik_wstring& in_driver) override
    {
        if (m_failWriteDSN || !ValidDSN(in_dsn))
        {
            return false;
        }
        m_changes.push_back("dsn " + Utf8(in_dsn) + " " + Utf8(in_driver));
        FindOrAdd(Utf8(in_dsn)) = { { "Driver", Utf8(in_driver) } };
        return true;
    }

    bool RemoveDSNFromIni(const orvik_wstring& in_dsn) override
    {
        m_changes.push_back("remove " + Utf8(in_dsn));
        for (auto section = m_sections.begin(); section != m_sections.end(); ++section)
        {
            if (orvik_wstring(section->first).IsEqual(in_dsn, false))
            {
                m_sections.erase(section);
                break;
            }
        }
        return m_removeAnswer;
    }

    bool ValidDSN(const orvik_wstring& in_dsn) override
    {
        const std::string name = Utf8(in_dsn);
        return !name.empty() && name.size() <= 32 && name.find_first_of("[]{}(),;?*=!@\\") == std::string::npos;
    }

    void PostInstallerError(int32_t in_code, const orvik_wstring& in_message) override
    {
        m_posted.push_back(std::to_string(in_code) + " " + Utf8(in_message));
    }

private:
    const Section* Find(const std::string& in_dsn) const
    {
        for (const auto& section : m_sections)
        {
            if (orvik_wstring(section.first).IsEqual(orvik_wstring(in_dsn), false))
            {
                return &section.second;
            }
        }
        return nullptr;
    }

    Section& FindOrAdd(const std::string& in_dsn)
    {
        if (const Section* section = Find(in_dsn))
        {
            return const_cast<Section&>(*section);
        }
        m_sections.push_back({ in_dsn, {} });
        return m_sections.back().second;
    }

    int m_writes = 0;
};

/// A user interface that records what it is shown. The main dialog runs m_edit over the
/// configuration (if set) and ends with m_result.
class RecordingUi : public ISetupUi
{
public:
    DialogResult m_result = DialogResult::Accepted;
    std::function<void(PeltaDSNConfiguration&)> m_edit;
    bool m_cursorFails = false;

    std::vector<std::string> m_dialogs; ///< "owner mode DSN" of each main dialog shown
    std::vector<std::string> m_boxes;   ///< "owner|title|text" of each message box
    std::vector<std::string> m_cursors;

    DialogResult ShowMainDialog(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, bool in_requiredOnly) override
    {
        m_dialogs.push_back(Owner(in_parent) + " mode " + std::to_string(io_configuration.GetMode())
                            + (in_requiredOnly ? " required" : "") + " DSN=" + Utf8(io_configuration.GetDSN()));
        if (m_edit)
        {
            m_edit(io_configuration);
        }
        return m_result;
    }

    void ShowMessageBox(WindowHandle in_owner, const orvik_wstring& in_text, const orvik_wstring& in_title) override
    {
        m_boxes.push_back(Owner(in_owner) + "|" + Utf8(in_title) + "|" + Utf8(in_text));
    }

    bool SetCursor(SetupCursor in_cursor) override
    {
        m_cursors.push_back(in_cursor == SetupCursor::Wait ? "wait" : "arrow");
        errno = ENOENT;
        return !m_cursorFails;
    }

    static std::string Owner(WindowHandle in_window)
    {
        return in_window == nullptr ? "unowned" : "owned";
    }
};

/// Installs a user interface for its lifetime.
class InstalledUi
{
public:
    explicit InstalledUi(ISetupUi& io_ui) { SetupUiHost::Install(&io_ui); }
    ~InstalledUi() { SetupUiHost::Install(nullptr); }
    InstalledUi(const InstalledUi&) = delete;
    InstalledUi& operator=(const InstalledUi&) = delete;
};

/// The dialog layer with a scripted user, installed as setup's user interface while it lives.
struct ScriptedSetupUi
{
    ScriptedDialogHost m_host;
    DialogUi m_ui{ m_host };
    InstalledUi m_installed{ m_ui };
};

/// The machine's and the user's registry as private files, the machine's empty at first.
class PrivateRegistry
{
public:
    /// Makes in_values (registry lines such as "\"LogLevel\"=\"6\"\n") the machine's key.
    void UseMachineValues(const std::string& in_values)
    {
        Orvik::Testing::WriteTextFile(m_machine, "[SOFTWARE\\Pelta\\Driver]\n" + in_values);
    }

    /// The machine key's values as "name=text;" (numbers in decimal), "<none>" without the key.
    std::string MachineValues() const
    {
        Orvik::OS::RegistryKey key;
        if (!key.Open(Orvik::OS::RegistryRoot::LocalMachine, "SOFTWARE\\Pelta\\Driver"))
        {
            return "<none>";
        }
        std::vector<Orvik::OS::RegistryValue> values;
        key.QueryValues(values);
        std::string text;
        for (const auto& value : values)
        {
            const bool isText = value.m_type == Orvik::OS::RegistryValue::Type::Text;
            text += value.m_name + "=" + (isText ? value.m_text : std::to_string(value.m_number)) + ";";
        }
        return text;
    }

    /// Makes the machine's registry file unwritable even for root: its directory is a file.
    void MakeUnwritable()
    {
        Orvik::Testing::WriteTextFile(m_directory / "blocker", "");
        m_unwritable.emplace("PELTA_REGISTRY_HKLM", m_directory / "blocker/machine.reg");
    }

    const Orvik::Testing::TemporaryDirectory& Directory() const { return m_directory; }

private:
    Orvik::Testing::TemporaryDirectory m_directory;
    std::string m_machine = m_directory / "machine.reg";
    Orvik::Testing::ScopedEnvironment m_machineVariable{ "PELTA_REGISTRY_HKLM", m_machine };
    Orvik::Testing::ScopedEnvironment m_userVariable{ "PELTA_REGISTRY_HKCU", m_directory / "user.reg" };
    std::optional<Orvik::Testing::ScopedEnvironment> m_unwritable;
};

/// What in_action threw: "kind N", the ErrorException's ErrorLine, or "ok".
template <class Action>
std::string Outcome(Action in_action)
{
    try
    {
        in_action();
        return "ok";
    }
    catch (const PeltaSetupException& e)
    {
        return "kind " + std::to_string(e.GetKind());
    }
    catch (const Orvik::Support::ErrorException& e)
    {
        return ErrorLine(e);
    }
}

} // namespace Test
} // namespace Pelta
