#include "Support/ErrorException.h"

#include "Support/IMessageSource.h"
#include "Support/NumberConverter.h"
#include "Support/SupportError.h"

#include <cstring>
#include <utility>

namespace Orvik {
namespace Support {

namespace {

constexpr int64_t UNKNOWN_POSITION = -1;

orvik_wstring FromUtf8(const char* in_text)
{
    return orvik_wstring(in_text, NUL_TERMINATED, ENC_UTF8);
}

orvik_wstring PositionText(int64_t in_position)
{
    return in_position == UNKNOWN_POSITION ? orvik_wstring(u"UNKNOWN")
                                           : NumberConverter::ConvertInt64ToWString(in_position);
}

// Encloses in_text in double quotes, with a backslash before every double quote inside it.
orvik_wstring Quote(const orvik_wstring& in_text)
{
    orvik_wstring escaped(in_text);
    escaped.Replace(u"\"", u"\\\"");
    return u"\"" + escaped + u"\"";
}

orvik_wstring QuotedList(const std::vector<orvik_wstring>& in_parameters)
{
    std::vector<orvik_wstring> quoted;
    quoted.reserve(in_parameters.size());
    for (const orvik_wstring& parameter : in_parameters)
    {
        quoted.push_back(Quote(parameter));
    }
    return u"[" + orvik_wstring::Join(quoted.begin(), quoted.end(), u", ") + u"]";
}

} // namespace

ErrorException::ErrorException(DiagState in_diagState,
                               int32_t in_componentId,
                               const orvik_wstring& in_messageKey,
                               std::vector<orvik_wstring> in_parameters,
                               int64_t in_rowNumber,
                               int32_t in_columnNumber)
    : m_diagState(in_diagState),
      m_componentId(in_componentId),
      m_message(in_messageKey),
      m_parameters(std::move(in_parameters)),
      m_rowNumber(in_rowNumber),
      m_columnNumber(in_columnNumber),
      m_hasParameters(true)
{
}

ErrorException::ErrorException(DiagState in_diagState,
                               int32_t in_componentId,
                               const orvik_wstring& in_messageKey,
                               int64_t in_rowNumber,
                               int32_t in_columnNumber)
    : m_diagState(in_diagState),
      m_componentId(in_componentId),
      m_message(in_messageKey),
      m_rowNumber(in_rowNumber),
      m_columnNumber(in_columnNumber),
      m_hasParameters(false)
{
}

ErrorException::ErrorException(const SqlState& in_sqlState,
                               int32_t in_componentId,
                               const orvik_wstring& in_messageKey,
                               std::vector<orvik_wstring> in_parameters,
                               int64_t in_rowNumber,
                               int32_t in_columnNumber)
    : ErrorException(DIAG_GENERAL_ERROR,
                     in_componentId,
                     in_messageKey,
                     std::move(in_parameters),
                     in_rowNumber,
                     in_columnNumber)
{
    m_customState = in_sqlState;
}

ErrorException::ErrorException(const SqlState& in_sqlState,
                               int32_t in_componentId,
                               const orvik_wstring& in_messageKey,
                               int64_t in_rowNumber,
                               int32_t in_columnNumber)
    : ErrorException(DIAG_GENERAL_ERROR, in_componentId, in_messageKey, in_rowNumber, in_columnNumber)
{
    m_customState = in_sqlState;
}

ErrorException::ErrorException(bool /* in_messageCreated */,
                               DiagState in_diagState,
                               int32_t in_nativeErrorCode,
                               const orvik_wstring& in_message,
                               int64_t in_rowNumber,
                               int32_t in_columnNumber)
    : m_diagState(in_diagState),
      m_componentId(0),
      m_nativeErrorCode(in_nativeErrorCode),
      m_message(in_message),
      m_rowNumber(in_rowNumber),
      m_columnNumber(in_columnNumber),
      m_hasParameters(false),
      m_isMessageCreated(true)
{
}

ErrorException::ErrorException(const SupportError& in_error,
                               DiagState in_diagState,
                               int32_t in_componentId,
                               std::vector<orvik_wstring> in_parameters)
    : ErrorException(in_diagState,
                     in_componentId,
                     in_error.GetMessageKey(),
                     std::move(in_parameters),
                     in_error.GetRowNumber(),
                     in_error.GetColumnNumber())
{
}

ErrorException::ErrorException(const SupportError& in_error)
    : ErrorException(in_error.GetDiagState(),
                     SUPPORT_COMPONENT_ID,
                     in_error.GetMessageKey(),
                     in_error.GetRowNumber(),
                     in_error.GetColumnNumber())
{
}

ErrorException::~ErrorException() = default;

void ErrorException::SetRowNumber(int64_t in_rowNumber)
{
    if (m_rowNumber == UNKNOWN_POSITION)
    {
        m_rowNumber = in_rowNumber;
    }
}

void ErrorException::SetColumnNumber(int32_t in_columnNumber)
{
    if (m_columnNumber == UNKNOWN_POSITION)
    {
        m_columnNumber = in_columnNumber;
    }
}

void ErrorException::CreateMessage(IMessageSource* in_source, const std::string& in_locale)
{
    if (in_source == nullptr)
    {
        m_nativeErrorCode = -1;
        return;
    }
    orvik_wstring text;
    uint32_t nativeErrorCode = 0;
    if (m_hasParameters)
    {
        in_source->LoadMessage(in_locale, m_message, m_componentId, m_parameters, text, nativeErrorCode);
    }
    else
    {
        in_source->LoadMessage(in_locale, m_message, m_componentId, text, nativeErrorCode);
    }
    // The source's code 4294967295 (nothing found) reads as -1.
    m_nativeErrorCode = static_cast<int32_t>(nativeErrorCode);
    m_message.Swap(text);
    m_isMessageCreated = true;
}

orvik_wstring ErrorException::GetMessageText(IMessageSource* in_source, const std::string& in_locale)
{
    if (!m_isMessageCreated)
    {
        CreateMessage(in_source, in_locale);
    }
    return m_isMessageCreated ? m_message
                              : orvik_wstring(u"Cannot create a message with a NULL message source");
}

int32_t ErrorException::GetNativeErrorCode(IMessageSource* in_source, const std::string& in_locale)
{
    if (!m_isMessageCreated)
    {
        CreateMessage(in_source, in_locale);
    }
    return m_nativeErrorCode;
}

orvik_wstring ErrorException::ToString() const
{
    if (m_isMessageCreated)
    {
        return m_message;
    }
    orvik_wstring text(u"Unformatted ErrorException: {MessageKey=");
    text += Quote(m_message);
    text += u" ComponentID=";
    text += NumberConverter::ConvertInt32ToWString(m_componentId);
    // The apostrophe is part of the established log format; log readers match on it.
    text += u"' RowNumber=";
    text += PositionText(m_rowNumber);
    text += u" ColumnNumber=";
    text += PositionText(m_columnNumber);
    if (HasCustomState())
    {
        text += u" CustomState=";
        text += Quote(FromUtf8(m_customState.GetText()));
    }
    else
    {
        text += u" DiagState=";
        text += NumberConverter::ConvertInt32ToWString(m_diagState);
    }
    if (m_hasParameters)
    {
        text += u" MessageParameters=";
        text += QuotedList(m_parameters);
    }
    text += u"}";
    return text;
}

std::vector<orvik_wstring>
ErrorException::MakeCallerParameters(const char* in_function, const char* in_file, int32_t in_line)
{
    const char* slash = std::strrchr(in_file, '/');
    const char* fileName = slash == nullptr ? in_file : slash + 1;
    return {FromUtf8(in_function), FromUtf8(fileName), NumberConverter::ConvertInt64ToWString(in_line)};
}

} // namespace Support
} // namespace Orvik
