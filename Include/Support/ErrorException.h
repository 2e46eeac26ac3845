#pragma once

#include "Support/DiagState.h"
#include "Support/SqlState.h"
#include "Support/orvik_wstring.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvik {
namespace Support {

class IMessageSource;
class SupportError;

/// Component ids: the layer that raised an error, and so the message file that holds its text.
constexpr int32_t ODBC_COMPONENT_ID = 1;
constexpr int32_t DSI_COMPONENT_ID = 2;
constexpr int32_t SUPPORT_COMPONENT_ID = 3;

/// The base of every exception of the driver. It carries a message key and parameters rather
/// than finished text; the text and the native error code are looked up through a message source
/// the first time somebody asks for them, and the text then replaces the key.
class ErrorException
{
public:
    /// An error of in_diagState raised by component in_componentId, with message parameters.
    /// Row and column numbers are -1 when unknown.
    ErrorException(DiagState in_diagState,
                   int32_t in_componentId,
                   const orvik_wstring& in_messageKey,
                   std::vector<orvik_wstring> in_parameters,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber);

    /// The same without a parameter list.
    ErrorException(DiagState in_diagState,
                   int32_t in_componentId,
                   const orvik_wstring& in_messageKey,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber);

    /// An error with an explicit SQLSTATE; its diagnostic state is the general error.
    ErrorException(const SqlState& in_sqlState,
                   int32_t in_componentId,
                   const orvik_wstring& in_messageKey,
                   std::vector<orvik_wstring> in_parameters,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber);

    /// The same without a parameter list.
    ErrorException(const SqlState& in_sqlState,
                   int32_t in_componentId,
                   const orvik_wstring& in_messageKey,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber);

    /// An error whose text is already made. The leading flag only selects this form; pass true.
    ErrorException(bool in_messageCreated,
                   DiagState in_diagState,
                   int32_t in_nativeErrorCode,
                   const orvik_wstring& in_message,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber);

    virtual ~ErrorException();

    ErrorException(const ErrorException&) = default;
    ErrorException& operator=(const ErrorException&) = default;

    DiagState GetDiagState() const { return m_diagState; }
    int32_t GetComponentId() const { return m_componentId; }
    int64_t GetRowNumber() const { return m_rowNumber; }
    int32_t GetColumnNumber() const { return m_columnNumber; }
    bool HasCustomState() const { return !m_customState.IsEmpty(); }
    SqlState GetCustomState() const { return m_customState; }
    bool HasParameters() const { return m_hasParameters; }
    bool IsMessageCreated() const { return m_isMessageCreated; }

    /// The message key before the text is made, the text afterwards.
    orvik_wstring GetMessageKey() const { return m_message; }

    /// The message parameters, so that a caller can raise the same message in another state.
    const std::vector<orvik_wstring>& GetParameters() const { return m_parameters; }

    /// Attach the row and column of a failure; a number once set is kept.
    void SetRowNumber(int64_t in_rowNumber);
    void SetColumnNumber(int32_t in_columnNumber);

    /// Makes the text and native error code through in_source in in_locale. Without a source
    /// nothing is made: the key is kept, so that a later call with a source can still succeed,
    /// and the native error code becomes -1.
    void CreateMessage(IMessageSource* in_source, const std::string& in_locale);

    /// The text, made first if need be; without a source, a text that says so.
    orvik_wstring GetMessageText(IMessageSource* in_source, const std::string& in_locale);

    /// The native error code, with the text made first if need be; -1 without a source.
    int32_t GetNativeErrorCode(IMessageSource* in_source, const std::string& in_locale);

    /// The text once made; otherwise a one-line description of the key, component, position,
    /// state and parameters for logs. Never looks the message up.
    orvik_wstring ToString() const;

    /// The parameters that name a misused function: in_function, the file name of in_file and
    /// in_line in decimal.
    static std::vector<orvik_wstring>
    MakeCallerParameters(const char* in_function, const char* in_file, int32_t in_line);

protected:
    /// The key, row and column of in_error with the given state and component, and parameters.
    ErrorException(const SupportError& in_error,
                   DiagState in_diagState,
                   int32_t in_componentId,
                   std::vector<orvik_wstring> in_parameters);

    /// in_error as the support library raises it: its state, component 3, no parameters.
    explicit ErrorException(const SupportError& in_error);

private:
    DiagState m_diagState;
    SqlState m_customState;
    int32_t m_componentId;
    int32_t m_nativeErrorCode = 0;
    orvik_wstring m_message;
    std::vector<orvik_wstring> m_parameters;
    int64_t m_rowNumber;
    int32_t m_columnNumber;
    bool m_hasParameters;
    bool m_isMessageCreated = false;
};

} // namespace Support
} // namespace Orvik
