#pragma once

#include "Support/CriticalSection.h"
#include "Support/SharedPtr.h"

#include <cstdint>
#include <map>
#include <memory>

namespace Orvik {
namespace Support {
class AttributeData;
class ICredentials;
class WarningListener;
} // namespace Support

namespace DSI {

class DSIConnection;
class DSIDriver;
class DSILog;
class DSIMessageSource;

/// The environment properties that the data-store layer fixes.
enum EnvironmentPropertyKey : int32_t
{
    ENV_PROP_OUTPUT_NTS = 1,       ///< uint32 1 (SQL_TRUE); can never become 0
    ENV_PROP_UNUSED_2 = 2,         ///< uint16 0; no attribute maps to it
    ENV_PROP_ODBC_VERSION = 3,     ///< int32 3 (SQL_OV_ODBC3)
    ENV_PROP_CATALOG_CONVENTION = 4 ///< int32, set by the ODBC layer, not by the base
};

/// The abstract data-store environment that a back end derives its environment from: one per
/// ODBC environment handle. It keeps the environment properties under its own lock, the
/// warning listener the ODBC layer registers, and reaches the driver's log and message source
/// through its parent driver.
class DSIEnvironment
{
public:
    virtual ~DSIEnvironment();

    DSIEnvironment(const DSIEnvironment&) = delete;
    DSIEnvironment& operator=(const DSIEnvironment&) = delete;

    /// One more reference to the parent driver's message source.
    virtual Support::SharedPtr<DSIMessageSource> GetMessageSource();

    /// The registered listener, or null.
    virtual Support::WarningListener* GetWarningListener() { return m_warningListener; }

    /// Registers in_listener (not owned), replacing an earlier one.
    virtual void RegisterWarningListener(Support::WarningListener* in_listener) { m_warningListener = in_listener; }

    /// A connection that logs in with in_credentials; the base raises DSIException
    /// "FuncNotSupported".
    virtual std::unique_ptr<DSIConnection> CreateConnectionWithCredentials(Support::ICredentials* in_credentials);

    /// A new data-store connection; the caller owns it.
    virtual std::unique_ptr<DSIConnection> CreateConnection() = 0;

    /// The parent driver's log.
    virtual DSILog* GetLog();

    virtual DSIDriver* GetParentDriver() { return m_driver; }

    /// The property in_key, still owned by the environment; throws DSIException
    /// "DSIEnvPropNotFound" (the key) when absent.
    virtual Support::AttributeData* GetProperty(int32_t in_key);

    /// Stores in_value under in_key, replacing (and deleting) a stored value. Turning output NTS
    /// (key 1) to 0 raises ErrorException "EnvAttrOutputNtsNotSupported" (HYC00) and keeps 1;
    /// any other value for it is accepted and 1 kept.
    virtual void SetProperty(int32_t in_key, std::unique_ptr<Support::AttributeData> in_value);

protected:
    /// An environment of in_driver (not owned) with the default properties 1, 2 and 3.
    explicit DSIEnvironment(DSIDriver* in_driver);

private:
    Support::CriticalSection m_propertyLock; // guards m_properties
    std::map<int32_t, std::unique_ptr<Support::AttributeData>> m_properties;
    Support::WarningListener* m_warningListener = nullptr;
    DSIDriver* m_driver;
};

} // namespace DSI
} // namespace Orvik
