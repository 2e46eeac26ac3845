#include "Pelta/PeltaCatalogValue.h"

#include "DSI/BadColumnException.h"
#include "Pelta/PeltaCellConverter.h"
#include "Pelta/PeltaError.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <cstring>
#include <limits>
#include <type_traits>

using Orvik::Support::NumberConverter;
using Orvik::Support::SqlData;

namespace Pelta {

namespace {

template <class T>
void Store(int64_t in_value, SqlData& io_target)
{
    if constexpr (std::is_integral_v<T>)
    {
        const bool fits = std::is_signed_v<T>
            ? in_value >= std::numeric_limits<T>::min() && in_value <= std::numeric_limits<T>::max()
            : in_value >= 0 && static_cast<uint64_t>(in_value) <= std::numeric_limits<T>::max();
        if (!fits)
        {
            throw PeltaError("PeltaCatalogValueOutOfRange",
                             {NumberConverter::ConvertInt64ToWString(in_value),
                              io_target.GetMetadata().GetTypeName()});
        }
    }
    const T value = static_cast<T>(in_value);
    io_target.SetNull(false);
    std::memcpy(io_target.GetBuffer(), &value, sizeof(T));
}

} // namespace

void PeltaCatalogValue::WriteInteger(int64_t in_value, SqlData& io_target)
{
    switch (io_target.GetMetadata().GetTDWType())
    {
    case Orvik::Support::TDW_SQL_STINYINT: return Store<int8_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_UTINYINT: return Store<uint8_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_SSMALLINT: return Store<int16_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_USMALLINT: return Store<uint16_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_SINTEGER: return Store<int32_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_UINTEGER: return Store<uint32_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_SBIGINT: return Store<int64_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_UBIGINT: return Store<uint64_t>(in_value, io_target);
    case Orvik::Support::TDW_SQL_REAL: return Store<float>(in_value, io_target);
    case Orvik::Support::TDW_SQL_FLOAT:
    case Orvik::Support::TDW_SQL_DOUBLE: return Store<double>(in_value, io_target);
    case Orvik::Support::TDW_SQL_CHAR:
    case Orvik::Support::TDW_SQL_VARCHAR:
    case Orvik::Support::TDW_SQL_LONGVARCHAR:
    case Orvik::Support::TDW_SQL_WCHAR:
    case Orvik::Support::TDW_SQL_WVARCHAR:
    case Orvik::Support::TDW_SQL_WLONGVARCHAR:
        WriteText(NumberConverter::ConvertInt64ToString(in_value), io_target, 0, -1);
        return;
    default:
        throw PeltaError("PeltaUnknownTDWType",
                         {NumberConverter::ConvertInt32ToWString(io_target.GetMetadata().GetTDWType())});
    }
}

bool PeltaCatalogValue::WriteText(std::string_view in_text, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    return PeltaCellConverter::WriteText(in_text, io_target, in_offset, in_maxLength);
}

bool PeltaCatalogValue::WriteNull(SqlData& io_target)
{
    io_target.SetNull(true);
    return false;
}

void PeltaCatalogValue::ThrowBadTag(int32_t in_tag)
{
    throw Orvik::DSI::BadColumnException(u"InvalidColumnNum", {NumberConverter::ConvertInt32ToWString(in_tag)});
}

} // namespace Pelta
