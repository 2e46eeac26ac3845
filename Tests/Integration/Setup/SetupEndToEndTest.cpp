// DSN setup through unixODBC: the installer loads the built driver as the setup library its
// private odbcinst.ini names, and SQLConfigDataSource reaches ConfigDSN. The dialog is this
// program's double, handed to the driver through the program's export.

#include "Pelta/Setup/ISetupUi.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Platform/RegistryKey.h"

#include "Common/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <odbcinst.h>

#include <dlfcn.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using Orvik::Testing::ReadTextFile;
using Orvik::Testing::ScopedEnvironment;
using Orvik::Testing::TemporaryDirectory;
using Orvik::Testing::WriteTextFile;
using Pelta::DialogResult;
using Pelta::PeltaDSNConfiguration;

namespace {

// The setup dialog as this test plays it.
class DialogDouble : public Pelta::ISetupUi
{
public:
    DialogResult m_result = DialogResult::Accepted;
    std::function<void(PeltaDSNConfiguration&)> m_edit;
    std::vector<std::string> m_shown; ///< "mode N DSN=name" of each dialog
    std::vector<std::string> m_boxes;

    DialogResult ShowMainDialog(Pelta::WindowHandle, PeltaDSNConfiguration& io_configuration, bool) override
    {
        m_shown.push_back("mode " + std::to_string(io_configuration.GetMode())
                          + " DSN=" + io_configuration.GetDSN().GetAsUTF8());
        if (m_edit)
        {
            m_edit(io_configuration);
        }
        return m_result;
    }

    void ShowMessageBox(Pelta::WindowHandle, const Orvik::Support::orvik_wstring& in_text,
                        const Orvik::Support::orvik_wstring& in_title) override
    {
        m_boxes.push_back(in_title.GetAsUTF8() + "|" + in_text.GetAsUTF8());
    }

    bool SetCursor(Pelta::SetupCursor) override { return true; }
};

DialogDouble g_dialog;

} // namespace

extern "C" __attribute__((visibility("default"))) Pelta::ISetupUi* Pelta_GetSetupUi()
{
    return &g_dialog;
}

namespace {

// unixODBC keeps the profile's location once it has read it: one directory for the whole run.
class SetupEndToEndTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_directory = new TemporaryDirectory();
        std::string entry = ReadTextFile(PELTA_ODBCINST_TEMPLATE);
        const std::string placeholder = "@PELTA_LIBRARY@";
        for (size_t at = entry.find(placeholder); at != std::string::npos; at = entry.find(placeholder))
        {
            entry.replace(at, placeholder.size(), PELTA_LIBRARY);
        }
        WriteTextFile(*s_directory / "odbcinst.ini", entry);
        setenv("ODBCSYSINI", s_directory->Path().c_str(), 1);
        setenv("ODBCINI", (*s_directory / "user.ini").c_str(), 1);
    }

    static void TearDownTestSuite()
    {
        delete s_directory;
        s_directory = nullptr;
    }

    SetupEndToEndTest()
    {
        WriteTextFile(UserFile(), "");
        WriteTextFile(SystemFile(), "");
        // The driver's own settings: an empty key of the user's, so it logs nothing.
        WriteTextFile(m_registry / "user.reg", "[SOFTWARE\\Pelta\\Driver]\n");
        g_dialog = DialogDouble();
    }

    static std::string UserFile() { return *s_directory / "user.ini"; }
    static std::string SystemFile() { return *s_directory / "odbc.ini"; }

    /// The entries of data source in_dsn as "name=value;" in file order; "" for none.
    static std::string Section(const std::string& in_dsn)
    {
        char names[4096] = {};
        const int length = SQLGetPrivateProfileString(in_dsn.c_str(), nullptr, "", names, sizeof names, "odbc.ini");
        std::string text;
        for (const char* name = names; name < names + length && *name != '\0'; name += std::strlen(name) + 1)
        {
            char value[1024] = {};
            SQLGetPrivateProfileString(in_dsn.c_str(), name, "", value, sizeof value, "odbc.ini");
            text += std::string(name) + "=" + value + ";";
        }
        return text;
    }

    /// The machine key's values as "name=text;".
    static std::string MachineValues()
    {
        Orvik::OS::RegistryKey key;
        std::vector<Orvik::OS::RegistryValue> values;
        if (!key.Open(Orvik::OS::RegistryRoot::LocalMachine, "SOFTWARE\\Pelta\\Driver") || !key.QueryValues(values))
        {
            return "<none>";
        }
        std::string text;
        for (const auto& value : values)
        {
            text += value.m_name + "=" + value.m_text + ";";
        }
        return text;
    }

    /// The installer's errors after a call, as "code message", in order.
    static std::vector<std::string> InstallerErrors()
    {
        std::vector<std::string> errors;
        for (WORD record = 1; record <= 8; ++record)
        {
            DWORD code = 0;
            char message[512] = {};
            WORD length = 0;
            if (SQLInstallerError(record, &code, message, sizeof message, &length) != SQL_SUCCESS)
            {
                break;
            }
            errors.push_back(std::to_string(code) + " " + message);
        }
        return errors;
    }

    static BOOL Configure(WORD in_request, const std::string& in_attributes)
    {
        const std::string list = in_attributes + '\0';
        return SQLConfigDataSource(nullptr, in_request, "Pelta", list.c_str());
    }

    static inline TemporaryDirectory* s_directory = nullptr;

    TemporaryDirectory m_registry;
    ScopedEnvironment m_machine{ "PELTA_REGISTRY_HKLM", m_registry / "machine.reg" };
    ScopedEnvironment m_user{ "PELTA_REGISTRY_HKCU", m_registry / "user.reg" };
};

TEST_F(SetupEndToEndTest, AddingWritesTheDialogsSettingsAndOnlyTheChangedLoggingValues)
{
    WriteTextFile(m_registry / "machine.reg",
                  "[SOFTWARE\\Pelta\\Driver]\n\"LogNamespace\"=\"Pelta\"\n\"LogFileSize\"=\"512K\"\n");
    g_dialog.m_edit = [this](PeltaDSNConfiguration& io_configuration) {
        io_configuration.SetDSN(u"Sales");
        io_configuration.SetDescription(u"Sales data");
        io_configuration.SetServers(u"127.0.0.1:9200,127.0.0.1:9201");
        io_configuration.SetTimeout(u"10");
        io_configuration.SetLogLevel(u"4");
        io_configuration.SetLogPath(Orvik::Support::orvik_wstring(m_registry.Path()));
        io_configuration.SetLogFileCount(u"3");
    };
    ASSERT_TRUE(Configure(ODBC_ADD_DSN, std::string("DSN=Ignored\0", 12))) << InstallerErrors()[0];
    EXPECT_EQ(std::vector<std::string>{ "mode 0 DSN=" }, g_dialog.m_shown);
    EXPECT_EQ("Driver=Pelta;DESCRIPTION=Sales data;MaxColumnSize=4000;Servers=127.0.0.1:9200,127.0.0.1:9201;Timeout=10;",
              Section("Sales"));
    EXPECT_EQ(std::string::npos, ReadTextFile(SystemFile()).find("Sales"));
    EXPECT_EQ("LogNamespace=Pelta;LogFileSize=512K;LogLevel=4;LogPath=" + m_registry.Path() + ";LogFileCount=3;",
              MachineValues());

    // A system data source goes to the system's file; a new size is written in bytes.
    g_dialog.m_edit = [](PeltaDSNConfiguration& io_configuration) {
        io_configuration.SetDSN(u"Shared");
        io_configuration.SetServers(u"h:1");
        io_configuration.SetLogFileSize(u"5");
    };
    ASSERT_TRUE(Configure(ODBC_ADD_SYS_DSN, ""));
    EXPECT_NE(std::string::npos, ReadTextFile(SystemFile()).find("[Shared]"));
    EXPECT_NE(std::string::npos, MachineValues().find("LogFileSize=5242880;"));
}

TEST_F(SetupEndToEndTest, ConfiguringFindsTheNameAfterOtherAttributesAndInAnyCase)
{
    WriteTextFile(UserFile(), "[Sales]\nDriver = Pelta\nServers = h:1\nCustom = kept\n");
    g_dialog.m_edit = [](PeltaDSNConfiguration& io_configuration) { io_configuration.SetServers(u"h:2"); };
    ASSERT_TRUE(Configure(ODBC_CONFIG_DSN, std::string("DESCRIPTION=x\0dsn=Sales\0", 24)));
    EXPECT_EQ(std::vector<std::string>{ "mode 1 DSN=Sales" }, g_dialog.m_shown);
    EXPECT_EQ("Driver=Pelta;Custom=kept;MaxColumnSize=4000;Servers=h:2;", Section("Sales"));
    EXPECT_EQ("<none>", MachineValues());
}

TEST_F(SetupEndToEndTest, RemovingTakesOutOnlyTheNamedDataSource)
{
    WriteTextFile(UserFile(), "[Sales]\nDriver = Pelta\n\n[Caf\xC3\xA9]\nDriver = Pelta\n\n[Other]\nDriver = Pelta\n");
    WriteTextFile(SystemFile(), "[Shared]\nDriver = Pelta\n");
    EXPECT_TRUE(Configure(ODBC_REMOVE_DSN, "DSN=Sales"));
    EXPECT_TRUE(Configure(ODBC_REMOVE_DSN, "DSN=Caf\xC3\xA9"));
    EXPECT_TRUE(Configure(ODBC_REMOVE_SYS_DSN, "DSN=Shared"));
    EXPECT_EQ("[Other]", ReadTextFile(UserFile()).substr(0, 7));
    EXPECT_EQ(std::string::npos, ReadTextFile(UserFile()).find("Sales"));
    EXPECT_EQ(std::string::npos, ReadTextFile(UserFile()).find("Caf"));
    EXPECT_EQ(std::string::npos, ReadTextFile(SystemFile()).find("Shared"));
    EXPECT_TRUE(g_dialog.m_shown.empty());

    // The wide entry point, as an installer without the 8-bit one calls it.
    WriteTextFile(UserFile(), "[Sales]\nDriver = Pelta\n");
    void* library = dlopen(PELTA_LIBRARY, RTLD_NOW);
    ASSERT_NE(nullptr, library) << dlerror();
    const auto configDSNW = reinterpret_cast<BOOL (*)(HWND, WORD, LPCWSTR, LPCWSTR)>(dlsym(library, "ConfigDSNW"));
    ASSERT_NE(nullptr, configDSNW);
    EXPECT_TRUE(configDSNW(nullptr, ODBC_REMOVE_DSN, reinterpret_cast<LPCWSTR>(u"Pelta"),
                           reinterpret_cast<LPCWSTR>(u"X=1\0DSN=Sales\0")));
    EXPECT_EQ("", Section("Sales"));
    dlclose(library);
}

TEST_F(SetupEndToEndTest, FailuresReachTheCallerAsInstallerErrors)
{
    EXPECT_FALSE(Configure(7, "DSN=Sales"));
    EXPECT_EQ(std::vector<std::string>{ "5 Invalid type of request." }, InstallerErrors());
    EXPECT_EQ(std::vector<std::string>{ "DSN Configuration Error|Invalid type of request." }, g_dialog.m_boxes);

    g_dialog.m_result = DialogResult::NotShown;
    EXPECT_FALSE(Configure(ODBC_ADD_DSN, ""));
    const std::vector<std::string> errors = InstallerErrors();
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(0u, errors[0].find("11 The setup dialog cannot be shown")) << errors[0];

    // The registry cannot be written: the data source stays written.
    WriteTextFile(m_registry / "blocker", "");
    ScopedEnvironment unwritable("PELTA_REGISTRY_HKLM", m_registry / "blocker/machine.reg");
    g_dialog.m_result = DialogResult::Accepted;
    g_dialog.m_edit = [](PeltaDSNConfiguration& io_configuration) {
        io_configuration.SetDSN(u"Sales");
        io_configuration.SetLogLevel(u"6");
    };
    EXPECT_FALSE(Configure(ODBC_ADD_DSN, ""));
    EXPECT_EQ(std::vector<std::string>{
                  "11 Error writing changes to registry, ensure proper permissions have been granted." },
              InstallerErrors());
    EXPECT_EQ("Driver=Pelta;MaxColumnSize=4000;", Section("Sales"));
}

} // namespace
