#pragma once

#include "Support/CriticalSection.h"
#include "Support/orvik_wstring.h"

#include <memory>

namespace Orvik {

namespace Support {
class DriverManagerStringConverter;
class EncodingConverterFactory;
class IDriverManagerStringConverter;
class IPlatformStringConverter;
class PlatformStringConverter;
} // namespace Support

/// The process-wide platform service through which text conversion runs once the driver has
/// started: the pooled string converter, the driver manager string converter and the factory of
/// streaming converters. It also knows the host program's path and writes the start-up trace to
/// standard error. The driver's static object starts it at load and stops it at unload, on one
/// thread; the conversion services may then be used from any thread.
class Platform
{
public:
    /// Starts the platform, or takes one more reference to the running one. in_trace turns the
    /// standard-error trace on (it is never turned off here) and traces this call.
    static Platform* InitializePlatform(bool in_trace);

    /// Drops one reference; the last one deletes the platform. Each call matches an earlier
    /// InitializePlatform.
    static void UninitializePlatform();

    /// The running platform, or null before it starts and after it stops.
    static Platform* GetPlatform();

    /// The driver manager string converter, made on the first call for the driver manager
    /// encoding of that moment.
    Support::IDriverManagerStringConverter& GetEncodingConverter();

    Support::IPlatformStringConverter& GetStringConverter();

    Support::EncodingConverterFactory& GetEncodingConverterFactory();

    /// The full path of the host program's executable file; empty when the system cannot tell.
    static Support::orvik_wstring GetExecutablePath();

    /// Writes in_text and a line end to standard error when the trace is on.
    static void Trace(const char* in_text);

    static void SetTraceEnabled(bool in_isEnabled);

    virtual ~Platform();

    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

private:
    Platform();

    /// Guards the making of the driver manager string converter.
    Support::CriticalSection m_lock;
    std::unique_ptr<Support::PlatformStringConverter> m_stringConverter;
    std::unique_ptr<Support::EncodingConverterFactory> m_converterFactory;
    std::unique_ptr<Support::DriverManagerStringConverter> m_driverManagerConverter;
};

} // namespace Orvik
