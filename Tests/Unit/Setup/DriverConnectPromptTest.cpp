// SQLDriverConnect through the ODBC layer over the real back end: a completion that lacks the
// servers asks for them in the setup dialog's connection mode and connects to the test server
// with what was typed; a cancel connects nothing, and without any user interface the prompt
// fails with IM008.

#include "ODBC/Settings/DataStorePromptProvider.h"
#include "Pelta/Setup/DialogMessages.h"
#include "Pelta/Setup/DialogWindow.h"

#include "SetupTestSupport.h"
#include "Unit/ODBC/DiagnosticsTestSupport.h"
#include "Unit/Pelta/PeltaOdbcTest.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <string>

using Orvik::ODBC::DataStorePromptProvider;
using Orvik::ODBC::PromptProvider;
using Orvik::Support::orvik_wstring;
using Pelta::DialogWindow;
using Pelta::Test::ScriptedSetupUi;

namespace {

constexpr int32_t SERVERS = 1026;
constexpr int32_t MAX_COLUMN_SIZE = 1022;

class DriverConnectPromptTest : public Pelta::Test::PeltaOdbcTest
{
protected:
    static void SetUpTestSuite() { StartServer(); }

    ~DriverConnectPromptTest() override { PromptProvider::Install(m_previousProvider); }

    /// SQLDriverConnectW of in_text over in_window: the result and its SQLSTATEs, then the
    /// completed string when there is one.
    std::string DriverConnect(const std::u16string& in_text, void* in_window, SQLUSMALLINT in_completion)
    {
        std::u16string text = in_text;
        SQLWCHAR out[512] = {};
        SQLSMALLINT length = -1;
        const SQLRETURN result = m_connection->SQLDriverConnectW(in_window, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS,
                                                                 out, 512, &length, in_completion);
        const std::string outcome = Orvik::Testing::Outcome(result, m_connection->GetDiagManager());
        return outcome + (length >= 0 ? " " + orvik_wstring(reinterpret_cast<const char16_t*>(out)).GetAsUTF8() : "");
    }

    DataStorePromptProvider m_provider;
    PromptProvider* m_previousProvider = PromptProvider::Install(&m_provider);
    int m_window = 0; ///< the application's window: only its address is handed on
};

TEST_F(DriverConnectPromptTest, MissingServersAreAskedForInTheConnectionDialogAndTheTypedOnesConnect)
{
    ScriptedSetupUi ui;
    ui.m_host.AddScript([](DialogWindow& io_dialog) {
        EXPECT_EQ(u"Pelta ODBC Driver Connection Dialog", io_dialog.GetTitle());
        EXPECT_FALSE(io_dialog.IsItemEnabled(1002));
        EXPECT_FALSE(io_dialog.IsItemVisible(1008));
        EXPECT_FALSE(io_dialog.IsItemEnabled(Pelta::IDOK));
        EXPECT_TRUE(io_dialog.IsItemEnabled(MAX_COLUMN_SIZE)) << "all settings are asked for";
        io_dialog.Type(SERVERS, u" " + orvik_wstring(s_server->Address()).GetAsWString() + u" ");
        EXPECT_TRUE(io_dialog.Click(Pelta::IDOK));
    });
    // The dialog hands back every setting it holds, the ones left empty too.
    EXPECT_EQ("0 DRIVER=Pelta;DESCRIPTION=;MaxColumnSize=;ReEntryTime=;Servers=" + s_server->Address() + ";TIMEOUT=4;",
              DriverConnect(u"DRIVER={Pelta};Timeout=4", &m_window, SQL_DRIVER_COMPLETE));
    EXPECT_TRUE(m_connection->IsConnected());
    EXPECT_TRUE(ui.m_host.GetProblems().empty());
    EXPECT_EQ(0u, ui.m_host.GetPendingScripts());

    // The dialog was the data store's: the connection probed the typed server.
    const auto log = s_server->Control("GET", "/log");
    EXPECT_NE(std::string::npos, log.body.find("\"probe\"")) << log.body;
}

TEST_F(DriverConnectPromptTest, ACancelConnectsNothingAndWithoutAUserInterfaceThePromptFails)
{
    {
        ScriptedSetupUi ui;
        ui.m_host.AddScript([](DialogWindow& io_dialog) {
            EXPECT_FALSE(io_dialog.IsItemEnabled(MAX_COLUMN_SIZE)) << "the required settings only";
            io_dialog.Type(SERVERS, u"h:1");
            io_dialog.Escape();
        });
        EXPECT_EQ("100", DriverConnect(u"DRIVER={Pelta}", &m_window, SQL_DRIVER_COMPLETE_REQUIRED));
        EXPECT_FALSE(m_connection->IsConnected());
    }
    // No window and no user interface: nobody can be asked.
    EXPECT_EQ("-1 IM008", DriverConnect(u"DRIVER={Pelta}", nullptr, SQL_DRIVER_COMPLETE));
    EXPECT_FALSE(m_connection->IsConnected());
}

} // namespace
