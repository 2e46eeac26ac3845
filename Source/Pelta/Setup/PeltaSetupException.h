#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Pelta {

/// What failed in setup, one row a kind: its value, the string that says it and the installer
/// error code (ODBC_ERROR_*) that ConfigDSN posts for it.
#define PELTA_SETUP_ERROR_TABLE(ROW)                      \
    ROW(SETUP_INVALID_HWND, 0, 104, 3)                    \
    ROW(SETUP_INVALID_KEYWORD_VALUE, 1, 105, 8)           \
    ROW(SETUP_INVALID_NAME, 2, 106, 7)                    \
    ROW(SETUP_INVALID_REQUEST_TYPE, 3, 107, 5)            \
    ROW(SETUP_REQUEST_FAILED, 4, 108, 11)                 \
    ROW(SETUP_DRIVER_SPECIFIC, 5, 109, 11)                \
    ROW(SETUP_REGISTRY_WRITE_FAILED, 6, 114, 11)          \
    ROW(SETUP_INVALID_LOG_FILE_COUNT, 7, 138, 11)         \
    ROW(SETUP_INVALID_LOG_FILE_SIZE, 8, 139, 11)          \
    ROW(SETUP_DIALOG_UNAVAILABLE, 9, 140, 11)

enum PeltaSetupErrorKind : int32_t
{
#define PELTA_SETUP_ERROR_KIND(name, value, stringId, installerCode) name = value,
    PELTA_SETUP_ERROR_TABLE(PELTA_SETUP_ERROR_KIND)
#undef PELTA_SETUP_ERROR_KIND
};

/// Setup's own error: a kind and nothing else; its text is the kind's string. Not an
/// ErrorException: it is caught on its own.
class PeltaSetupException
{
public:
    explicit PeltaSetupException(PeltaSetupErrorKind in_kind) : m_kind(in_kind) {}
    virtual ~PeltaSetupException() = default;

    PeltaSetupErrorKind GetKind() const { return m_kind; }

    /// The kind's string; "Error loading the string." for a kind that has none.
    Orvik::Support::orvik_wstring GetErrorMessage() const;

    /// The kind's installer error code; 11 (request failed) for a value outside the table.
    int32_t GetInstallerErrorCode() const;

private:
    PeltaSetupErrorKind m_kind;
};

} // namespace Pelta
