#pragma once

#include "Support/ErrorException.h"

#include <type_traits>

namespace Orvik {
namespace DSI {

/// An error of the data-store layer: the general error (HY000) of component 2 unless a
/// constructor says otherwise, identified by a message key and its parameters.
class DSIException : public Support::ErrorException
{
public:
    /// The general error of component 2 with in_messageKey and its parameters.
    DSIException(const Support::orvik_wstring& in_messageKey,
                 std::vector<Support::orvik_wstring> in_parameters,
                 int64_t in_rowNumber = -1,
                 int32_t in_columnNumber = -1);

    /// The same without parameters.
    explicit DSIException(const Support::orvik_wstring& in_messageKey,
                          int64_t in_rowNumber = -1,
                          int32_t in_columnNumber = -1);

    /// in_diagState of component 2 with in_messageKey and its parameters.
    DSIException(Support::DiagState in_diagState,
                 const Support::orvik_wstring& in_messageKey,
                 std::vector<Support::orvik_wstring> in_parameters,
                 int64_t in_rowNumber = -1,
                 int32_t in_columnNumber = -1);

    /// An error whose text is already made and is never looked up: the general error of
    /// component 0 with in_nativeErrorCode. The flag only selects this form (pass true); it
    /// takes a real bool only, so that a key given as a string literal can never land here.
    template <class Flag, std::enable_if_t<std::is_same<Flag, bool>::value, int> = 0>
    DSIException(Flag in_messageCreated,
                 const Support::orvik_wstring& in_message,
                 int32_t in_nativeErrorCode,
                 int64_t in_rowNumber = -1,
                 int32_t in_columnNumber = -1)
        : ErrorException(in_messageCreated,
                         Support::DIAG_GENERAL_ERROR,
                         in_nativeErrorCode,
                         in_message,
                         in_rowNumber,
                         in_columnNumber)
    {
    }

    /// The error for a required connection setting that is missing: "DSIReqSettingNotFound"
    /// with the setting's name, SQLSTATE 28000.
    static DSIException RequiredSettingNotFound(const Support::orvik_wstring& in_settingName);
};

} // namespace DSI
} // namespace Orvik
