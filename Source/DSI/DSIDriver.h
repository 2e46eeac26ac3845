#pragma once

#include "DSI/IDriver.h"
#include "Support/CriticalSection.h"
#include "Support/orvik_wstring.h"

#include <map>

namespace Orvik {
namespace DSI {

class DSIFileLogger;

/// The driver properties that the data-store layer fixes; a back end overrides their values in
/// its constructor and may add more.
enum DriverPropertyKey : int32_t
{
    DRIVER_PROP_ACTIVE_ENVIRONMENTS = 1,
    DRIVER_PROP_ASYNC_MODE = 2,
    DRIVER_PROP_DRIVER_NAME = 3,
    DRIVER_PROP_DRIVER_ODBC_VER = 4,
    DRIVER_PROP_DRIVER_VER = 5,
    DRIVER_PROP_FILE_USAGE = 6,
    DRIVER_PROP_DATA_AT_EXECUTION_SIZE = 7,
    DRIVER_PROP_RETRIEVAL_SIZE = 8,
    DRIVER_PROP_PARAMETER_SOURCE_SIZE = 9,
    DRIVER_PROP_NATIVE_SQL_FIRST = 10,
    DRIVER_PROP_ODBC_INTERFACE_CONFORMANCE = 11,
    DRIVER_PROP_GETDATA_EXTENSIONS = 12,
    DRIVER_PROP_STANDARD_CLI_CONFORMANCE = 13,
    DRIVER_PROP_CHAR_ENCODING = 14,
    DRIVER_PROP_WCHAR_ENCODING = 15,
    DRIVER_PROP_XOPEN_CLI_YEAR = 16,
    DRIVER_PROP_NUMERIC_LEADING_ZERO = 17,
    DRIVER_PROP_MEMORY_STRATEGY = 18,
    DRIVER_PROP_MEMORY_LIMIT = 19,
    DRIVER_PROP_CONNECT_WITH_CREDENTIALS = 20,
    DRIVER_PROP_PAD_INTERVAL_LEADING_FIELD = 21,
    DRIVER_PROP_CATALOG_FILTERING = 22,
    DRIVER_PROP_MEMORY_THRESHOLD_PERCENT = 23,
    DRIVER_PROP_UNUSED_24 = 24,
    DRIVER_PROP_SHOW_ZERO_TIMESTAMP_FRACTION = 25,
    DRIVER_PROP_SHOW_ZERO_TIME_FRACTION = 26,
    DRIVER_PROP_NUMERIC_ZERO_AS_DIGIT = 27,
    DRIVER_PROP_ASYNC_DBC_FUNCTIONS = 28,
    DRIVER_PROP_SKIP_CONNECTION_LOCK = 29,
    DRIVER_PROP_APPROXIMATE_SIZE_IS_PRECISION = 30
};

/// The abstract data-store driver that a back end derives its driver from. It owns the driver
/// properties (keys 1 to 30 with their defaults), the shared message source, the default log,
/// the module handle and the message-file directory derived from it.
///
/// The property map takes no lock: it is written only while the driver is built (base and
/// deriving constructors), before DSIDriverSingleton publishes it, and only read afterwards.
class DSIDriver : public IDriver
{
public:
    ~DSIDriver() override;

    DSIDriver(const DSIDriver&) = delete;
    DSIDriver& operator=(const DSIDriver&) = delete;

    /// The base log is a DSIFileLogger on "driver.log", made at the first call.
    DSILog* GetDriverLog() override;
    ThreadCallback GetThreadCallback() override { return nullptr; }
    Support::ModuleHandle GetModuleHandle() override { return m_module; }
    Support::SharedPtr<DSIMessageSource> GetMessageSource() override;
    Support::AttributeData* GetProperty(int32_t in_key) override;
    bool IsTerminated() override { return m_isTerminated; }
    void Terminate() override { m_isTerminated = true; }
    void SetModuleHandle(Support::ModuleHandle in_module) override;
    std::unique_ptr<Support::TypedDataWrapperFactory> CreateTypeServices() override;
    std::unique_ptr<Support::ICredentialFactory> CreateCredentialFactory() override;
    Support::orvik_wstring GetErrorMessagePath() override { return m_messageDirectory; }

    /// Stores in_value under in_key, replacing (and deleting) a stored value.
    void SetProperty(int32_t in_key, std::unique_ptr<Support::AttributeData> in_value);

    /// True when in_hostPath ends, without regard to case, in the executable name of a host
    /// program that gets no asynchronous support (such as "QV.EXE"); a plain suffix test.
    static bool IsKnownHostApplication(const Support::orvik_wstring& in_hostPath);

protected:
    /// Builds the message source and the default properties for the running program.
    DSIDriver();

    /// The same as if in_hostPath were the running program's executable file.
    explicit DSIDriver(const Support::orvik_wstring& in_hostPath);

private:
    void SetDefaultPropertyValues(const Support::orvik_wstring& in_hostPath);
    void SetCharEncodingProperty();
    void ApplyMemoryManagerSettings();

    Support::SharedPtr<DSIMessageSource> m_messageSource;
    Support::ModuleHandle m_module = nullptr;
    std::map<int32_t, std::unique_ptr<Support::AttributeData>> m_properties;
    Support::CriticalSection m_driverLock; // guards the making of m_defaultLog
    std::unique_ptr<DSIFileLogger> m_defaultLog;
    bool m_isTerminated = false;
    Support::orvik_wstring m_messageDirectory;
};

} // namespace DSI
} // namespace Orvik
