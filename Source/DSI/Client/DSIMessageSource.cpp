#include "DSI/Client/DSIMessageSource.h"

#include "DSI/Client/DSIMessageFileReader.h"
#include "DSI/Client/MessageManager.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/DSILog.h"
#include "DSI/IDriver.h"
#include "Support/ErrorException.h"
#include "Support/NumberConverter.h"

#include <exception>

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;

namespace {

const char* const LOG_NAMESPACE = "Orvik::DSI";
const char* const LOG_CLASS = "DSIMessageSource";
const char* const SEPARATOR = ", ";
constexpr char16_t MARKER = u'%';

// The driver's log, or null while no driver exists.
DSILog* GetDriverLog()
{
    IDriver* driver = DSIDriverSingleton::GetDriver();
    return driver != nullptr ? driver->GetDriverLog() : nullptr;
}

std::string Join(const std::vector<orvik_wstring>& in_parameters)
{
    return orvik_wstring::Join(in_parameters.begin(), in_parameters.end(), orvik_wstring(SEPARATOR)).GetAsUTF8();
}

// The text up to and including its first ")": the vendor, component and native-code prefix
// by which a warning names its message.
std::string MessagePrefix(const std::u16string& in_text)
{
    const size_t end = in_text.find(u')');
    return orvik_wstring(in_text.substr(0, end == std::u16string::npos ? end : end + 1)).GetAsUTF8();
}

// The 0-based index a marker names, or -1 when its text is no number.
int64_t MarkerIndex(const std::u16string& in_text)
{
    try
    {
        return Support::NumberConverter::ConvertWStringToInt64(orvik_wstring(in_text), true) - 1;
    }
    catch (const Support::ErrorException&)
    {
        return -1;
    }
}

void Warn(const char* in_format, size_t in_index, const std::u16string& in_text)
{
    if (DSILog* log = GetDriverLog())
    {
        log->LogWarning(LOG_NAMESPACE, LOG_CLASS, "GetParmeterizedMessage", in_format, static_cast<int>(in_index),
                        MessagePrefix(in_text).c_str());
    }
}

std::u16string Substitute(const std::u16string& in_text, const std::vector<orvik_wstring>& in_parameters)
{
    std::u16string result;
    std::vector<bool> used(in_parameters.size(), false);
    size_t position = 0;
    for (;;)
    {
        const size_t first = in_text.find(MARKER, position);
        const size_t second = first == std::u16string::npos ? first : in_text.find(MARKER, first + 1);
        if (second == std::u16string::npos)
        {
            result.append(in_text, position, std::u16string::npos);
            break;
        }
        const int64_t index = MarkerIndex(in_text.substr(first + 1, second - first - 1));
        if (index >= 0 && static_cast<uint64_t>(index) < in_parameters.size())
        {
            result.append(in_text, position, first - position);
            result += in_parameters[index].GetAsWString();
            if (used[index])
            {
                Warn("The parameter with index = %i has been used multiple times in error"
                     "                             message %s\n.",
                     static_cast<size_t>(index), in_text);
            }
            used[index] = true;
            position = second + 1;
        }
        else if (index == -1)
        {
            // The second "%" may open the next marker.
            result.append(in_text, position, second - position);
            position = second;
        }
        else
        {
            result.append(in_text, position, second + 1 - position);
            Warn("The parameter with index = %i is out of range in error message %s\n.", static_cast<size_t>(index),
                 in_text);
            position = second + 1;
        }
    }
    for (size_t index = 0; index < used.size(); ++index)
    {
        if (!used[index])
        {
            Warn("The parameter with index = %i has not been used in error message %s\n.", index, in_text);
        }
    }
    return result;
}

void LogSubstitutionFailure(const char* in_first, const char* in_firstValue, const orvik_wstring& in_text,
                            const std::vector<orvik_wstring>& in_parameters)
{
    DSILog* log = GetDriverLog();
    if (log == nullptr)
    {
        return;
    }
    const std::string text = in_text.GetAsUTF8();
    const std::string parameters = Join(in_parameters);
    if (in_first != nullptr)
    {
        log->LogError(LOG_NAMESPACE, LOG_CLASS, "GetParameterizedMessage", in_first, in_firstValue);
        log->LogError(LOG_NAMESPACE, LOG_CLASS, "GetParameterizedMessage",
                      "Previous error occurred while generating the parameterized error message for error "
                      "message \"%s\" with arguments [%s].",
                      text.c_str(), parameters.c_str());
        return;
    }
    log->LogError(LOG_NAMESPACE, LOG_CLASS, "GetParameterizedMessage",
                  "Unknown error occurred while generating the parameterized error message for error message "
                  "\"%s\" with arguments [%s].",
                  text.c_str(), parameters.c_str());
}

} // namespace

DSIMessageSource::DSIMessageSource(bool in_vendorFlag) : m_manager(std::make_unique<MessageManager>(in_vendorFlag))
{
    SetVendorName(u"Orvik");
}

DSIMessageSource::~DSIMessageSource() = default;

void DSIMessageSource::RegisterMessages(const std::string& in_fileName, int32_t in_componentId)
{
    m_manager->RegisterFile(in_componentId, in_fileName);
}

void DSIMessageSource::SetVendorName(const orvik_wstring& in_name)
{
    m_manager->SetVendorName(in_name);
}

uint32_t DSIMessageSource::GetNativeErrorCode(const orvik_wstring& in_key, int32_t in_componentId)
{
    orvik_wstring text;
    uint32_t nativeErrorCode = MESSAGE_NOT_FOUND;
    m_manager->GetMessage("en-US", in_key, in_componentId, text, nativeErrorCode);
    return nativeErrorCode;
}

void DSIMessageSource::LoadMessage(const std::string& in_locale,
                                   const orvik_wstring& in_key,
                                   int32_t in_componentId,
                                   orvik_wstring& out_message,
                                   uint32_t& out_nativeErrorCode)
{
    try
    {
        m_manager->GetMessage(in_locale, in_key, in_componentId, out_message, out_nativeErrorCode);
    }
    catch (...)
    {
        if (DSILog* log = GetDriverLog())
        {
            log->LogError(LOG_NAMESPACE, LOG_CLASS, "LoadMessage",
                          "Error occurred while attempting to load message with key '%s' for locale '%s' in "
                          "component %d.",
                          in_key.GetAsUTF8().c_str(), in_locale.c_str(), in_componentId);
        }
        throw;
    }
}

void DSIMessageSource::LoadMessage(const std::string& in_locale,
                                   const orvik_wstring& in_key,
                                   int32_t in_componentId,
                                   orvik_wstring& out_message)
{
    uint32_t nativeErrorCode = MESSAGE_NOT_FOUND;
    LoadMessage(in_locale, in_key, in_componentId, out_message, nativeErrorCode);
}

void DSIMessageSource::LoadMessage(const std::string& in_locale,
                                   const orvik_wstring& in_key,
                                   int32_t in_componentId,
                                   const std::vector<orvik_wstring>& in_parameters,
                                   orvik_wstring& out_message,
                                   uint32_t& out_nativeErrorCode)
{
    try
    {
        m_manager->GetMessage(in_locale, in_key, in_componentId, out_message, out_nativeErrorCode);
    }
    catch (...)
    {
        if (DSILog* log = GetDriverLog())
        {
            log->LogError(LOG_NAMESPACE, LOG_CLASS, "LoadMessage",
                          "Error occurred while attempting to load message with key '%s' and arguments [%s] for "
                          "locale '%s' in component %d.",
                          in_key.GetAsUTF8().c_str(), Join(in_parameters).c_str(), in_locale.c_str(), in_componentId);
        }
        throw;
    }
    if (out_nativeErrorCode != MESSAGE_NOT_FOUND)
    {
        out_message = GetParmeterizedMessage(out_message, in_parameters);
    }
}

void DSIMessageSource::LoadMessage(const std::string& in_locale,
                                   const orvik_wstring& in_key,
                                   int32_t in_componentId,
                                   const std::vector<orvik_wstring>& in_parameters,
                                   orvik_wstring& out_message)
{
    uint32_t nativeErrorCode = MESSAGE_NOT_FOUND;
    LoadMessage(in_locale, in_key, in_componentId, in_parameters, out_message, nativeErrorCode);
}

orvik_wstring DSIMessageSource::GetParmeterizedMessage(const orvik_wstring& in_text,
                                                       const std::vector<orvik_wstring>& in_parameters)
{
    try
    {
        return orvik_wstring(Substitute(in_text.GetAsWString(), in_parameters));
    }
    catch (const Support::ErrorException& error)
    {
        LogSubstitutionFailure("ErrorException thrown: \"%s\".", error.ToString().GetAsUTF8().c_str(), in_text,
                               in_parameters);
    }
    catch (const std::exception& error)
    {
        LogSubstitutionFailure("%s", error.what(), in_text, in_parameters);
    }
    catch (...)
    {
        LogSubstitutionFailure(nullptr, nullptr, in_text, in_parameters);
    }
    return in_text;
}

} // namespace DSI
} // namespace Orvik
