#include "Support/Platform.h"

#include "Platform/OsProcess.h"
#include "Support/CriticalSectionLock.h"
#include "Support/DriverManagerStringConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/PlatformStringConverter.h"

#include <atomic>
#include <cstdio>

namespace Orvik {

using namespace Support;

namespace {

// Written only while the driver loads and unloads, on one thread; read by every thread between.
std::atomic<Platform*> s_platform{nullptr};
int32_t s_initCount = 0;
std::atomic<bool> s_isTraceEnabled{false};

} // namespace

Platform::Platform()
    : m_stringConverter(std::make_unique<PlatformStringConverter>()),
      m_converterFactory(std::make_unique<EncodingConverterFactory>())
{
}

// ICU's own caches are left alone (no u_cleanup): other code in the host process may use ICU.
Platform::~Platform() = default;

Platform* Platform::InitializePlatform(bool in_trace)
{
    if (in_trace)
    {
        std::fprintf(stderr, "Entering Orvik::Platform::InitializePlatform(true) with s_initCount ==%d.\n",
                     s_initCount);
    }
    if (s_initCount++ == 0)
    {
        s_isTraceEnabled = in_trace;
        s_platform = new Platform();
    }
    else if (in_trace)
    {
        s_isTraceEnabled = true;
    }
    return s_platform;
}

void Platform::UninitializePlatform()
{
    if (s_isTraceEnabled)
    {
        std::fprintf(stderr, "Entering Orvik::Platform::UninitializePlatform() with s_initCount ==%d.\n",
                     s_initCount);
    }
    if (--s_initCount == 0)
    {
        delete s_platform.exchange(nullptr);
    }
}

Platform* Platform::GetPlatform()
{
    return s_platform;
}

IDriverManagerStringConverter& Platform::GetEncodingConverter()
{
    CriticalSectionLock lock(m_lock);
    if (!m_driverManagerConverter)
    {
        m_driverManagerConverter = std::make_unique<DriverManagerStringConverter>(
            orvik_wstring::GetDriverManagerEncoding(), *m_stringConverter);
    }
    return *m_driverManagerConverter;
}

IPlatformStringConverter& Platform::GetStringConverter()
{
    return *m_stringConverter;
}

EncodingConverterFactory& Platform::GetEncodingConverterFactory()
{
    return *m_converterFactory;
}

orvik_wstring Platform::GetExecutablePath()
{
    const std::string path = OS::GetExecutablePath();
    return orvik_wstring(path.data(), static_cast<int32_t>(path.size()), ENC_UTF8);
}

void Platform::Trace(const char* in_text)
{
    if (s_isTraceEnabled)
    {
        std::fprintf(stderr, "%s\n", in_text);
        std::fflush(stderr);
    }
}

void Platform::SetTraceEnabled(bool in_isEnabled)
{
    s_isTraceEnabled = in_isEnabled;
}

} // namespace Orvik
