#include "ToSqlTestSupport.h"

#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

struct Counterpart
{
    TDWType sqlType;
    TDWType cType;
};

constexpr Counterpart COUNTERPARTS[] = {
    {TDW_SQL_BIT, TDW_C_BIT},         {TDW_SQL_STINYINT, TDW_C_STINYINT}, {TDW_SQL_UTINYINT, TDW_C_UTINYINT},
    {TDW_SQL_SSMALLINT, TDW_C_SSHORT}, {TDW_SQL_USMALLINT, TDW_C_USHORT}, {TDW_SQL_SINTEGER, TDW_C_SLONG},
    {TDW_SQL_UINTEGER, TDW_C_ULONG},  {TDW_SQL_SBIGINT, TDW_C_SBIGINT},   {TDW_SQL_UBIGINT, TDW_C_UBIGINT},
    {TDW_SQL_REAL, TDW_C_FLOAT},      {TDW_SQL_FLOAT, TDW_C_DOUBLE},      {TDW_SQL_DOUBLE, TDW_C_DOUBLE},
    {TDW_SQL_NUMERIC, TDW_C_NUMERIC}, {TDW_SQL_DECIMAL, TDW_C_NUMERIC},
};

size_t SizeOfNumber(TDWType in_type)
{
    switch (in_type)
    {
    case TDW_SQL_BIT:
    case TDW_SQL_STINYINT:
    case TDW_SQL_UTINYINT:
        return 1;
    case TDW_SQL_SSMALLINT:
    case TDW_SQL_USMALLINT:
        return 2;
    case TDW_SQL_SINTEGER:
    case TDW_SQL_UINTEGER:
    case TDW_SQL_REAL:
        return 4;
    case TDW_SQL_NUMERIC:
    case TDW_SQL_DECIMAL:
        return sizeof(TDWNumeric);
    default:
        return 8;
    }
}

template <typename T>
std::string Show(const void* in_bytes)
{
    T value;
    std::memcpy(&value, in_bytes, sizeof(T));
    if constexpr (std::is_floating_point<T>::value)
    {
        char text[40];
        std::snprintf(text, sizeof(text), sizeof(T) == 4 ? "%.9g" : "%.17g", static_cast<double>(value));
        return text;
    }
    else
    {
        return std::to_string(value);
    }
}

std::string ShowNumber(TDWType in_type, const void* in_bytes)
{
    switch (in_type)
    {
    case TDW_SQL_STINYINT:
        return Show<int8_t>(in_bytes);
    case TDW_SQL_SSMALLINT:
        return Show<int16_t>(in_bytes);
    case TDW_SQL_USMALLINT:
        return Show<uint16_t>(in_bytes);
    case TDW_SQL_SINTEGER:
        return Show<int32_t>(in_bytes);
    case TDW_SQL_UINTEGER:
        return Show<uint32_t>(in_bytes);
    case TDW_SQL_SBIGINT:
        return Show<int64_t>(in_bytes);
    case TDW_SQL_UBIGINT:
        return Show<uint64_t>(in_bytes);
    case TDW_SQL_REAL:
        return Show<float>(in_bytes);
    case TDW_SQL_FLOAT:
    case TDW_SQL_DOUBLE:
        return Show<double>(in_bytes);
    case TDW_SQL_NUMERIC:
    case TDW_SQL_DECIMAL:
    {
        TDWNumeric value;
        std::memcpy(static_cast<void*>(&value), in_bytes, sizeof(value));
        return ShowNumeric(value);
    }
    default:
        return Show<uint8_t>(in_bytes);
    }
}

/// The fields of an interval type, and whether it has a fraction.
struct IntervalShape
{
    TDWType type;
    size_t fields;
    bool hasSeconds;
};

constexpr IntervalShape INTERVAL_SHAPES[] = {
    {TDW_SQL_INTERVAL_YEAR, 1, false},          {TDW_SQL_INTERVAL_MONTH, 1, false},
    {TDW_SQL_INTERVAL_DAY, 1, false},           {TDW_SQL_INTERVAL_HOUR, 1, false},
    {TDW_SQL_INTERVAL_MINUTE, 1, false},        {TDW_SQL_INTERVAL_SECOND, 1, true},
    {TDW_SQL_INTERVAL_YEAR_TO_MONTH, 2, false}, {TDW_SQL_INTERVAL_DAY_TO_HOUR, 2, false},
    {TDW_SQL_INTERVAL_DAY_TO_MINUTE, 3, false}, {TDW_SQL_INTERVAL_DAY_TO_SECOND, 4, true},
    {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, 2, false}, {TDW_SQL_INTERVAL_HOUR_TO_SECOND, 3, true},
    {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, 2, true},
};

template <typename T>
T Take(const std::string& in_bytes, size_t in_offset)
{
    T value{};
    EXPECT_LE(in_offset + sizeof(T), in_bytes.size()) << "a record too short";
    if (in_offset + sizeof(T) <= in_bytes.size())
    {
        std::memcpy(&value, in_bytes.data() + in_offset, sizeof(T));
    }
    return value;
}

std::string ShowInterval(const IntervalShape& in_shape, const std::string& in_record)
{
    std::string text;
    size_t offset = 0;
    for (size_t i = 0; i < in_shape.fields; ++i, offset += 4)
    {
        text += (i > 0 ? " " : "") + std::to_string(Take<uint32_t>(in_record, offset));
    }
    if (in_shape.hasSeconds)
    {
        text += "." + std::to_string(Take<uint32_t>(in_record, offset));
        offset += 4;
    }
    EXPECT_EQ(0U, Take<uint32_t>(in_record, offset) & 0xFFFFFF00U) << "the bytes after the sign";
    return text + (Take<uint8_t>(in_record, offset) != 0 ? " -" : "");
}

} // namespace

std::string ShowSqlValue(TDWType in_type, const std::string& in_record)
{
    for (const IntervalShape& shape : INTERVAL_SHAPES)
    {
        if (shape.type == in_type)
        {
            return ShowInterval(shape, in_record);
        }
    }
    char text[64];
    if (in_type == TDW_SQL_TYPE_DATE)
    {
        std::snprintf(text, sizeof(text), "%d-%02u-%02u", Take<int16_t>(in_record, 0), Take<uint16_t>(in_record, 2),
                      Take<uint16_t>(in_record, 4));
    }
    else if (in_type == TDW_SQL_TYPE_TIME)
    {
        EXPECT_EQ(0, Take<uint16_t>(in_record, 6)) << "the unused bytes of a time";
        std::snprintf(text, sizeof(text), "%02u:%02u:%02u.%u", Take<uint16_t>(in_record, 0),
                      Take<uint16_t>(in_record, 2), Take<uint16_t>(in_record, 4), Take<uint32_t>(in_record, 8));
    }
    else
    {
        EXPECT_EQ(TDW_SQL_TYPE_TIMESTAMP, in_type);
        std::snprintf(text, sizeof(text), "%d-%02u-%02u %02u:%02u:%02u.%u", Take<int16_t>(in_record, 0),
                      Take<uint16_t>(in_record, 2), Take<uint16_t>(in_record, 4), Take<uint16_t>(in_record, 6),
                      Take<uint16_t>(in_record, 8), Take<uint16_t>(in_record, 10), Take<uint32_t>(in_record, 12));
    }
    return text;
}

TDWType CounterpartOf(TDWType in_sqlType)
{
    for (const Counterpart& counterpart : COUNTERPARTS)
    {
        if (counterpart.sqlType == in_sqlType)
        {
            return counterpart.cType;
        }
    }
    ADD_FAILURE() << "no counterpart of " << in_sqlType;
    return TDW_C_DEFAULT;
}

SqlValue::SqlValue(TDWType in_type)
    : m_metadata(SqlMetadataOf(in_type)), m_data(SqlDataFactory().CreateNewSqlData(*m_metadata))
{
}

void SqlValue::Set(const std::string& in_image)
{
    m_data->SetNull(false);
    m_data->SetLength(static_cast<uint32_t>(in_image.size()));
    std::memcpy(m_data->GetBuffer(), in_image.data(), std::min<size_t>(in_image.size(), m_data->GetLength()));
}

std::string SqlValue::Bytes() const
{
    return std::string(static_cast<const char*>(m_data->GetBuffer()), m_data->GetLength());
}

BoundParameter::BoundParameter(TDWType in_cType, TDWType in_sqlType)
    : m_wrapper(CMetadataOf(in_cType)), m_target(in_sqlType)
{
}

ICToSqlConverter& BoundParameter::Converter()
{
    if (m_converter == nullptr)
    {
        m_converter = Registry().CreateNewCToSqlConverter(m_wrapper.GetMetadata(), m_target.Data(), nullptr);
    }
    return *m_converter;
}

std::string BoundParameter::Convert(const std::string& in_bytes)
{
    m_bytes = in_bytes;
    m_wrapper.SetData(&m_bytes[0]);
    m_wrapper.SetDataLength(static_cast<int64_t>(m_bytes.size()));
    const std::unique_ptr<ConversionResult> result = Converter().Convert(m_wrapper, m_target.Data());
    return Describe(result.get());
}

std::unique_ptr<ICToSqlConverter> ConverterOfCell(TDWType in_cType, TDWType in_sqlType)
{
    const SqlConverterFactory::CToSqlCreator creator =
        Registry().GetCToSqlTable()[SqlConverterFactory::GetCellIndex(in_cType, in_sqlType)];
    EXPECT_NE(nullptr, creator) << "no cell " << in_cType << " to " << in_sqlType;
    if (creator == nullptr)
    {
        return nullptr;
    }
    return creator(*CMetadataOf(in_cType), *SqlMetadataOf(in_sqlType));
}

std::unique_ptr<ISqlToSqlConverter> SqlToSqlConverterOfCell(TDWType in_source, TDWType in_target)
{
    const SqlConverterFactory::SqlToSqlCreator creator =
        Registry().GetSqlToSqlTable()[SqlConverterFactory::GetCellIndex(in_source, in_target)];
    EXPECT_NE(nullptr, creator) << "no cell " << in_source << " to " << in_target;
    if (creator == nullptr)
    {
        return nullptr;
    }
    return creator(*SqlMetadataOf(in_source), *SqlMetadataOf(in_target));
}

std::unique_ptr<ISqlToSqlConverter> SqlSideOf(std::unique_ptr<ICToSqlConverter> in_converter)
{
    auto* sqlSide = dynamic_cast<ISqlToSqlConverter*>(in_converter.get());
    EXPECT_NE(nullptr, sqlSide) << "the converter does not convert SQL-side values";
    if (sqlSide == nullptr)
    {
        return nullptr;
    }
    in_converter.release();
    return std::unique_ptr<ISqlToSqlConverter>(sqlSide);
}

std::string ShowNumeric(const TDWNumeric& in_value)
{
    char digits[200];
    uint32_t leading = 0;
    if (!in_value.ToChars(sizeof(digits), digits, leading))
    {
        return "invalid";
    }
    std::string text(digits + leading, sizeof(digits) - leading);
    const size_t places = in_value.GetExponent() < 0 ? static_cast<size_t>(-in_value.GetExponent()) : 0;
    if (places > 0)
    {
        text.insert(0, places + 1 > text.size() ? places + 1 - text.size() : 0, '0');
        text.insert(text.size() - places, ".");
    }
    return (in_value.IsNegative() ? "-" : "") + text;
}

std::string ConvertIntoNumber(TDWType in_sqlType,
                              const TargetShape& in_shape,
                              const std::function<std::unique_ptr<ConversionResult>(SqlData&)>& in_convert)
{
    SqlValue target(in_sqlType);
    if (in_shape.precision >= 0)
    {
        target.Metadata().SetPrecision(in_shape.precision);
    }
    if (in_shape.scale >= 0)
    {
        target.Metadata().SetScale(in_shape.scale);
    }
    const size_t size = SizeOfNumber(in_sqlType);
    const std::string before(size, '\x07');
    std::memcpy(target.Data().GetBuffer(), before.data(), size);
    target.Data().SetNull(true);
    const std::unique_ptr<ConversionResult> result = in_convert(target.Data());
    EXPECT_FALSE(target.Data().IsNull()) << "a converted value is not NULL, whatever the outcome";
    EXPECT_EQ(static_cast<int64_t>(size), target.Data().GetConvertedLength()) << "the converted length of a number";
    const std::string after(static_cast<const char*>(target.Data().GetBuffer()), size);
    return Describe(result.get()) + " | " + (after == before ? "kept" : ShowNumber(in_sqlType, after.data()));
}

std::string ConvertNumber(TDWType in_cType,
                          const std::string& in_image,
                          TDWType in_sqlType,
                          const TargetShape& in_shape)
{
    return ConvertIntoNumber(in_sqlType, in_shape, [&](SqlData& io_target) {
        const std::unique_ptr<ICToSqlConverter> converter = ConverterOfCell(in_cType, in_sqlType);
        ODBC::CDataWrapper wrapper(CMetadataOf(in_cType));
        std::string bytes = in_image;
        wrapper.SetData(&bytes[0]);
        // The length of a fixed-size value is never read.
        wrapper.SetDataLength(-12345);
        return converter->Convert(wrapper, io_target);
    });
}

std::string ConvertSqlNumber(TDWType in_source,
                             const std::string& in_image,
                             TDWType in_sqlType,
                             const TargetShape& in_shape)
{
    return ConvertIntoNumber(in_sqlType, in_shape, [&](SqlData& io_target) {
        const std::unique_ptr<ISqlToSqlConverter> converter =
            SqlSideOf(ConverterOfCell(CounterpartOf(in_source), in_sqlType));
        SqlValue source(in_source);
        source.Set(in_image);
        return converter->Convert(source.Data(), io_target);
    });
}

} // namespace Support
} // namespace Orvik
