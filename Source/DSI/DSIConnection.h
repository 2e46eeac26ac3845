#pragma once

#include "Support/ConnectionSetting.h"
#include "Support/SharedPtr.h"
#include "Support/VariantMap.h"
#include "Support/orvik_wstring.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Orvik {
namespace ODBC {
class ConnectionTransactionState;
}
namespace Support {
class AttributeData;
class ISqlToCBulkConverterFactory;
class WarningListener;
enum AttributeType : int32_t;
} // namespace Support

namespace DSI {

class DSIEnvironment;
class DSILog;
class DSIMessageSource;
class DSIStatement;

/// The settings a connection still needs, by name (compared without regard to case), as
/// UpdateConnectionSettings reports them.
using ConnSettingRequestMap =
    std::map<Support::orvik_wstring, std::unique_ptr<Support::ConnectionSetting>, Support::CaseInsensitiveLess>;

/// Properties by key; the map owns the values.
using PropertyMap = std::map<int32_t, std::unique_ptr<Support::AttributeData>>;

/// Settings that a back end may keep beside the connection settings; the base keeps none.
using AuxiliarySettingsMap = std::map<Support::orvik_wstring, std::vector<Support::Variant>, Support::CaseInsensitiveLess>;

/// The abstract data-store connection that a back end derives its connection from. It keeps the
/// connection settings in force, the connection properties (keys 1 to 165, see
/// ConnectionPropertyKey.h) that answer SQLGetInfo and the connection attributes, the data-source
/// name and locale read from the settings on first use, and the connection's bulk converter
/// factory, made on first use. A back end connects, disconnects, makes statements, reports the
/// settings it still needs and prompts for them; everything else has a default here.
///
/// It takes no locks: the ODBC layer's connection-wide lock serialises every use of one
/// connection.
class DSIConnection
{
public:
    /// Makes and deletes a connection's bulk converter factory. The bulk conversion core
    /// installs them; until it does, asking for the factory fails.
    using BulkConverterFactoryCreator = Support::ISqlToCBulkConverterFactory* (*)(DSIConnection& in_connection);
    using BulkConverterFactoryDeleter = void (*)(Support::ISqlToCBulkConverterFactory* in_factory);

    /// Installs the bulk conversion core's maker and deleter of factories, for connections that
    /// have not made theirs yet. Called once, at start-up.
    static void SetBulkConverterFactoryHooks(BulkConverterFactoryCreator in_creator,
                                             BulkConverterFactoryDeleter in_deleter);

    /// Deletes every property value, then the bulk converter factory if one was made.
    virtual ~DSIConnection();

    DSIConnection(const DSIConnection&) = delete;
    DSIConnection& operator=(const DSIConnection&) = delete;

    /// One more reference to the message source, through the parent environment.
    virtual Support::SharedPtr<DSIMessageSource> GetMessageSource();

    /// The listener the ODBC layer registered, or null.
    virtual Support::WarningListener* GetWarningListener();

    /// Registers in_listener (not owned), replacing an earlier one.
    virtual void RegisterWarningListener(Support::WarningListener* in_listener);

    /// Throws DSIException "FuncNotSupported" here.
    virtual void BeginTransaction();

    /// Replaces the contents of io_properties with copies of every property, in key order.
    virtual void GetProperties(PropertyMap& io_properties);

    /// Throws DSIException "FuncNotSupported" here.
    virtual void Commit();

    /// Replaces the settings with in_settings and connects.
    virtual void Connect(const Support::VariantMap& in_settings) = 0;

    /// A new statement of this connection; the caller owns it.
    virtual std::unique_ptr<DSIStatement> CreateStatement() = 0;

    virtual void Disconnect() = 0;

    /// Custom properties: the base has none, and throws DSIException "CustomPropNotFound" with
    /// the key.
    virtual Support::AttributeData* GetCustomProperty(int32_t in_key);
    virtual Support::AttributeType GetCustomPropertyType(int32_t in_key);

    /// The data-source name: the "DSN" setting at the first call (empty without one), the same
    /// text afterwards.
    virtual Support::orvik_wstring GetDSN();

    /// The locale of the connection's messages: the "LOCALE" setting at the first call, or the
    /// driver locale without one; the same text afterwards.
    virtual std::string GetLocale();

    /// The driver's log.
    virtual DSILog* GetLog();

    virtual DSIEnvironment* GetParentEnvironment();

    /// The property in_key, still owned by the connection; a key that is not stored throws
    /// DSIException "DSIConnPropNotFound" with the key.
    virtual Support::AttributeData* GetProperty(int32_t in_key);

    /// The connection's bulk converter factory, made with this connection at the first call and
    /// kept for the connection's life. Without the bulk conversion core's hooks it throws
    /// DSIException "FuncNotSupported".
    virtual Support::ISqlToCBulkConverterFactory* GetDataConverterTable();

    /// False here.
    virtual bool IsCustomProperty(int32_t in_key);

    /// Shows the back end's settings dialog over io_settings for the settings in_requests names,
    /// only the required ones when in_promptKind is 1 (SQL_DRIVER_COMPLETE_REQUIRED), all of
    /// them when 0. Returns whether the user confirmed; io_settings then holds the dialog's
    /// values.
    virtual bool PromptDialog(const ConnSettingRequestMap& in_requests,
                              Support::VariantMap& io_settings,
                              void* in_parentWindow,
                              int32_t in_promptKind) = 0;

    /// Keeps the ODBC connection's transaction state (not owned); the base only stores it.
    virtual void SetTransactionListener(ODBC::ConnectionTransactionState* in_listener);

    /// Throws DSIException "FuncNotSupported" here.
    virtual void Rollback();

    /// Takes in_value, deletes it and throws DSIException "CustomPropNotFound" with the key.
    virtual void SetCustomProperty(int32_t in_key, std::unique_ptr<Support::AttributeData> in_value);

    /// Stores in_value under in_key, deleting the value it replaces. A current catalog (key 22)
    /// that IsCurrentCatalogValid rejects throws InvalidCatalogException "InvalidCurrentCatalog"
    /// (3D000) with the name and keeps the old value. A null value throws
    /// InvalidArgumentException.
    virtual void SetProperty(int32_t in_key, std::unique_ptr<Support::AttributeData> in_value);

    /// The SQL text as the data store would run it; unchanged here.
    virtual void ToNativeSQL(const Support::orvik_wstring& in_sql, Support::orvik_wstring& out_sql);

    /// Adds to io_requests a ConnectionSetting for every setting the back end needs and does not
    /// find in in_settings (through VerifyRequiredSetting and VerifyOptionalSetting).
    virtual void UpdateConnectionSettings(const Support::VariantMap& in_settings, ConnSettingRequestMap& io_requests) = 0;

    /// Nothing to cancel here.
    virtual void Cancel();
    virtual void ClearCancel();

    virtual AuxiliarySettingsMap& GetAuxiliarySettingsMap();

    /// Whether in_catalog may become the current catalog; true here.
    virtual bool IsCurrentCatalogValid(const Support::orvik_wstring& in_catalog);

    /// True when the schema term (key 99) is non-empty text and the schema usage (key 100) is
    /// not 0; false when reading either fails.
    bool IsSchemaSupported();

protected:
    /// A connection of in_environment (not owned); with in_setDefaults, every property gets its
    /// default (back ends pass true).
    DSIConnection(DSIEnvironment* in_environment, bool in_setDefaults);

    /// The settings in force; Connect replaces them.
    Support::VariantMap& GetSettings() { return m_settings; }

    /// The value of in_name in in_settings; a missing name throws DSIException
    /// "DSIReqSettingNotFound" (28000) with the name.
    static const Support::Variant& GetRequiredSetting(const Support::orvik_wstring& in_name,
                                                      const Support::VariantMap& in_settings);

    /// The value of in_name in in_settings, or in_default (which may be null) when it is missing.
    static const Support::Variant* GetOptionalSetting(const Support::orvik_wstring& in_name,
                                                      const Support::VariantMap& in_settings,
                                                      const Support::Variant* in_default);

    /// When in_settings lack in_name, records a required (or optional) request for it, named
    /// in_name with the single value "?", unless io_requests already hold one of that name.
    static void VerifyRequiredSetting(const Support::orvik_wstring& in_name,
                                      const Support::VariantMap& in_settings,
                                      ConnSettingRequestMap& io_requests);
    static void VerifyOptionalSetting(const Support::orvik_wstring& in_name,
                                      const Support::VariantMap& in_settings,
                                      ConnSettingRequestMap& io_requests);

    // Capability groups; each stores through SetProperty.

    /// Keys 9, 11, 12: "Y", "catalog", 31 or "N", "", 0.
    void SetCatalogSupport(bool in_isSupported);

    /// Key 16 (access mode) 0 either way; key 40 "Y" or "N".
    void SetDataSourceReadOnly(bool in_isReadOnly);

    /// Keys 99, 100, 81: "schema", 31, 16-bit 256 or "", 0, 0.
    void SetSchemaSupport(bool in_isSupported);

    /// Keys 96, 97: "procedure", "Y" or "", "N".
    void SetProcedureSupport(bool in_isSupported);

    /// Key 136 (SQL_TXN_CAPABLE) as a 16-bit value.
    void SetTransactionCapable(uint16_t in_value);

private:
    void SetDefaultPropertyValues();
    static void VerifySetting(const Support::orvik_wstring& in_name,
                              const Support::VariantMap& in_settings,
                              Support::ConnectionSettingKind in_kind,
                              ConnSettingRequestMap& io_requests);

    Support::VariantMap m_settings;
    PropertyMap m_properties;
    DSIEnvironment* m_environment;
    ODBC::ConnectionTransactionState* m_transactionListener = nullptr;
    std::string m_locale;
    bool m_isLocaleResolved = false;
    AuxiliarySettingsMap m_auxiliarySettings;
    std::unique_ptr<Support::ISqlToCBulkConverterFactory, BulkConverterFactoryDeleter> m_bulkConverterFactory{
        nullptr, nullptr};
    Support::WarningListener* m_warningListener = nullptr;
    Support::orvik_wstring m_dataSourceName{u""};
    bool m_isDataSourceNameResolved = false;
};

} // namespace DSI
} // namespace Orvik
