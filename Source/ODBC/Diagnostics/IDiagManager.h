#pragma once

#include "Support/DiagState.h"
#include "Support/ErrorException.h"
#include "Support/SqlState.h"
#include "Support/TypedDataWrapper/IDiagManager.h"
#include "Support/TypedDataWrapper/WarningListener.h"
#include "Support/orvik_wstring.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvik {
namespace ODBC {

/// The diagnostics of one ODBC handle, as every layer posts to them: the ODBC layer's catch
/// blocks and states, the string output, the converters and the data-store objects. An error
/// post adds an error record; a warning post adds a warning record and makes the handle's call
/// return SQL_SUCCESS_WITH_INFO instead of SQL_SUCCESS. Texts of message keys come from the
/// message files of the component, in the manager's locale; a SQLSTATE given explicitly is never
/// changed, while one derived from a diagnostic state takes its ODBC 2 form for an application
/// that asked for ODBC 2 behaviour. Rows and columns are -1 when no particular one is meant.
///
/// It is also the warning listener of the handle's data-store object: a conversion result
/// posted there becomes a warning record, or is raised when it is an error.
class IDiagManager : public Support::IDiagManager, public Support::WarningListener
{
public:
    using Support::WarningListener::PostWarning;

    /// The locale in which message texts are looked up.
    virtual std::string GetLocale() = 0;

    /// An error record for in_exception; a state that is no error state becomes HY000.
    virtual void PostError(const Support::ErrorException& in_exception) = 0;

    /// An error with explicit SQLSTATE in_sqlState and the text of in_messageKey.
    virtual void PostError(const Support::SqlState& in_sqlState,
                           int32_t in_componentId,
                           const Support::orvik_wstring& in_messageKey,
                           int64_t in_rowNumber,
                           int32_t in_columnNumber) = 0;

    /// The same with message parameters.
    virtual void PostError(const Support::SqlState& in_sqlState,
                           int32_t in_componentId,
                           const Support::orvik_wstring& in_messageKey,
                           const std::vector<Support::orvik_wstring>& in_parameters,
                           int64_t in_rowNumber,
                           int32_t in_columnNumber) = 0;

    /// An error of state in_diagState with the text of in_messageKey.
    virtual void PostError(Support::DiagState in_diagState,
                           int32_t in_componentId,
                           const Support::orvik_wstring& in_messageKey,
                           int64_t in_rowNumber,
                           int32_t in_columnNumber) = 0;

    /// The same with message parameters.
    virtual void PostError(Support::DiagState in_diagState,
                           int32_t in_componentId,
                           const Support::orvik_wstring& in_messageKey,
                           const std::vector<Support::orvik_wstring>& in_parameters,
                           int64_t in_rowNumber,
                           int32_t in_columnNumber) = 0;

    /// An error with explicit SQLSTATE in_sqlState, native code in_nativeErrorCode and the ready
    /// text in_message.
    virtual void PostErrorMessage(const Support::SqlState& in_sqlState,
                                  int32_t in_nativeErrorCode,
                                  const Support::orvik_wstring& in_message,
                                  int64_t in_rowNumber,
                                  int32_t in_columnNumber) = 0;

    /// An error of state in_diagState (HY000 when it is no error state) with a ready text.
    virtual void PostErrorMessage(Support::DiagState in_diagState,
                                  int32_t in_nativeErrorCode,
                                  const Support::orvik_wstring& in_message,
                                  int64_t in_rowNumber,
                                  int32_t in_columnNumber) = 0;

    /// A warning with explicit SQLSTATE in_sqlState and a ready text.
    virtual void PostWarningMessage(const Support::SqlState& in_sqlState,
                                    int32_t in_nativeErrorCode,
                                    const Support::orvik_wstring& in_message,
                                    int64_t in_rowNumber,
                                    int32_t in_columnNumber) = 0;

    /// A warning with the SQLSTATE of in_diagState and a ready text.
    virtual void PostWarningMessage(Support::DiagState in_diagState,
                                    int32_t in_nativeErrorCode,
                                    const Support::orvik_wstring& in_message,
                                    int64_t in_rowNumber,
                                    int32_t in_columnNumber) = 0;

    /// in_exception as a warning with SQLSTATE in_sqlState, at no particular row or column.
    virtual void PostWarning(const Support::ErrorException& in_exception, const Support::SqlState& in_sqlState) = 0;

    /// in_exception as a warning of state in_diagState, at no particular row or column.
    virtual void PostWarning(const Support::ErrorException& in_exception, Support::DiagState in_diagState) = 0;

    /// A warning with explicit SQLSTATE in_sqlState and the text of in_messageKey.
    virtual void PostWarning(const Support::SqlState& in_sqlState,
                             int32_t in_componentId,
                             const Support::orvik_wstring& in_messageKey,
                             const std::vector<Support::orvik_wstring>& in_parameters,
                             int64_t in_rowNumber,
                             int32_t in_columnNumber) = 0;

    /// A warning of state in_diagState with the text of in_messageKey; the truncation warning of
    /// the ODBC layer takes the text the manager keeps for its locale.
    virtual void PostWarning(Support::DiagState in_diagState,
                             int32_t in_componentId,
                             const Support::orvik_wstring& in_messageKey,
                             const std::vector<Support::orvik_wstring>& in_parameters,
                             int64_t in_rowNumber,
                             int32_t in_columnNumber) = 0;

    /// A warning with explicit SQLSTATE in_sqlState and the text of in_messageKey, no parameters.
    virtual void PostWarning(const Support::SqlState& in_sqlState,
                             int32_t in_componentId,
                             const Support::orvik_wstring& in_messageKey,
                             int64_t in_rowNumber,
                             int32_t in_columnNumber) = 0;

    /// A warning of state in_diagState with the text of in_messageKey, no parameters; truncation
    /// and conversion warnings come this way.
    virtual void PostWarning(Support::DiagState in_diagState,
                             int32_t in_componentId,
                             const Support::orvik_wstring& in_messageKey,
                             int64_t in_rowNumber,
                             int32_t in_columnNumber) = 0;

    /// Makes in_locale the locale of later lookups.
    virtual void SetLocale(const std::string& in_locale) = 0;

    /// The typed-data layer's warning post: the same as PostWarning with a state, a component and
    /// a key.
    void PostStateWarning(Support::DiagState in_diagState,
                          int32_t in_componentId,
                          const Support::orvik_wstring& in_messageKey,
                          int64_t in_rowNumber,
                          int32_t in_columnNumber) override
    {
        PostWarning(in_diagState, in_componentId, in_messageKey, in_rowNumber, in_columnNumber);
    }

protected:
    IDiagManager() = default;
};

} // namespace ODBC
} // namespace Orvik
