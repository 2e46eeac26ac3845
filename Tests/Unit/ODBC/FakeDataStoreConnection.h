#pragma once

// Test helper: a data-store connection whose settings requests, dialog, connect and transaction
// support a test sets, and which records how the ODBC layer used it.

#include "DSI/DSIConnection.h"
#include "DSI/DSIException.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Settings/PromptProvider.h"
#include "Support/AttributeData.h"
#include "Support/ConnectionSetting.h"
#include "Support/ErrorException.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Orvik {
namespace Testing {

class FakeDataStoreConnection : public DSI::DSIConnection
{
public:
    /// How Connect ends.
    enum ConnectOutcome
    {
        CONNECTS,
        REFUSES_LOGIN, ///< raises 28000
        POSTS_ERROR,   ///< posts an error through the warning listener and returns
        RAISES_ERROR   ///< raises 08001
    };

    explicit FakeDataStoreConnection(DSI::DSIEnvironment* in_environment = nullptr)
        : DSIConnection(in_environment, true)
    {
    }

    void Connect(const Support::VariantMap& in_settings) override
    {
        m_connectedWith.push_back(in_settings);
        switch (m_outcomes.empty() ? CONNECTS : TakeOutcome())
        {
        case REFUSES_LOGIN:
            throw Support::ErrorException(Support::DIAG_INVALID_AUTHORIZATION, 2, u"LoginRefused", -1, -1);
        case RAISES_ERROR:
            throw Support::ErrorException(Support::DIAG_UNABLE_TO_CONNECT, 2, u"ServerUnreachable", -1, -1);
        case POSTS_ERROR:
            dynamic_cast<ODBC::IDiagManager&>(*GetWarningListener())
                .PostError(Support::DIAG_COMMUNICATION_LINK_FAILURE, 2, u"LinkLost", -1, -1);
            break;
        case CONNECTS:
            break;
        }
        GetSettings() = in_settings;
        if (m_onConnect)
        {
            m_onConnect(*this);
        }
    }

    std::unique_ptr<DSI::DSIStatement> CreateStatement() override { throw DSI::DSIException(u"FuncNotSupported"); }

    void Disconnect() override { ++m_disconnects; }

    bool PromptDialog(const DSI::ConnSettingRequestMap&, Support::VariantMap&, void*, int32_t) override
    {
        return false;
    }

    /// Requests each key of m_required and m_optional that in_settings lack, and supplies each
    /// of m_supplied that they lack as a single value.
    void UpdateConnectionSettings(const Support::VariantMap& in_settings, DSI::ConnSettingRequestMap& io_requests) override
    {
        for (const std::u16string& key : m_required)
        {
            VerifyRequiredSetting(Support::orvik_wstring(key), in_settings, io_requests);
        }
        for (const std::u16string& key : m_optional)
        {
            VerifyOptionalSetting(Support::orvik_wstring(key), in_settings, io_requests);
        }
        for (const auto& supplied : m_supplied)
        {
            const Support::orvik_wstring key(supplied.first);
            if (in_settings.find(key) == in_settings.end())
            {
                auto setting = std::make_unique<Support::ConnectionSetting>(Support::ConnectionSettingKind::SingleValue);
                setting->SetName(key);
                setting->AddValue(Support::Variant(Support::orvik_wstring(supplied.second)));
                io_requests[key] = std::move(setting);
            }
        }
        for (const auto& extra : m_extraRequests)
        {
            auto setting = std::make_unique<Support::ConnectionSetting>(extra.second);
            setting->SetName(Support::orvik_wstring(extra.first));
            setting->AddValue(Support::Variant(Support::orvik_wstring(u"?")));
            io_requests[Support::orvik_wstring(extra.first)] = std::move(setting);
        }
    }

    void Cancel() override { ++m_cancels; }
    void ClearCancel() override { ++m_clearedCancels; }

    void BeginTransaction() override { Count(m_begins, m_beginFails); }
    void Commit() override
    {
        Count(m_commits, m_commitFails);
        if (m_commitWarns)
        {
            dynamic_cast<ODBC::IDiagManager&>(*GetWarningListener())
                .PostWarning(Support::DIAG_GENERAL_WARNING, 2, u"CommitWarning", -1, -1);
        }
    }
    void Rollback() override { Count(m_rollbacks, m_commitFails); }

    /// Sets a property, as the back end does for its capabilities.
    void SetNumber(int32_t in_key, Support::AttributeData* in_value)
    {
        SetProperty(in_key, std::unique_ptr<Support::AttributeData>(in_value));
    }

    void SetText(int32_t in_key, const char16_t* in_text)
    {
        SetProperty(in_key, std::unique_ptr<Support::AttributeData>(
                                Support::AttributeData::MakeNewWStringAttributeData(Support::orvik_wstring(in_text))));
    }

    using DSIConnection::SetCatalogSupport;
    using DSIConnection::SetDataSourceReadOnly;
    using DSIConnection::SetSchemaSupport;
    using DSIConnection::SetTransactionCapable;

    std::vector<std::u16string> m_required{u"Servers"};
    std::vector<std::u16string> m_optional{u"Timeout"};
    std::vector<std::pair<std::u16string, std::u16string>> m_supplied;
    /// Requests made whatever the settings hold (a data store that does not answer properly).
    std::vector<std::pair<std::u16string, Support::ConnectionSettingKind>> m_extraRequests;
    /// The outcomes of the next connects, in order; connects succeed once they are used up.
    std::vector<ConnectOutcome> m_outcomes;
    std::vector<Support::VariantMap> m_connectedWith;
    /// Runs at the end of a connect that succeeds, as a data store learns its capabilities.
    std::function<void(FakeDataStoreConnection&)> m_onConnect;
    int m_cancels = 0;
    int m_clearedCancels = 0;
    int m_disconnects = 0;
    int m_begins = 0;
    int m_commits = 0;
    int m_rollbacks = 0;
    bool m_beginFails = false;
    bool m_commitFails = false;
    bool m_commitWarns = false;

private:
    ConnectOutcome TakeOutcome()
    {
        const ConnectOutcome outcome = m_outcomes.front();
        m_outcomes.erase(m_outcomes.begin());
        return outcome;
    }

    static void Count(int& io_count, bool in_fails)
    {
        if (in_fails)
        {
            throw Support::ErrorException(Support::DIAG_GENERAL_ERROR, 2, u"TransactionFailed", -1, -1);
        }
        ++io_count;
    }
};

/// A prompt provider that plays the user: each prompt records what it was shown, applies the next
/// of m_answers to the settings and confirms, or cancels when the answers are used up.
class ScriptedPromptProvider : public ODBC::PromptProvider
{
public:
    using Answer = std::vector<std::pair<std::u16string, std::u16string>>;

    ScriptedPromptProvider() : m_previous(Install(this)) {}
    ~ScriptedPromptProvider() override { Install(m_previous); }

    bool Prompt(DSI::DSIConnection&,
                const DSI::ConnSettingRequestMap& in_requests,
                Support::VariantMap& io_settings,
                void* in_window,
                bool in_requiredOnly) override
    {
        std::u16string shown;
        for (const auto& request : in_requests)
        {
            shown += request.first.GetAsWString() + u";";
        }
        m_shown.push_back(shown);
        m_windows.push_back(in_window);
        m_requiredOnly.push_back(in_requiredOnly);
        if (m_answers.empty())
        {
            return false;
        }
        for (const auto& entry : m_answers.front())
        {
            io_settings[Support::orvik_wstring(entry.first)] = Support::Variant(Support::orvik_wstring(entry.second));
        }
        m_answers.erase(m_answers.begin());
        return true;
    }

    std::vector<Answer> m_answers;
    /// Per prompt: the keys of the requests shown, each followed by ";".
    std::vector<std::u16string> m_shown;
    std::vector<void*> m_windows;
    std::vector<bool> m_requiredOnly;

private:
    ODBC::PromptProvider* m_previous;
};

} // namespace Testing
} // namespace Orvik
