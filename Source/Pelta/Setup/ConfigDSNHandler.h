#pragma once

#include "DSI/DSIDriverSingleton.h"
#include "Pelta/Setup/ISetupUi.h"
#include "Support/EncodingType.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace DSI {
class DSILog;
}
} // namespace Orvik

namespace Pelta {

class IOdbcInstaller;
class PeltaDSNConfiguration;
class PeltaSetupException;

/// What the installer's entry points ConfigDSN and ConfigDSNW do: add (requests 1 and 4),
/// configure (2 and 5) and remove (3 and 6) a data source of this driver. Adding and configuring
/// show the setup dialog of the chosen user interface and save when the user confirms it; every
/// failure is posted to the installer's error stack and answered with FALSE.
class ConfigDSNHandler
{
public:
    static constexpr int32_t SETUP_TRUE = 1;
    static constexpr int32_t SETUP_FALSE = 0;

    /// The longest attribute list read, in code units with its separators: a list that does not
    /// end within it is refused rather than read on.
    static constexpr int32_t MAX_ATTRIBUTE_LIST_LENGTH = 32768;

    /// in_installer (not owned) reaches the profile and the error stack; in_factory (null: the
    /// back end's) makes the data-store driver when the process has none in use.
    explicit ConfigDSNHandler(IOdbcInstaller& in_installer,
                              Orvik::DSI::DSIDriverSingleton::DriverFactory in_factory = nullptr);

    /// ConfigDSN: texts in the application's ANSI encoding, which is UTF-8 unless a setting
    /// names another; the attribute list holds NUL-terminated attributes ended by an empty one.
    /// Never throws.
    int32_t ConfigDSN(WindowHandle in_parent, uint16_t in_request, const char* in_driver, const char* in_attributes) noexcept;

    /// ConfigDSNW: the same in UTF-16. Never throws.
    int32_t ConfigDSNW(WindowHandle in_parent,
                       uint16_t in_request,
                       const char16_t* in_driver,
                       const char16_t* in_attributes) noexcept;

    /// Makes sure the settings reader exists and uses the process's data-store driver (made for
    /// the call when there is none) while it handles the request. in_attributes holds the attributes separated by U+0000. Errors of the request
    /// are posted and give FALSE; errors before it (the settings, the driver) pass out.
    int32_t ConfigDSNInternal(WindowHandle in_parent,
                              uint16_t in_request,
                              const Orvik::Support::orvik_wstring& in_driver,
                              const Orvik::Support::orvik_wstring& in_attributes);

    /// An installer attribute list as one text, its attributes separated by U+0000; the null
    /// string for a null list. Throws PeltaSetupException SETUP_INVALID_KEYWORD_VALUE for a list
    /// that does not end within MAX_ATTRIBUTE_LIST_LENGTH.
    static Orvik::Support::orvik_wstring ReadAttributeList(const char* in_list, Orvik::Support::EncodingType in_encoding);
    static Orvik::Support::orvik_wstring ReadAttributeList(const char16_t* in_list);

private:
    int32_t HandleRequest(WindowHandle in_parent,
                          uint16_t in_request,
                          const Orvik::Support::orvik_wstring& in_driver,
                          const Orvik::Support::orvik_wstring& in_attributes,
                          Orvik::DSI::DSILog* in_log);

    int32_t EditAndSave(WindowHandle in_parent, PeltaDSNConfiguration& io_configuration, Orvik::DSI::DSILog* in_log);

    /// Posts the exception being handled and returns FALSE; a setup error is shown in a message
    /// box first.
    int32_t ReportFailure(WindowHandle in_parent) noexcept;

    IOdbcInstaller& m_installer;
    Orvik::DSI::DSIDriverSingleton::DriverFactory m_factory;
};

} // namespace Pelta
