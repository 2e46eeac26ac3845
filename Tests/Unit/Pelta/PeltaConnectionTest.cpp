// The connection: the settings it asks for, the server list, the strict numeric settings, the
// probe that names the server, the fixed properties and the refused prompt.

#include "DSI/ConnectionPropertyKey.h"
#include "DSI/DSIException.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaStatement.h"

#include "Unit/Pelta/BackEndTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Orvik::Support::AttributeData;
using Orvik::Support::Variant;
using Orvik::Support::VariantMap;
using namespace Pelta::Test;

namespace {

class PeltaConnectionTest : public BackEndTest
{
protected:
    static void SetUpTestSuite() { StartServer(2); }

    std::vector<std::string> Servers(const char16_t* in_text)
    {
        std::deque<Pelta::ServerEntry> servers;
        Connection().ParseServers(servers, in_text);
        std::vector<std::string> names;
        for (const Pelta::ServerEntry& server : servers)
        {
            names.push_back(server.server);
        }
        return names;
    }

    std::string ConnectWith(const VariantMap& in_settings)
    {
        return Outcome([&] { m_connection->Connect(in_settings); });
    }

    std::string Property(int32_t in_key)
    {
        AttributeData* value = m_connection->GetProperty(in_key);
        switch (value->GetAttributeType())
        {
        case Orvik::Support::ATTR_WSTRING: return "text " + value->GetWStringValue()->GetAsUTF8();
        case Orvik::Support::ATTR_UINT16: return "u16 " + std::to_string(value->GetUInt16Value());
        case Orvik::Support::ATTR_INT16: return "i16 " + std::to_string(value->GetInt16Value());
        case Orvik::Support::ATTR_UINT32: return "u32 " + std::to_string(value->GetUInt32Value());
        default: return "other";
        }
    }
};

TEST_F(PeltaConnectionTest, TheServerListIsOneEntryWithAColonOrEveryTrimmedPieceBetweenCommas)
{
    const struct
    {
        const char16_t* text;
        std::vector<std::string> servers;
    } cases[] = {
        {u"h:9200", {"h:9200"}},
        {u" h:9200 ", {"h:9200"}},
        {u"a:1, b:2", {"a:1", "b:2"}},
        {u"a:1,b", {"a:1", "b"}},
        {u"a:1,", {"a:1", ""}},
        {u",a:1", {"", "a:1"}},
        {u"a:1,,b:2", {"a:1", "", "b:2"}},
        {u"host", {}},
        {u"", {}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.servers, Servers(c.text)) << Orvik::Support::orvik_wstring(c.text).GetAsUTF8();
    }
}

TEST_F(PeltaConnectionTest, ConnectChecksServersAndTheNumericSettingsStrictly)
{
    const std::string live = Server().Address(0);
    const struct
    {
        std::vector<std::pair<const char16_t*, std::string>> settings;
        const char* outcome;
    } cases[] = {
        {{{u"Servers", live}}, "ok"},
        {{{u"SERVERS", live + ","}}, "ok"},
        {{{u"Servers", "host"}}, "PeltaInvalidServer HY000 117 []"},
        {{{u"Servers", ""}}, "PeltaInvalidServer HY000 117 []"},
        {{{u"Timeout", "5"}}, "DSIReqSettingNotFound 28000 2 [Servers]"},
        {{{u"Servers", live + " "}}, "ok"},
        {{{u"Servers", live}, {u"Timeout", "abc"}}, "PeltaInvalidNumericSetting HY000 117 [Timeout|abc]"},
        {{{u"Servers", live}, {u"ReEntryTime", "-1"}}, "PeltaInvalidNumericSetting HY000 117 [ReEntryTime|-1]"},
        {{{u"Servers", live}, {u"ReEntryTime", "1e3"}}, "PeltaInvalidNumericSetting HY000 117 [ReEntryTime|1e3]"},
        {{{u"Servers", live}, {u"MaxColumnSize", "4294967296"}},
         "PeltaInvalidNumericSetting HY000 117 [MaxColumnSize|4294967296]"},
        {{{u"Servers", live}, {u"MaxColumnSize", "+12"}}, "ok"},
    };
    for (const auto& c : cases)
    {
        VariantMap settings;
        for (const auto& setting : c.settings)
        {
            settings.emplace(setting.first, Variant(setting.second.c_str()));
        }
        EXPECT_EQ(c.outcome, ConnectWith(settings)) << c.outcome;
    }
}

TEST_F(PeltaConnectionTest, NumericSettingsAreStoredAndAnEmptyValueKeepsTheDefault)
{
    Connect({{u"MaxColumnSize", Variant("")}, {u"Timeout", Variant("7")}, {u"ReEntryTime", Variant("60")}});
    const Pelta::PeltaConnectionSettings& settings = Connection().GetConnectionSettings();
    EXPECT_EQ(4000u, settings.maxColumnSize);
    EXPECT_EQ(7u, settings.timeout);
    EXPECT_EQ(60u, settings.reEntryTime);
    EXPECT_EQ("http://" + Server().Address(0) + "/_sql?types", settings.endpoint);
}

TEST_F(PeltaConnectionTest, TheFirstServerThatAnswersNamesTheServerAndItsVersion)
{
    ASSERT_EQ(200, Server().Control("POST", "/listeners/0/down").status);
    VariantMap settings{{u"Servers", Variant((Server().Address(0) + ", " + Server().Address(1)).c_str())}};
    m_connection->Connect(settings);
    EXPECT_EQ("text test-cluster", Property(Orvik::DSI::CONN_PROP_SERVER_NAME));
    EXPECT_EQ("text 1.0.0", Property(Orvik::DSI::CONN_PROP_DBMS_VER));
    EXPECT_EQ(std::vector<std::string>{"GET /@1"}, RequestSequence(Server()));
    // The endpoint is the first listed server, whether it answered or not.
    EXPECT_EQ("http://" + Server().Address(0) + "/_sql?types", Connection().GetConnectionSettings().endpoint);

    ASSERT_EQ(200, Server().Control("POST", "/listeners/1/down").status);
    EXPECT_EQ(0u, ConnectWith(settings).find("PeltaNoServerAnswered 08001 117 [2|" + Server().Address(1) + "|"));
}

TEST_F(PeltaConnectionTest, AReconnectRebuildsBothServerQueuesFromTheNewList)
{
    Pelta::PeltaConnectionSettings& settings = Connection().GetConnectionSettings();
    m_connection->Connect({{u"Servers", Variant((Server().Address(0) + "," + Server().Address(1)).c_str())}});
    settings.inactiveServers.push_back(settings.activeServers.back());
    settings.activeServers.pop_back();
    m_connection->Disconnect();

    m_connection->Connect({{u"Servers", Variant(Server().Address(0).c_str())}});
    ASSERT_EQ(1u, settings.activeServers.size());
    EXPECT_EQ(Server().Address(0), settings.activeServers.front().server);
    EXPECT_TRUE(settings.inactiveServers.empty());
}

TEST_F(PeltaConnectionTest, StatementsHaveClientsOfTheirOwnOverTheConnectionsSharedServerQueues)
{
    m_connection->Connect({{u"Servers", Variant((Server().Address(0) + "," + Server().Address(1)).c_str())},
                           {u"ReEntryTime", Variant("600")}});
    std::unique_ptr<Orvik::DSI::DSIStatement> first = m_connection->CreateStatement();
    std::unique_ptr<Orvik::DSI::DSIStatement> second = m_connection->CreateStatement();
    Pelta::PeltaAPI& firstClient = static_cast<Pelta::PeltaStatement&>(*first).GetAPI();
    Pelta::PeltaAPI& secondClient = static_cast<Pelta::PeltaStatement&>(*second).GetAPI();
    ASSERT_NE(&firstClient, &secondClient);

    // The first statement finds listener 1 down and takes it out of rotation for both.
    ASSERT_EQ(200, Server().Control("POST", "/listeners/1/down").status);
    std::string reply;
    firstClient.ExecuteQuery(reply, "select 1", {});
    firstClient.ExecuteQuery(reply, "select 1", {});
    ASSERT_EQ(200, Server().Control("POST", "/listeners/1/up").status);
    ASSERT_EQ(200, Server().Control("POST", "/reset", "{}").status);
    secondClient.ExecuteQuery(reply, "select 1", {});
    secondClient.ExecuteQuery(reply, "select 1", {});
    EXPECT_EQ((std::vector<std::string>{"GET /@0", "POST /_sql?types@0", "GET /@0", "POST /_sql?types@0"}),
              RequestSequence(Server()));
}

TEST_F(PeltaConnectionTest, ItAsksForServersAsRequiredAndTheNumbersAsOptional)
{
    Orvik::DSI::ConnSettingRequestMap requests;
    m_connection->UpdateConnectionSettings({{u"TIMEOUT", Variant("3")}}, requests);
    std::vector<std::string> asked;
    for (const auto& request : requests)
    {
        asked.push_back(request.first.GetAsUTF8() + (request.second->IsRequired() ? " required" : " optional"));
    }
    EXPECT_EQ((std::vector<std::string>{"MaxColumnSize optional", "ReEntryTime optional", "Servers required"}), asked);
}

TEST_F(PeltaConnectionTest, APromptFailsWithDialogFailedInsteadOfReportingACancel)
{
    VariantMap settings{{u"Timeout", Variant("3")}};
    for (int32_t kind : {0, 1})
    {
        EXPECT_EQ("PeltaDialogFailed IM008 117 []",
                  Outcome([&] { m_connection->PromptDialog({}, settings, nullptr, kind); }));
    }
    EXPECT_EQ(1u, settings.size());
}

TEST_F(PeltaConnectionTest, TheFixedPropertiesHoldTheirValuesInTheirWidths)
{
    Connect();
    const struct
    {
        int32_t key;
        const char* value;
    } cases[] = {
        {41, "text Pelta"}, {139, "text User"}, {9, "text Y"}, {11, "text catalog"}, {12, "u32 31"},
        {22, "text Pelta"}, {16, "u32 0"}, {40, "text N"}, {99, "text schema"}, {100, "u32 31"},
        {96, "text "}, {97, "text N"}, {136, "u16 0"}, {6, "u32 9"}, {15, "u16 1"},
        {27, "u32 2"}, {34, "u32 4609"}, {52, "u32 1"}, {60, "u32 5"}, {83, "u16 255"},
        {81, "u16 255"}, {84, "u16 1"}, {91, "i16 0"}, {94, "text N"}, {93, "text Y"},
        {95, "u32 2"}, {104, "u32 1"}, {106, "u32 8417496"}, {113, "u32 8417496"}, {115, "u32 8417496"},
        {121, "u32 8417496"}, {122, "u32 8417496"}, {125, "u32 8417496"}, {124, "u32 8548568"}, {108, "u32 8388608"},
        {151, "text "}, {154, "u32 4"}, {158, "u32 16255"}, {157, "u32 8"}, {164, "u32 2"},
        {5, "u32 0"}, {43, "u32 0"}, {90, "u32 0"}, {92, "u32 0"}, {105, "u32 0"},
        {107, "u32 0"}, {109, "u32 0"}, {110, "u32 0"}, {111, "u32 0"}, {112, "u32 0"},
        {114, "u32 0"}, {116, "u32 0"}, {117, "u32 0"}, {118, "u32 0"}, {119, "u32 0"},
        {120, "u32 0"}, {123, "u32 0"}, {126, "u32 0"}, {127, "u32 0"}, {128, "u32 0"},
        {129, "u32 0"}, {130, "u32 0"}, {131, "u32 0"}, {133, "u32 0"}, {134, "u32 0"},
        {135, "u32 0"}, {138, "u32 0"}, {159, "u32 0"}, {160, "u32 0"}, {161, "u32 0"},
        {162, "u32 0"}, {163, "u32 0"}, {101, "text test-cluster"}, {42, "text 1.0.0"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.value, Property(c.key)) << "key " << c.key;
    }
}

} // namespace
