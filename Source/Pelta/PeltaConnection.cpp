#include "Pelta/PeltaConnection.h"

#include "DSI/ConnectionPropertyKey.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSILog.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaError.h"
#include "Pelta/PeltaStatement.h"
#include "Pelta/Setup/OdbcInstaller.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Pelta/Setup/SetupUiHost.h"
#include "Platform/OsClock.h"
#include "Support/AttributeData.h"
#include "Support/NumberConversionException.h"
#include "Support/NumberConverter.h"

#include <mutex>

using Orvik::Support::AttributeData;
using Orvik::Support::orvik_wstring;
using Orvik::Support::Variant;
using Orvik::Support::VariantMap;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaConnection";
constexpr char SCHEME[] = "http://";
constexpr char STATEMENT_PATH[] = "/_sql?types";
constexpr int32_t REQUIRED_ONLY_PROMPT = 1;

enum class Kind
{
    TEXT,
    UINT16,
    INT16,
    UINT32
};

struct FixedProperty
{
    int32_t key;
    Kind kind;
    uint32_t number;
    const char16_t* text;
};

// The connection's fixed answers, stored in this order after the name properties and the
// capability groups; 81 replaces the 256 of the schema group.
constexpr FixedProperty FIXED_PROPERTIES[] = {
    {5, Kind::UINT32, 0, nullptr},          // SQL_ALTER_DOMAIN
    {6, Kind::UINT32, 9, nullptr},          // SQL_ALTER_TABLE
    {15, Kind::UINT16, 1, nullptr},         // SQL_CONCAT_NULL_BEHAVIOR
    {27, Kind::UINT32, 2, nullptr},         // SQL_CONVERT_FUNCTIONS
    {34, Kind::UINT32, 0x1201, nullptr},    // SQL_CREATE_TABLE
    {43, Kind::UINT32, 0, nullptr},         // SQL_DATETIME_LITERALS
    {52, Kind::UINT32, 1, nullptr},         // SQL_DROP_TABLE
    {60, Kind::UINT32, 5, nullptr},         // SQL_INSERT_STATEMENT
    {83, Kind::UINT16, 255, nullptr},       // SQL_MAX_TABLE_NAME_LEN
    {81, Kind::UINT16, 255, nullptr},       // SQL_MAX_SCHEMA_NAME_LEN
    {84, Kind::UINT16, 1, nullptr},         // SQL_MAX_TABLES_IN_SELECT
    {90, Kind::UINT32, 0, nullptr},         // SQL_NUMERIC_FUNCTIONS
    {91, Kind::INT16, 0, nullptr},          // SQL_ODBC_SQL_CONFORMANCE
    {92, Kind::UINT32, 0, nullptr},         // SQL_OJ_CAPABILITIES
    {94, Kind::TEXT, 0, u"N"},              // SQL_OUTER_JOINS
    {93, Kind::TEXT, 0, u"Y"},              // SQL_ORDER_BY_COLUMNS_IN_SELECT
    {95, Kind::UINT32, 2, nullptr},         // SQL_PARAM_ARRAY_ROW_COUNTS
    {104, Kind::UINT32, 1, nullptr},        // SQL_STRING_FUNCTIONS
    {105, Kind::UINT32, 0, nullptr},        // SQL_SUBQUERIES
    {106, Kind::UINT32, 0x8070D8, nullptr}, // SQL_CONVERT_BIGINT
    {108, Kind::UINT32, 0x800000, nullptr}, // SQL_CONVERT_BIT
    {113, Kind::UINT32, 0x8070D8, nullptr}, // SQL_CONVERT_DOUBLE
    {115, Kind::UINT32, 0x8070D8, nullptr}, // SQL_CONVERT_INTEGER
    {121, Kind::UINT32, 0x8070D8, nullptr}, // SQL_CONVERT_REAL
    {122, Kind::UINT32, 0x8070D8, nullptr}, // SQL_CONVERT_SMALLINT
    {124, Kind::UINT32, 0x8270D8, nullptr}, // SQL_CONVERT_TIMESTAMP
    {125, Kind::UINT32, 0x8070D8, nullptr}, // SQL_CONVERT_TINYINT
    {130, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_WVARCHAR
    {107, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_BINARY
    {109, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_CHAR
    {114, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_FLOAT
    {110, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_GUID
    {111, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_DATE
    {112, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_DECIMAL
    {116, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_INTERVAL_YEAR_MONTH
    {117, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_INTERVAL_DAY_TIME
    {118, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_LONGVARBINARY
    {119, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_LONGVARCHAR
    {120, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_NUMERIC
    {123, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_TIME
    {126, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_VARBINARY
    {127, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_VARCHAR
    {128, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_WCHAR
    {129, Kind::UINT32, 0, nullptr},        // SQL_CONVERT_WLONGVARCHAR
    {131, Kind::UINT32, 0, nullptr},        // SQL_SYSTEM_FUNCTIONS
    {133, Kind::UINT32, 0, nullptr},        // SQL_TIMEDATE_ADD_INTERVALS
    {134, Kind::UINT32, 0, nullptr},        // SQL_TIMEDATE_DIFF_INTERVALS
    {135, Kind::UINT32, 0, nullptr},        // SQL_TIMEDATE_FUNCTIONS
    {138, Kind::UINT32, 0, nullptr},        // SQL_UNION
    {151, Kind::TEXT, 0, u""},              // SQL_SEARCH_PATTERN_ESCAPE
    {154, Kind::UINT32, 4, nullptr},        // SQL_SQL92_DATETIME_FUNCTIONS
    {158, Kind::UINT32, 0x3F7F, nullptr},   // SQL_SQL92_PREDICATES
    {159, Kind::UINT32, 0, nullptr},        // SQL_SQL92_GRANT
    {160, Kind::UINT32, 0, nullptr},        // SQL_SQL92_RELATIONAL_JOIN_OPERATORS
    {161, Kind::UINT32, 0, nullptr},        // SQL_SQL92_REVOKE
    {162, Kind::UINT32, 0, nullptr},        // SQL_SQL92_ROW_VALUE_CONSTRUCTOR
    {163, Kind::UINT32, 0, nullptr},        // SQL_SQL92_STRING_FUNCTIONS
    {157, Kind::UINT32, 8, nullptr},        // SQL_SQL92_NUMERIC_VALUE_FUNCTIONS
    {164, Kind::UINT32, 2, nullptr},        // SQL_SQL92_VALUE_EXPRESSIONS
};

std::unique_ptr<AttributeData> Text(const orvik_wstring& in_text)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewWStringAttributeData(in_text));
}

std::unique_ptr<AttributeData> Make(const FixedProperty& in_property)
{
    switch (in_property.kind)
    {
    case Kind::UINT16:
        return std::unique_ptr<AttributeData>(
            AttributeData::MakeNewUInt16AttributeData(static_cast<uint16_t>(in_property.number)));
    case Kind::INT16:
        return std::unique_ptr<AttributeData>(
            AttributeData::MakeNewInt16AttributeData(static_cast<int16_t>(in_property.number)));
    case Kind::UINT32:
        return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(in_property.number));
    case Kind::TEXT:
        break;
    }
    return Text(in_property.text);
}

} // namespace

PeltaConnection::PeltaConnection(Orvik::DSI::DSIEnvironment* in_environment)
    : DSIConnection(in_environment, true), m_log(in_environment->GetLog())
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_CLASS);
    SetFixedProperties();
}

PeltaConnection::~PeltaConnection() = default;

void PeltaConnection::SetFixedProperties()
{
    SetProperty(Orvik::DSI::CONN_PROP_DBMS_NAME, Text(PELTA_WIDE_NAME));
    SetProperty(Orvik::DSI::CONN_PROP_SERVER_NAME, Text(PELTA_WIDE_NAME));
    SetProperty(Orvik::DSI::CONN_PROP_USER_NAME, Text(u"User"));
    SetCatalogSupport(true);
    SetProperty(Orvik::DSI::CONN_PROP_CURRENT_CATALOG, Text(PELTA_WIDE_NAME));
    SetDataSourceReadOnly(false);
    SetSchemaSupport(true);
    SetProcedureSupport(false);
    SetTransactionCapable(0);
    for (const FixedProperty& property : FIXED_PROPERTIES)
    {
        SetProperty(property.key, Make(property));
    }
}

void PeltaConnection::Connect(const VariantMap& in_settings)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Connect");
    if (&in_settings != &GetSettings())
    {
        GetSettings() = in_settings;
    }
    const Variant& servers = GetRequiredSetting(SETTING_SERVERS, GetSettings());
    std::deque<ServerEntry> list;
    if (!servers.GetString().empty())
    {
        ParseServers(list, servers.GetWString());
    }
    if (list.empty())
    {
        throw PeltaError("PeltaInvalidServer");
    }
    {
        std::lock_guard<std::recursive_mutex> lock(m_settings.serverLock);
        m_settings.endpoint = SCHEME + list.front().server;
        m_settings.activeServers = std::move(list);
        m_settings.inactiveServers.clear();
    }
    ReadNumericSetting(SETTING_MAX_COLUMN_SIZE, u"4000", m_settings.maxColumnSize);
    ReadNumericSetting(SETTING_TIMEOUT, u"5", m_settings.timeout);
    ReadNumericSetting(SETTING_RE_ENTRY_TIME, u"30", m_settings.reEntryTime);

    std::string clusterName;
    std::string versionNumber;
    {
        PeltaAPI probe(*m_log, m_settings);
        probe.TestConnection(clusterName, versionNumber);
    }
    SetProperty(Orvik::DSI::CONN_PROP_SERVER_NAME, Text(Utf8Parameter(clusterName)));
    SetProperty(Orvik::DSI::CONN_PROP_DBMS_VER, Text(Utf8Parameter(versionNumber)));
    m_settings.endpoint += STATEMENT_PATH;
}

void PeltaConnection::ReadNumericSetting(const char16_t* in_name, const char16_t* in_default, uint32_t& io_value)
{
    const Variant fallback(in_default);
    const std::string text = GetOptionalSetting(in_name, GetSettings(), &fallback)->GetString();
    if (text.empty())
    {
        return;
    }
    try
    {
        io_value = Orvik::Support::NumberConverter::ConvertStringToUInt32(text, true);
    }
    catch (const Orvik::Support::NumberConversionException&)
    {
        // The converter names only the rest of the text it stopped at; the user needs the setting.
        throw PeltaError("PeltaInvalidNumericSetting", {orvik_wstring(in_name), Utf8Parameter(text)});
    }
}

void PeltaConnection::ParseServers(std::deque<ServerEntry>& io_servers, const orvik_wstring& in_text)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "ParseServers");
    std::vector<orvik_wstring> pieces;
    if (in_text.Find(u",") < 0)
    {
        if (in_text.Find(u":") >= 0)
        {
            // Blanks around the one entry are no part of a host name, as around listed entries.
            orvik_wstring piece = in_text;
            piece.Trim();
            pieces.push_back(std::move(piece));
        }
    }
    else
    {
        int32_t position = 0;
        while (position != -1)
        {
            orvik_wstring piece = in_text.GetNextToken(position, u",");
            piece = piece.IsNull() ? orvik_wstring(u"") : piece;
            piece.Trim();
            pieces.push_back(std::move(piece));
        }
    }
    for (const orvik_wstring& piece : pieces)
    {
        ServerEntry entry{piece.GetAsUTF8(), Orvik::OS::GetMonotonicMilliseconds()};
        m_log->LogTrace(PELTA_NAME, LOG_CLASS, "ParseServers", "Server found: %s", entry.server.c_str());
        io_servers.push_back(std::move(entry));
    }
}

std::unique_ptr<Orvik::DSI::DSIStatement> PeltaConnection::CreateStatement()
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "CreateStatement");
    return std::make_unique<PeltaStatement>(this, m_settings);
}

void PeltaConnection::Disconnect()
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Disconnect");
}

Orvik::DSI::DSILog* PeltaConnection::GetLog()
{
    return m_log;
}

bool PeltaConnection::PromptDialog(const Orvik::DSI::ConnSettingRequestMap& /* in_requests */,
                                   VariantMap& io_settings,
                                   void* in_parentWindow,
                                   int32_t in_promptKind)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "PromptDialog");
    return ShowPromptDialog(io_settings, m_log, in_parentWindow, in_promptKind == REQUIRED_ONLY_PROMPT);
}

bool PeltaConnection::ShowPromptDialog(VariantMap& io_settings,
                                       Orvik::DSI::DSILog* in_log,
                                       void* in_parentWindow,
                                       bool in_requiredOnly)
{
    PeltaDSNConfiguration configuration(orvik_wstring(u""), in_log, OdbcInstaller::GetInstance());
    configuration.LoadConnectionSettings(io_settings);
    switch (SetupUiHost::Get(in_parentWindow).ShowMainDialog(in_parentWindow, configuration, in_requiredOnly))
    {
    case DialogResult::Accepted:
        configuration.RetrieveConnectionSettings(io_settings);
        return true;
    case DialogResult::Cancelled:
        return false;
    case DialogResult::NotShown:
        break;
    }
    // Reporting a cancel here would tell the application the user declined; nobody was asked.
    throw Orvik::Support::ErrorException(
        Orvik::Support::DIAG_DIALOG_FAILED, PELTA_COMPONENT_ID, orvik_wstring(u"PeltaDialogFailed"), -1, -1);
}

void PeltaConnection::UpdateConnectionSettings(const VariantMap& in_settings,
                                               Orvik::DSI::ConnSettingRequestMap& io_requests)
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "UpdateConnectionSettings");
    VerifyRequiredSetting(SETTING_SERVERS, in_settings, io_requests);
    VerifyOptionalSetting(SETTING_MAX_COLUMN_SIZE, in_settings, io_requests);
    VerifyOptionalSetting(SETTING_TIMEOUT, in_settings, io_requests);
    VerifyOptionalSetting(SETTING_RE_ENTRY_TIME, in_settings, io_requests);
}

} // namespace Pelta
