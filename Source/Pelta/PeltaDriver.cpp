#include "Pelta/PeltaDriver.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIFileLogger.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaEnvironment.h"
#include "Pelta/PeltaError.h"
#include "Support/AttributeData.h"
#include "Support/EncodingType.h"

using Orvik::Support::AttributeData;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaDriver";
constexpr char LOG_FILE_NAME[] = "Pelta_driver.log";
constexpr char MESSAGE_FILE_NAME[] = "PeltaMessages";

std::unique_ptr<AttributeData> Text(const char16_t* in_text)
{
    return std::unique_ptr<AttributeData>(
        AttributeData::MakeNewWStringAttributeData(Orvik::Support::orvik_wstring(in_text)));
}

std::unique_ptr<AttributeData> Encoding(Orvik::Support::EncodingType in_encoding)
{
    return std::unique_ptr<AttributeData>(
        AttributeData::MakeNewInt16AttributeData(static_cast<int16_t>(in_encoding)));
}

} // namespace

PeltaDriver::PeltaDriver() : m_log(std::make_unique<Orvik::DSI::DSIFileLogger>(LOG_FILE_NAME))
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_CLASS);
    Orvik::Support::SharedPtr<Orvik::DSI::DSIMessageSource> messages = GetMessageSource();
    messages->RegisterMessages(MESSAGE_FILE_NAME, PELTA_COMPONENT_ID);
    messages->SetVendorName(PELTA_WIDE_NAME);
    SetProperty(Orvik::DSI::DRIVER_PROP_DRIVER_NAME, Text(PELTA_WIDE_NAME));
    SetProperty(Orvik::DSI::DRIVER_PROP_DRIVER_VER, Text(PELTA_DRIVER_VERSION));
    // Every text the server sends or receives is UTF-8, narrow and wide alike.
    SetProperty(Orvik::DSI::DRIVER_PROP_CHAR_ENCODING, Encoding(Orvik::Support::ENC_UTF8));
    SetProperty(Orvik::DSI::DRIVER_PROP_WCHAR_ENCODING, Encoding(Orvik::Support::ENC_UTF8));
}

PeltaDriver::~PeltaDriver()
{
    m_log.reset();
}

std::unique_ptr<Orvik::DSI::DSIEnvironment> PeltaDriver::CreateEnvironment()
{
    m_log->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "CreateEnvironment");
    return std::make_unique<PeltaEnvironment>(this);
}

Orvik::DSI::DSILog* PeltaDriver::GetDriverLog()
{
    return m_log.get();
}

} // namespace Pelta
