#include "Common/PrivateOdbcProfile.h"
#include "Unit/ODBC/ConnectionTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using Orvik::Support::orvik_wstring;

namespace {

SQLWCHAR* Text(std::u16string& io_text)
{
    return reinterpret_cast<SQLWCHAR*>(&io_text[0]);
}

std::string Utf8(const SQLWCHAR* in_text)
{
    return orvik_wstring(reinterpret_cast<const char16_t*>(in_text)).GetAsUTF8();
}

/// What the helpers below show of an out string in_text written whole, or cut to in_kept
/// characters.
std::string Whole(const std::string& in_text)
{
    return " [" + in_text + "] " + std::to_string(in_text.size());
}

std::string Cut(const std::string& in_text, size_t in_kept)
{
    return " [" + in_text.substr(0, in_kept) + "] " + std::to_string(in_text.size());
}

/// The value of in_key in the settings the data store connected with last.
std::string ConnectedWith(const FakeDataStoreConnection& in_dataStore, const char16_t* in_key)
{
    const auto& settings = in_dataStore.m_connectedWith.back();
    const auto found = settings.find(orvik_wstring(in_key));
    return found == settings.end() ? "(none)" : found->second.GetString();
}

class ConnectingTest : public ConnectionTest
{
protected:
    ConnectingTest()
        : m_dataSource(PrivateOdbcProfile::UniqueName("ConnectingDsn")),
          m_bareDataSource(PrivateOdbcProfile::UniqueName("BareDsn")),
          m_profile("[" + m_dataSource + "]\nDriver = Pelta\nServers = h:1\n[" + m_bareDataSource +
                    "]\nDriver = Pelta\nDescription = no servers\n")
    {
        m_connection = &NewConnection(m_dataStore);
    }

    /// SQLDriverConnectW with in_text and in_completion into an out buffer of in_bufferLength
    /// characters: the outcome, then the out string and its full length when one was written.
    std::string DriverConnect(const std::u16string& in_text, SQLUSMALLINT in_completion, SQLSMALLINT in_bufferLength = 256)
    {
        std::u16string text = in_text;
        SQLWCHAR out[256] = {};
        SQLSMALLINT length = -1;
        const SQLRETURN result =
            m_connection->SQLDriverConnectW(nullptr, Text(text), SQL_NTS, out, in_bufferLength, &length, in_completion);
        return Outcome(result, m_connection->GetDiagManager()) +
               (length >= 0 ? " [" + Utf8(out) + "] " + std::to_string(length) : "");
    }

    std::string Browse(const std::u16string& in_text, SQLSMALLINT in_bufferLength = 256)
    {
        std::u16string text = in_text;
        SQLWCHAR out[256] = {};
        SQLSMALLINT length = -1;
        const SQLRETURN result = m_connection->SQLBrowseConnectW(Text(text), SQL_NTS, out, in_bufferLength, &length);
        return Outcome(result, m_connection->GetDiagManager()) +
               (length >= 0 ? " [" + Utf8(out) + "] " + std::to_string(length) : "");
    }

    /// The data-source name the connection reports, or the outcome of asking.
    std::string DataSourceName()
    {
        SQLWCHAR name[64] = {};
        const SQLRETURN result = m_connection->SQLGetInfoW(SQL_DATA_SOURCE_NAME, name, sizeof(name), nullptr);
        return result == SQL_SUCCESS ? Utf8(name) : Outcome(result, m_connection->GetDiagManager());
    }

    std::u16string DataSource() const { return orvik_wstring(m_dataSource).GetAsWString(); }
    std::u16string BareDataSource() const { return orvik_wstring(m_bareDataSource).GetAsWString(); }

    std::string m_dataSource;
    std::string m_bareDataSource;
    PrivateOdbcProfile m_profile;
    FakeDataStoreConnection* m_dataStore = nullptr;
    Connection* m_connection = nullptr;
};

} // namespace

TEST_F(ConnectingTest, DriverConnectWithoutPromptingNamesTheMissingSettings)
{
    EXPECT_EQ("-1 08001", DriverConnect(u"DSN=" + BareDataSource(), SQL_DRIVER_NOPROMPT));
    EXPECT_NE(std::string::npos, RecordText(m_connection->GetDiagManager()).find("{[Servers]}"))
        << RecordText(m_connection->GetDiagManager());
    EXPECT_TRUE(m_dataStore->m_connectedWith.empty());
    EXPECT_FALSE(m_connection->IsConnected());

    EXPECT_EQ("0" + Whole("DSN=" + m_dataSource + ";UID=me;"),
              DriverConnect(u"UID=me;DSN=" + DataSource(), SQL_DRIVER_NOPROMPT));
    EXPECT_EQ("h:1", ConnectedWith(*m_dataStore, u"Servers"));
    EXPECT_TRUE(m_connection->IsConnected());
    EXPECT_EQ(m_dataSource, DataSourceName());
}

TEST_F(ConnectingTest, ThePromptProviderIsAskedOnlyWhenTheCompletionNeedsIt)
{
    // No provider: nothing can be shown.
    EXPECT_EQ("-1 IM008", DriverConnect(u"DRIVER={Pelta}", SQL_DRIVER_COMPLETE));
    EXPECT_EQ("-1 IM008", DriverConnect(u"DRIVER={Pelta};Servers=h", SQL_DRIVER_PROMPT));

    ScriptedPromptProvider user;
    EXPECT_EQ("0" + Whole("DRIVER={Pelta};SERVERS=h;"), DriverConnect(u"DRIVER={Pelta};Servers=h", SQL_DRIVER_COMPLETE));
    EXPECT_TRUE(user.m_shown.empty());
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLDisconnect());

    // Prompting always: the dialog shows even complete settings; cancelling connects nothing.
    EXPECT_EQ("100", DriverConnect(u"DRIVER={Pelta};Servers=h", SQL_DRIVER_PROMPT));
    EXPECT_EQ(1u, user.m_shown.size());
    EXPECT_FALSE(m_connection->IsConnected());
    EXPECT_EQ(1u, m_dataStore->m_connectedWith.size());

    // Completing: only the missing settings; only the required ones for COMPLETE_REQUIRED.
    // The dialog's settings are written back as the dialog holds them.
    user.m_answers = {{{u"Servers", u"typed:1"}}};
    EXPECT_EQ("0" + Whole("DRIVER=Pelta;Servers=typed:1;"), DriverConnect(u"DRIVER={Pelta}", SQL_DRIVER_COMPLETE_REQUIRED));
    EXPECT_EQ(u"Servers;Timeout;", user.m_shown.back());
    EXPECT_TRUE(user.m_requiredOnly.back());
    EXPECT_EQ("typed:1", ConnectedWith(*m_dataStore, u"Servers"));
}

TEST_F(ConnectingTest, ACutCompletedStringStillConnects)
{
    const std::string completed = "DRIVER={Pelta};SERVERS={h:1;h:2};";
    EXPECT_EQ("1 01004" + Cut(completed, 15),
              DriverConnect(u"DRIVER={Pelta};Servers={h:1;h:2}", SQL_DRIVER_NOPROMPT, 16));
    EXPECT_TRUE(m_connection->IsConnected());

    // A connect that failed is SQL_ERROR, and the cut string is still reported.
    FakeDataStoreConnection* other = nullptr;
    m_connection = &NewConnection(other);
    other->m_outcomes = {FakeDataStoreConnection::POSTS_ERROR};
    EXPECT_EQ("-1 08S01 01004" + Cut(completed, 15),
              DriverConnect(u"DRIVER={Pelta};Servers={h:1;h:2}", SQL_DRIVER_NOPROMPT, 16));
    EXPECT_FALSE(m_connection->IsConnected());

    other->m_outcomes = {FakeDataStoreConnection::REFUSES_LOGIN};
    EXPECT_EQ("-1 28000" + Whole("DRIVER={Pelta};SERVERS=h;"), DriverConnect(u"DRIVER={Pelta};Servers=h", SQL_DRIVER_NOPROMPT));
    EXPECT_FALSE(m_connection->IsConnected());
    EXPECT_EQ("-1 HY110", DriverConnect(u"DRIVER={Pelta};Servers=h", 7));
    EXPECT_EQ("-1 HY000", Outcome(m_connection->SQLDriverConnectW(nullptr, nullptr, 0, nullptr, 0, nullptr,
                                                                 SQL_DRIVER_NOPROMPT),
                                  m_connection->GetDiagManager()));
}

TEST_F(ConnectingTest, ConnectByDataSourceName)
{
    std::u16string name = BareDataSource();
    EXPECT_EQ("-1 08001", Outcome(m_connection->SQLConnectW(Text(name), SQL_NTS, nullptr, 0, nullptr, 0),
                                  m_connection->GetDiagManager()));
    std::u16string unknown = orvik_wstring(PrivateOdbcProfile::UniqueName("Unknown")).GetAsWString();
    EXPECT_EQ("-1 08001", Outcome(m_connection->SQLConnectW(Text(unknown), SQL_NTS, nullptr, 0, nullptr, 0),
                                  m_connection->GetDiagManager()));
    EXPECT_EQ("-1 HY096", DataSourceName());

    std::u16string known = DataSource();
    std::u16string user = u"me";
    std::u16string password = u"secret;}";
    EXPECT_EQ(SQL_SUCCESS, m_connection->SQLConnectW(Text(known), SQL_NTS, Text(user), 2, Text(password), SQL_NTS));
    EXPECT_EQ("me", ConnectedWith(*m_dataStore, u"UID"));
    EXPECT_EQ("secret;}", ConnectedWith(*m_dataStore, u"PWD"));
    EXPECT_EQ("h:1", ConnectedWith(*m_dataStore, u"Servers"));
    EXPECT_EQ(m_dataSource, DataSourceName());
}

TEST_F(ConnectingTest, TheDataSourceNameFollowsTheCurrentConnection)
{
    std::u16string first = DataSource();
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLConnectW(Text(first), SQL_NTS, nullptr, 0, nullptr, 0));
    EXPECT_EQ(m_dataSource, DataSourceName());
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLDisconnect());
    EXPECT_EQ("-1 HY096", DataSourceName());
    ASSERT_EQ("0" + Whole("DSN=" + m_bareDataSource + ";SERVERS=s;"),
              DriverConnect(u"DSN=" + BareDataSource() + u";Servers=s", SQL_DRIVER_NOPROMPT));
    EXPECT_EQ(m_bareDataSource, DataSourceName());
}

TEST_F(ConnectingTest, BrowseStepsToAConnection)
{
    const std::string requests = "Servers:Servers=?;*Timeout:Timeout=?;";
    EXPECT_EQ("99" + Whole(requests), Browse(u"DRIVER={Pelta};UID=me"));
    // An answer to no request repeats the requests.
    EXPECT_EQ("99 01S00" + Whole(requests), Browse(u"Colour=blue"));
    // A refused login takes the answers of the step back.
    m_dataStore->m_outcomes = {FakeDataStoreConnection::REFUSES_LOGIN};
    EXPECT_EQ("99 28000" + Whole(requests), Browse(u"Servers=h:1"));
    EXPECT_FALSE(m_connection->IsConnected());
    EXPECT_EQ("0" + Whole("DRIVER={Pelta};SERVERS=h:2;UID=me;"), Browse(u"Servers=h:2"));
    EXPECT_EQ("h:2", ConnectedWith(*m_dataStore, u"Servers"));
    EXPECT_EQ("me", ConnectedWith(*m_dataStore, u"UID"));
    EXPECT_TRUE(m_connection->IsConnected());
}

TEST_F(ConnectingTest, FirstBrowseStepWithCompleteSettings)
{
    // A completed string that does not fit: no connection yet.
    EXPECT_EQ("99 01004" + Cut("DRIVER={Pelta};SERVERS=h;", 15), Browse(u"DRIVER={Pelta};Servers=h", 16));
    EXPECT_TRUE(m_dataStore->m_connectedWith.empty());

    // A refused login asks again for the credentials, without the ones given.
    FakeDataStoreConnection* other = nullptr;
    m_connection = &NewConnection(other);
    other->m_required = {u"Servers", u"UID", u"PWD"};
    other->m_outcomes = {FakeDataStoreConnection::REFUSES_LOGIN};
    EXPECT_EQ("99 28000" + Whole("PWD:PWD=?;UID:UID=?;*Timeout:Timeout=?;"),
              Browse(u"DRIVER={Pelta};Servers=h;UID=me;PWD=wrong"));
    EXPECT_EQ("0" + Whole("DRIVER={Pelta};PWD=right;SERVERS=h;UID=you;"), Browse(u"UID=you;PWD=right"));
}

TEST_F(ConnectingTest, AFailedBrowseConnectIsAFailureEvenWhenTheStringWasCut)
{
    ASSERT_EQ("99" + Whole("Servers:Servers=?;*Timeout:Timeout=?;"), Browse(u"DRIVER={Pelta}"));
    m_dataStore->m_outcomes = {FakeDataStoreConnection::POSTS_ERROR};
    EXPECT_EQ("-1 08S01 01004" + Cut("DRIVER={Pelta};SERVERS={h:1;h:2};", 19), Browse(u"Servers={h:1;h:2}", 20));
    EXPECT_FALSE(m_connection->IsConnected());
}
