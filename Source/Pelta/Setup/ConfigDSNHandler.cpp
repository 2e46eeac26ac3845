#include "Pelta/Setup/ConfigDSNHandler.h"

#include "DSI/DSILog.h"
#include "DSI/IDriver.h"
#include "Pelta/DSIDriverFactory.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/Setup/DriverUse.h"
#include "Pelta/Setup/IOdbcInstaller.h"
#include "Pelta/Setup/PeltaDSNConfiguration.h"
#include "Pelta/Setup/PeltaSetupException.h"
#include "Pelta/Setup/SetupDialogSupport.h"
#include "Pelta/Setup/SetupStrings.h"
#include "Pelta/Setup/SetupUiHost.h"
#include "Support/ErrorException.h"
#include "Support/OrvikSettingReader.h"

#include <new>

using Orvik::Support::EncodingType;
using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "ConfigDSN";
constexpr char LOG_METHOD[] = "ConfigDSNInternal";
constexpr char16_t SETTINGS_COMPONENT[] = u"Driver";

// The installer's request codes.
constexpr uint16_t ODBC_ADD_DSN = 1;
constexpr uint16_t ODBC_CONFIG_DSN = 2;
constexpr uint16_t ODBC_REMOVE_DSN = 3;
constexpr uint16_t ODBC_ADD_SYS_DSN = 4;
constexpr uint16_t ODBC_CONFIG_SYS_DSN = 5;
constexpr uint16_t ODBC_REMOVE_SYS_DSN = 6;

// The installer's error codes posted for failures that are not setup errors.
constexpr int32_t ODBC_ERROR_REQUEST_FAILED = 11;
constexpr int32_t ODBC_ERROR_OUT_OF_MEM = 21;
constexpr char16_t OUT_OF_MEMORY_TEXT[] = u"Out of memory.";
constexpr int32_t REQUEST_FAILED_STRING = 108;

// ConfigDSN's 8-bit text: the ANSI encoding a setting names, else UTF-8, which is what the
// installer and its profile files carry (the locale's code set may not hold the names).
EncodingType SetupAnsiEncoding()
{
    const EncodingType configured = Orvik::Support::OrvikSettingReader::GetAppCharEncoding();
    return configured == Orvik::Support::ENC_NONE ? Orvik::Support::ENC_UTF8 : configured;
}

// The number of code units of the list's attributes with the NULs between them: the list ends
// at its first empty attribute.
template <class Unit>
int32_t MeasureAttributeList(const Unit* in_list)
{
    int32_t position = 0;
    while (position < ConfigDSNHandler::MAX_ATTRIBUTE_LIST_LENGTH)
    {
        if (in_list[position] == 0)
        {
            return position == 0 ? 0 : position - 1;
        }
        while (position < ConfigDSNHandler::MAX_ATTRIBUTE_LIST_LENGTH && in_list[position] != 0)
        {
            ++position;
        }
        ++position;
    }
    throw PeltaSetupException(SETUP_INVALID_KEYWORD_VALUE);
}

std::string DsnForLog(const PeltaDSNConfiguration& in_configuration)
{
    return in_configuration.GetDSN().GetAsUTF8();
}

} // namespace

ConfigDSNHandler::ConfigDSNHandler(IOdbcInstaller& in_installer, Orvik::DSI::DSIDriverSingleton::DriverFactory in_factory)
    : m_installer(in_installer), m_factory(in_factory != nullptr ? in_factory : &DSIDriverFactory)
{
}

int32_t ConfigDSNHandler::ConfigDSN(WindowHandle in_parent,
                                    uint16_t in_request,
                                    const char* in_driver,
                                    const char* in_attributes) noexcept
{
    try
    {
        // The encoding is a setting: the reader must exist before the texts are read.
        Orvik::Support::OrvikSettingReader::Initialize(PELTA_WIDE_NAME, SETTINGS_COMPONENT);
        const EncodingType encoding = SetupAnsiEncoding();
        const orvik_wstring driver(in_driver, Orvik::Support::NUL_TERMINATED, encoding);
        return ConfigDSNInternal(in_parent, in_request, driver, ReadAttributeList(in_attributes, encoding));
    }
    catch (...)
    {
        return ReportFailure(in_parent);
    }
}

int32_t ConfigDSNHandler::ConfigDSNW(WindowHandle in_parent,
                                     uint16_t in_request,
                                     const char16_t* in_driver,
                                     const char16_t* in_attributes) noexcept
{
    try
    {
        return ConfigDSNInternal(in_parent, in_request, orvik_wstring(in_driver), ReadAttributeList(in_attributes));
    }
    catch (...)
    {
        return ReportFailure(in_parent);
    }
}

int32_t ConfigDSNHandler::ConfigDSNInternal(WindowHandle in_parent,
                                            uint16_t in_request,
                                            const orvik_wstring& in_driver,
                                            const orvik_wstring& in_attributes)
{
    Orvik::Support::OrvikSettingReader::Initialize(PELTA_WIDE_NAME, SETTINGS_COMPONENT);
    const DriverUse driver(m_factory);
    Orvik::DSI::DSILog* log = (*driver).GetDriverLog();
    log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_METHOD);
    try
    {
        return HandleRequest(in_parent, in_request, in_driver, in_attributes, log);
    }
    catch (...)
    {
        return ReportFailure(in_parent);
    }
}

orvik_wstring ConfigDSNHandler::ReadAttributeList(const char* in_list, EncodingType in_encoding)
{
    if (in_list == nullptr)
    {
        return orvik_wstring();
    }
    return orvik_wstring(in_list, MeasureAttributeList(in_list), in_encoding);
}

orvik_wstring ConfigDSNHandler::ReadAttributeList(const char16_t* in_list)
{
    if (in_list == nullptr)
    {
        return orvik_wstring();
    }
    return orvik_wstring(in_list, MeasureAttributeList(in_list));
}

int32_t ConfigDSNHandler::HandleRequest(WindowHandle in_parent,
                                        uint16_t in_request,
                                        const orvik_wstring& in_driver,
                                        const orvik_wstring& in_attributes,
                                        Orvik::DSI::DSILog* in_log)
{
    PeltaDSNConfiguration configuration(in_driver, in_log, m_installer);
    switch (in_request)
    {
    case ODBC_ADD_DSN:
    case ODBC_ADD_SYS_DSN:
        in_log->LogInfo(PELTA_NAME, LOG_CLASS, LOG_METHOD, "Adding new DSN.");
        configuration.LoadDefaults();
        return EditAndSave(in_parent, configuration, in_log);
    case ODBC_CONFIG_DSN:
    case ODBC_CONFIG_SYS_DSN:
        in_log->LogInfo(PELTA_NAME, LOG_CLASS, LOG_METHOD, "Modifying existing DSN.");
        configuration.Load(in_attributes);
        in_log->LogInfo(PELTA_NAME, LOG_CLASS, LOG_METHOD, "Loaded settings for DSN: %s", DsnForLog(configuration).c_str());
        return EditAndSave(in_parent, configuration, in_log);
    case ODBC_REMOVE_DSN:
    case ODBC_REMOVE_SYS_DSN:
        configuration.Load(in_attributes);
        in_log->LogInfo(PELTA_NAME, LOG_CLASS, LOG_METHOD, "Removing DSN: %s", DsnForLog(configuration).c_str());
        if (!m_installer.RemoveDSNFromIni(configuration.GetDSN()))
        {
            throw PeltaSetupException(SETUP_REQUEST_FAILED);
        }
        return SETUP_TRUE;
    default:
        throw PeltaSetupException(SETUP_INVALID_REQUEST_TYPE);
    }
}

int32_t ConfigDSNHandler::EditAndSave(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, Orvik::DSI::DSILog* in_log)
{
    switch (SetupUiHost::Get(in_parent).ShowMainDialog(in_parent, io_configuration, false))
    {
    case DialogResult::Accepted:
        in_log->LogInfo(PELTA_NAME, LOG_CLASS, LOG_METHOD, "Saving settings for DSN: %s", DsnForLog(io_configuration).c_str());
        io_configuration.Save();
        return SETUP_TRUE;
    case DialogResult::Cancelled:
        return SETUP_TRUE;
    case DialogResult::NotShown:
        break;
    }
    // Nobody was asked: saving unedited settings, or answering as if cancelled, would both be
    // wrong.
    throw PeltaSetupException(SETUP_DIALOG_UNAVAILABLE);
}

int32_t ConfigDSNHandler::ReportFailure(WindowHandle in_parent) noexcept
{
    try
    {
        try
        {
            throw;
        }
        catch (const PeltaSetupException& e)
        {
            const orvik_wstring message = e.GetErrorMessage();
            try
            {
                ShowMessageBox(in_parent, message);
            }
            catch (...)
            {
                // The posted error below still reports the failure.
            }
            m_installer.PostInstallerError(e.GetInstallerErrorCode(), message);
        }
        catch (const ErrorException& e)
        {
            m_installer.PostInstallerError(ODBC_ERROR_REQUEST_FAILED, e.GetMessageKey());
        }
        catch (const std::bad_alloc&)
        {
            m_installer.PostInstallerError(ODBC_ERROR_OUT_OF_MEM, orvik_wstring(OUT_OF_MEMORY_TEXT));
        }
        catch (...)
        {
            m_installer.PostInstallerError(ODBC_ERROR_REQUEST_FAILED, LoadResourceString(REQUEST_FAILED_STRING));
        }
    }
    catch (...)
    {
        // Nothing is left to report the failure with; FALSE still says it.
    }
    return SETUP_FALSE;
}

} // namespace Pelta
