#include "Pelta/Setup/PeltaSetupException.h"

#include "Pelta/Setup/SetupStrings.h"

namespace Pelta {

namespace {

struct KindRow
{
    int32_t m_stringId;
    int32_t m_installerCode;
};

constexpr KindRow KIND_ROWS[] = {
#define PELTA_SETUP_ERROR_ROW(name, value, stringId, installerCode) { stringId, installerCode },
    PELTA_SETUP_ERROR_TABLE(PELTA_SETUP_ERROR_ROW)
#undef PELTA_SETUP_ERROR_ROW
};

constexpr int32_t REQUEST_FAILED_CODE = 11;

// The row of in_kind; null outside the table.
const KindRow* FindRow(PeltaSetupErrorKind in_kind)
{
    const int32_t index = static_cast<int32_t>(in_kind);
    const int32_t count = static_cast<int32_t>(sizeof(KIND_ROWS) / sizeof(KIND_ROWS[0]));
    return index >= 0 && index < count ? &KIND_ROWS[index] : nullptr;
}

} // namespace

Orvik::Support::orvik_wstring PeltaSetupException::GetErrorMessage() const
{
    const KindRow* row = FindRow(m_kind);
    return LoadResourceString(row != nullptr ? row->m_stringId : 0);
}

int32_t PeltaSetupException::GetInstallerErrorCode() const
{
    const KindRow* row = FindRow(m_kind);
    return row != nullptr ? row->m_installerCode : REQUEST_FAILED_CODE;
}

} // namespace Pelta
