#include "ODBC/Settings/ConnectionSettings.h"

#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Settings/ConnectionStringParser.h"
#include "ODBC/Settings/PromptProvider.h"
#include "ODBC/Strings/WStringHelper.h"
#include "Platform/OsOdbcProfile.h"
#include "Support/ConnectionSetting.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;
using DSI::ConnSettingRequestMap;

namespace {

const orvik_wstring DRIVER_KEY(u"DRIVER");
const orvik_wstring DSN_KEY(u"DSN");

void CopyRequests(const ConnSettingRequestMap& in_from, ConnSettingRequestMap& io_to)
{
    for (const auto& request : in_from)
    {
        io_to[request.first] = std::make_unique<ConnectionSetting>(*request.second);
    }
}

/// "{[A] [B]}" for the keys in_keys.
orvik_wstring ListKeys(const std::vector<orvik_wstring>& in_keys)
{
    orvik_wstring list(u"{");
    for (size_t i = 0; i < in_keys.size(); ++i)
    {
        list += orvik_wstring(i == 0 ? u"[" : u" [") + in_keys[i] + orvik_wstring(u"]");
    }
    return list + orvik_wstring(u"}");
}

/// One request of a browse request string: "*" when optional, the key, ":" and the name when it
/// has one, "=", the single value or the values in braces, ";".
orvik_wstring DescribeRequest(const orvik_wstring& in_key, const ConnectionSetting& in_request)
{
    orvik_wstring text(in_request.IsOptional() ? u"*" : u"");
    text += in_key;
    orvik_wstring name;
    in_request.GetName(name);
    if (name.GetLength() > 0)
    {
        text += orvik_wstring(u":") + name;
    }
    text += orvik_wstring(u"=");
    const std::vector<Variant>& values = in_request.GetValues();
    if (values.size() == 1)
    {
        text += values.front().GetWString();
    }
    else
    {
        std::vector<orvik_wstring> texts;
        for (const Variant& value : values)
        {
            texts.push_back(value.GetWString());
        }
        text += orvik_wstring(u"{") + orvik_wstring::Join(texts.begin(), texts.end(), orvik_wstring(u","))
                + orvik_wstring(u"}");
    }
    return text + orvik_wstring(u";");
}

bool IsAllowedValue(const ConnectionSetting& in_request, const Variant& in_value)
{
    const std::vector<Variant>& values = in_request.GetValues();
    if (!values.empty() && values.front().GetWString() == orvik_wstring(u"?"))
    {
        return true;
    }
    for (const Variant& allowed : values)
    {
        if (allowed.GetWString() == in_value.GetWString())
        {
            return true;
        }
    }
    return false;
}

} // namespace

ConnectionSettings::ConnectionSettings(const orvik_wstring& in_connectionString)
{
    m_isParsing = true;
    m_isDriverMode = true;
    LoadFromConnectionString(in_connectionString);
}

ConnectionSettings::ConnectionSettings(const orvik_wstring& in_dataSourceName,
                                       const orvik_wstring& in_userName,
                                       const orvik_wstring& in_password)
{
    m_settings.emplace(DSN_KEY, Variant(in_dataSourceName));
    if (!in_userName.IsNull())
    {
        m_settings.emplace(orvik_wstring(u"UID"), Variant(in_userName));
    }
    if (!in_password.IsNull())
    {
        m_settings.emplace(orvik_wstring(u"PWD"), Variant(in_password));
    }
    AddDataSourceKeys(in_dataSourceName);
}

ConnectionSettings::ConnectionSettings(const ConnectionSettings& in_other)
    : m_settings(in_other.m_settings),
      m_outputForms(in_other.m_outputForms),
      m_isParsing(in_other.m_isParsing),
      m_isDriverMode(in_other.m_isDriverMode)
{
    CopyRequests(in_other.m_required, m_required);
    CopyRequests(in_other.m_optional, m_optional);
}

ConnectionSettings& ConnectionSettings::operator=(const ConnectionSettings& in_other)
{
    if (this != &in_other)
    {
        ConnectionSettings copy(in_other);
        std::swap(m_settings, copy.m_settings);
        std::swap(m_required, copy.m_required);
        std::swap(m_optional, copy.m_optional);
        std::swap(m_outputForms, copy.m_outputForms);
        m_isParsing = copy.m_isParsing;
        m_isDriverMode = copy.m_isDriverMode;
    }
    return *this;
}

ConnectionSettings::~ConnectionSettings() = default;

void ConnectionSettings::LoadFromConnectionString(const orvik_wstring& in_connectionString)
{
    m_isParsing = true;
    m_required.clear();
    m_optional.clear();
    m_settings.clear();
    m_isDriverMode = ConnectionStringParser::Parse(in_connectionString, m_settings, m_outputForms);
    if (!m_isDriverMode)
    {
        const auto dataSource = m_settings.find(DSN_KEY);
        if (dataSource == m_settings.end())
        {
            m_isParsing = false;
            throw ODBCInternalException(u"InvalidConnStr");
        }
        AddDataSourceKeys(dataSource->second.GetWString());
    }
    m_isParsing = false;
}

void ConnectionSettings::AddDataSourceKeys(const orvik_wstring& in_dataSourceName)
{
    VariantMap entries;
    ReadDataSourceKeys(in_dataSourceName, entries);
    for (auto& entry : entries)
    {
        m_settings.emplace(entry.first, std::move(entry.second));
    }
}

void ConnectionSettings::ReadDataSourceKeys(const orvik_wstring& in_dataSourceName, VariantMap& io_entries)
{
    for (const OS::OdbcProfileEntry& entry : OS::ReadOdbcProfileSection(in_dataSourceName.GetAsUTF8(), "odbc.ini"))
    {
        const orvik_wstring key(entry.m_key.data(), static_cast<int32_t>(entry.m_key.size()), ENC_UTF8);
        const orvik_wstring value(entry.m_value.data(), static_cast<int32_t>(entry.m_value.size()), ENC_UTF8);
        io_entries[key] = Variant(value);
    }
}

void ConnectionSettings::UpdateRequests(DSI::DSIConnection& io_connection)
{
    ConnSettingRequestMap requests;
    io_connection.UpdateConnectionSettings(m_settings, requests);
    std::vector<orvik_wstring> conflicts;
    for (const auto& request : requests)
    {
        if (!request.second->IsSingleValue() && m_settings.find(request.first) != m_settings.end())
        {
            conflicts.push_back(request.first);
        }
    }
    if (!conflicts.empty())
    {
        throw ErrorException(DIAG_UNABLE_TO_CONNECT, ODBC_COMPONENT_ID, u"UnableToEstConn", {ListKeys(conflicts)}, -1, -1);
    }
    ApplyRequests(requests);
}

void ConnectionSettings::ApplyRequests(ConnSettingRequestMap& io_requests)
{
    m_required.clear();
    m_optional.clear();
    for (auto& request : io_requests)
    {
        if (request.second->IsOptional())
        {
            m_optional[request.first] = std::move(request.second);
        }
        else if (request.second->IsRequired())
        {
            m_required[request.first] = std::move(request.second);
        }
        else if (!request.second->GetValues().empty())
        {
            SetValue(request.first, request.second->GetValues().front().GetWString());
        }
    }
    io_requests.clear();
}

void ConnectionSettings::SetValue(const orvik_wstring& in_key, const orvik_wstring& in_value)
{
    m_settings[in_key] = Variant(in_value);
    m_outputForms[in_key] = Variant(ConnectionStringParser::EscapeValue(in_value));
}

orvik_wstring ConnectionSettings::ListMissingRequired() const
{
    std::vector<orvik_wstring> keys;
    for (const auto& request : m_required)
    {
        keys.push_back(request.first);
    }
    return ListKeys(keys);
}

bool ConnectionSettings::BuildOutConnectionString(bool& out_truncated,
                                                  SQLWCHAR* out_buffer,
                                                  SQLSMALLINT in_bufferLength,
                                                  SQLSMALLINT* out_length) const
{
    out_truncated = false;
    const bool isComplete = IsComplete();
    const orvik_wstring text = isComplete ? BuildCompletedString() : BuildBrowseRequestString();
    WStringHelper::CopyToBufferLen16(text, true, out_buffer, in_bufferLength, out_length, nullptr, &out_truncated);
    return isComplete;
}

orvik_wstring ConnectionSettings::BuildCompletedString() const
{
    const orvik_wstring& leadingKey = m_isDriverMode ? DRIVER_KEY : DSN_KEY;
    orvik_wstring leading(u"");
    orvik_wstring rest(u"");
    for (const auto& entry : m_outputForms)
    {
        const orvik_wstring pair = entry.first + orvik_wstring(u"=") + entry.second.GetWString() + orvik_wstring(u";");
        if (entry.first.IsEqual(leadingKey, false))
        {
            leading = pair;
        }
        else
        {
            rest += pair;
        }
    }
    return leading + rest;
}

orvik_wstring ConnectionSettings::BuildBrowseRequestString() const
{
    orvik_wstring text(u"");
    for (const ConnSettingRequestMap* requests : {&m_required, &m_optional})
    {
        for (const auto& request : *requests)
        {
            text += DescribeRequest(request.first, *request.second);
        }
    }
    return text;
}

bool ConnectionSettings::AnswersRequest(const orvik_wstring& in_key, const Variant& in_value, bool& out_isRequested) const
{
    for (const ConnSettingRequestMap* requests : {&m_required, &m_optional})
    {
        const auto request = requests->find(in_key);
        if (request != requests->end())
        {
            out_isRequested = true;
            return IsAllowedValue(*request->second, in_value);
        }
    }
    out_isRequested = false;
    return false;
}

bool ConnectionSettings::MergeBrowseInput(IDiagManager& io_diagnostics, const orvik_wstring& in_input)
{
    VariantMap settings;
    VariantMap outputForms;
    ConnectionStringParser::Parse(in_input, settings, outputForms);
    if (settings.empty())
    {
        return false;
    }
    for (const auto& entry : settings)
    {
        bool isRequested = false;
        if (!AnswersRequest(entry.first, entry.second, isRequested))
        {
            if (!isRequested)
            {
                io_diagnostics.PostWarning(DIAG_INVALID_CONNECTION_STRING_ATTRIBUTE, ODBC_COMPONENT_ID,
                                           u"InvalidConnStrAttr", -1, -1);
            }
            return false;
        }
    }
    m_settings.insert(settings.begin(), settings.end());
    m_outputForms.insert(outputForms.begin(), outputForms.end());
    return true;
}

void ConnectionSettings::ResetToDriverOrDsn()
{
    if (m_isParsing)
    {
        return;
    }
    const orvik_wstring& key = m_isDriverMode ? DRIVER_KEY : DSN_KEY;
    const auto form = m_outputForms.find(key);
    const orvik_wstring value = form == m_outputForms.end() ? orvik_wstring(u"") : form->second.GetWString();
    // The output forms follow the settings: a key dropped here must not reappear in the
    // completed string.
    m_outputForms.clear();
    LoadFromConnectionString(key + orvik_wstring(u"=") + value);
}

void ConnectionSettings::RemoveCredentials()
{
    for (const char16_t* key : {u"UID", u"PWD"})
    {
        m_settings.erase(orvik_wstring(key));
        m_outputForms.erase(orvik_wstring(key));
    }
    m_required.clear();
    m_optional.clear();
}

SQLRETURN ConnectionSettings::PromptForSettings(DSI::DSIConnection& io_connection,
                                                void* in_window,
                                                SQLUSMALLINT in_completion)
{
    PromptProvider* provider = PromptProvider::GetInstalled();
    if (provider == nullptr)
    {
        throw ErrorException(DIAG_DIALOG_FAILED, ODBC_COMPONENT_ID, u"DialogFailed", -1, -1);
    }
    const bool isRequiredOnly = in_completion == SQL_DRIVER_COMPLETE_REQUIRED;
    VariantMap settings(m_settings);
    ConnSettingRequestMap requests;
    CopyRequests(m_required, requests);
    CopyRequests(m_optional, requests);
    if (!provider->Prompt(io_connection, requests, settings, in_window, isRequiredOnly))
    {
        return SQL_NO_DATA;
    }
    for (;;)
    {
        requests.clear();
        io_connection.UpdateConnectionSettings(settings, requests);
        bool isRequiredMissing = false;
        for (const auto& request : requests)
        {
            if (settings.find(request.first) != settings.end())
            {
                throw ODBCInternalException(u"DataSourceDidNotGiveProperResp");
            }
            isRequiredMissing = isRequiredMissing || request.second->IsRequired();
        }
        if (!isRequiredMissing)
        {
            break;
        }
        if (!provider->Prompt(io_connection, requests, settings, in_window, isRequiredOnly))
        {
            return SQL_NO_DATA;
        }
    }
    ApplyRequests(requests);
    for (const auto& entry : settings)
    {
        SetValue(entry.first, entry.second.GetWString());
    }
    return SQL_SUCCESS;
}

} // namespace ODBC
} // namespace Orvik
