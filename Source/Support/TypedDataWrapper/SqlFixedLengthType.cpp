#include "Support/TypedDataWrapper/SqlFixedLengthType.h"

#include "Support/NumberConverter.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWDayHourInterval.h"
#include "Support/TypedDataWrapper/TDWDayMinuteInterval.h"
#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWHourMinuteInterval.h"
#include "Support/TypedDataWrapper/TDWHourSecondInterval.h"
#include "Support/TypedDataWrapper/TDWMinuteSecondInterval.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/TDWYearMonthInterval.h"

#include <new>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

struct FixedValue
{
    TDWType type;
    uint32_t length;
    void (*construct)(void* out_storage);
};

// The holder never destroys its value, so every record must be trivially destructible.
template <class Value>
constexpr FixedValue Row(TDWType in_type)
{
    static_assert(std::is_trivially_destructible<Value>::value, "values are never destroyed");
    static_assert(sizeof(Value) <= 40 && alignof(Value) <= 8, "values fit the inline storage");
    return {in_type, sizeof(Value), [](void* out_storage) { new (out_storage) Value(); }};
}

// The value record of each fixed-size type; its size is the value's length.
constexpr FixedValue FIXED_VALUES[] = {
    Row<uint8_t>(TDW_SQL_BIT),
    Row<uint8_t>(TDW_SQL_STINYINT),
    Row<uint8_t>(TDW_SQL_UTINYINT),
    Row<uint16_t>(TDW_SQL_SSMALLINT),
    Row<uint16_t>(TDW_SQL_USMALLINT),
    Row<uint32_t>(TDW_SQL_SINTEGER),
    Row<uint32_t>(TDW_SQL_UINTEGER),
    Row<uint32_t>(TDW_SQL_REAL),
    Row<uint64_t>(TDW_SQL_SBIGINT),
    Row<uint64_t>(TDW_SQL_UBIGINT),
    Row<uint64_t>(TDW_SQL_FLOAT),
    Row<uint64_t>(TDW_SQL_DOUBLE),
    Row<TDWNumeric>(TDW_SQL_NUMERIC),
    Row<TDWNumeric>(TDW_SQL_DECIMAL),
    Row<TDWDateValue>(TDW_SQL_TYPE_DATE),
    Row<TDWTimeValue>(TDW_SQL_TYPE_TIME),
    Row<TDWTimestampValue>(TDW_SQL_TYPE_TIMESTAMP),
    Row<TDWSingleFieldInterval>(TDW_SQL_INTERVAL_DAY),
    Row<TDWSingleFieldInterval>(TDW_SQL_INTERVAL_HOUR),
    Row<TDWSingleFieldInterval>(TDW_SQL_INTERVAL_MINUTE),
    Row<TDWSingleFieldInterval>(TDW_SQL_INTERVAL_MONTH),
    Row<TDWSingleFieldInterval>(TDW_SQL_INTERVAL_YEAR),
    Row<TDWDayHourInterval>(TDW_SQL_INTERVAL_DAY_TO_HOUR),
    Row<TDWDayMinuteInterval>(TDW_SQL_INTERVAL_DAY_TO_MINUTE),
    Row<TDWDaySecondInterval>(TDW_SQL_INTERVAL_DAY_TO_SECOND),
    Row<TDWHourMinuteInterval>(TDW_SQL_INTERVAL_HOUR_TO_MINUTE),
    Row<TDWHourSecondInterval>(TDW_SQL_INTERVAL_HOUR_TO_SECOND),
    Row<TDWMinuteSecondInterval>(TDW_SQL_INTERVAL_MINUTE_TO_SECOND),
    Row<TDWSecondInterval>(TDW_SQL_INTERVAL_SECOND),
    Row<TDWYearMonthInterval>(TDW_SQL_INTERVAL_YEAR_TO_MONTH),
    Row<TDWGuidValue>(TDW_SQL_GUID),
};

const FixedValue& FindFixedValue(TDWType in_type)
{
    for (const FixedValue& value : FIXED_VALUES)
    {
        if (value.type == in_type)
        {
            return value;
        }
    }
    throw SupportException(SupportError(SupportErrorCode::SQLTDWTypeNotSupported),
                           {NumberConverter::ConvertInt32ToWString(in_type)});
}

} // namespace

SqlFixedLengthType::SqlFixedLengthType(const SqlTypeMetadata& in_metadata) : SqlData(in_metadata)
{
    const FixedValue& value = FindFixedValue(in_metadata.GetTDWType());
    value.construct(m_value);
    m_length = value.length;
}

} // namespace Support
} // namespace Orvik
