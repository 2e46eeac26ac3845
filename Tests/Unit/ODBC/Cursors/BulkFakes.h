#pragma once

#include "Support/TypedDataWrapper/BulkSqlData.h"
#include "Support/TypedDataWrapper/BulkWarningListener.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverter.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <climits>
#include <cstring>
#include <memory>

namespace Orvik {
namespace Testing {

/// A bulk converter of strided 32-bit integers into SQL_C_SLONG, with the row loop's contract:
/// NULL rows get the NULL marker, the row counter advances by one per row. Some values stand for
/// what a kernel may meet.
class FakeBulkConverter : public Support::ISqlToCBulkConverter
{
public:
    /// A NULL row.
    static constexpr int32_t NULL_VALUE = INT32_MIN;
    /// Posts "NumericValOutOfRange" and writes nothing.
    static constexpr int32_t OUT_OF_RANGE = 999;
    /// Writes 7 and posts "FractionalTrunc".
    static constexpr int32_t FRACTION = 7;
    /// Writes its value with the length -4.
    static constexpr int32_t NEGATIVE_LENGTH = 4444;

    uint64_t Convert(const Support::BulkSqlData& in_source,
                     void* io_target,
                     int64_t,
                     int64_t in_targetStride,
                     int64_t* io_lengths,
                     int64_t in_lengthStride,
                     Support::BulkWarningListener& io_listener) override
    {
        int64_t& counter = *io_listener.GetRowCounter();
        const char* values = static_cast<const char*>(in_source.m_strided.m_dataBase);
        for (uint64_t row = 0; row < in_source.m_rowCount; ++row, ++counter)
        {
            int64_t& slot = *reinterpret_cast<int64_t*>(reinterpret_cast<char*>(io_lengths) + row * in_lengthStride);
            int32_t value = 0;
            std::memcpy(&value, values + row * in_source.m_strided.m_dataStride, 4);
            char* target = io_target == nullptr ? nullptr : static_cast<char*>(io_target) + row * in_targetStride;
            slot = value == NEGATIVE_LENGTH ? -4 : 4;
            if (value == NULL_VALUE)
            {
                slot = Support::BulkSqlData::NULL_LENGTH;
                continue;
            }
            if (value == OUT_OF_RANGE)
            {
                io_listener.PostWarning(Support::ConversionResult::NumericValOutOfRange(0));
                continue;
            }
            if (value == FRACTION)
            {
                io_listener.PostWarning(Support::ConversionResult::FractionalTrunc(1));
            }
            if (target != nullptr)
            {
                std::memcpy(target, &value, 4);
            }
        }
        return in_source.m_rowCount;
    }
};

/// Makes FakeBulkConverters for INTEGER columns bound as SQL_C_SLONG and nothing else.
class FakeBulkConverterFactory : public Support::ISqlToCBulkConverterFactory
{
public:
    std::unique_ptr<Support::ISqlToCBulkConverter> CreateConverter(const Support::SqlTypeMetadata& in_source,
                                                                   const Support::SqlCTypeMetadata& in_target) const override
    {
        ++m_made;
        if (in_source.GetConciseType() != SQL_INTEGER || in_target.GetCType() != SQL_C_SLONG)
        {
            return nullptr;
        }
        return std::make_unique<FakeBulkConverter>();
    }

    mutable int m_made = 0;
};

} // namespace Testing
} // namespace Orvik
