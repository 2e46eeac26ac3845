#include "Support/SupportError.h"

#include "Support/InvalidArgumentException.h"

namespace Orvik {
namespace Support {

namespace {

struct SupportErrorRow
{
    DiagState m_diagState;
    // Wide, so that a key never depends on the application's ANSI encoding.
    const char16_t* m_messageKey;
};

constexpr SupportErrorRow SUPPORT_ERROR_TABLE[] = {
#define ORVIK_SUPPORT_ERROR_ROW(key, state) {state, u"" #key},
    ORVIK_SUPPORT_ERROR_TABLE(ORVIK_SUPPORT_ERROR_ROW)
#undef ORVIK_SUPPORT_ERROR_ROW
};

static_assert(sizeof(SUPPORT_ERROR_TABLE) / sizeof(SUPPORT_ERROR_TABLE[0]) == SUPPORT_ERROR_COUNT,
              "one row a code");
static_assert(SUPPORT_ERROR_COUNT == 67, "the support library knows 67 errors");

const SupportErrorRow& GetRow(SupportErrorCode in_code)
{
    const int32_t index = static_cast<int32_t>(in_code);
    if (index < 0 || index >= SUPPORT_ERROR_COUNT)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return SUPPORT_ERROR_TABLE[index];
}

} // namespace

SupportError::SupportError(SupportErrorCode in_code)
{
    const SupportErrorRow& row = GetRow(in_code);
    m_diagState = row.m_diagState;
    m_messageKey = row.m_messageKey;
}

} // namespace Support
} // namespace Orvik
