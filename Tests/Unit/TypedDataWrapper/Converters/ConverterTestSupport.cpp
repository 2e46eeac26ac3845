#include "ConverterTestSupport.h"

#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"

#include "Unit/TypedDataWrapper/RecordingListener.h"

#include <sqlext.h>

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

struct SqlCode
{
    TDWType type;
    int16_t code;
    bool isUnsigned;
};

constexpr SqlCode SQL_CODES[] = {
    {TDW_SQL_CHAR, SQL_CHAR, false},
    {TDW_SQL_VARCHAR, SQL_VARCHAR, false},
    {TDW_SQL_LONGVARCHAR, SQL_LONGVARCHAR, false},
    {TDW_SQL_WCHAR, SQL_WCHAR, false},
    {TDW_SQL_WVARCHAR, SQL_WVARCHAR, false},
    {TDW_SQL_WLONGVARCHAR, SQL_WLONGVARCHAR, false},
    {TDW_SQL_BIT, SQL_BIT, false},
    {TDW_SQL_BINARY, SQL_BINARY, false},
    {TDW_SQL_VARBINARY, SQL_VARBINARY, false},
    {TDW_SQL_LONGVARBINARY, SQL_LONGVARBINARY, false},
    {TDW_SQL_NUMERIC, SQL_NUMERIC, false},
    {TDW_SQL_DECIMAL, SQL_DECIMAL, false},
    {TDW_SQL_STINYINT, SQL_TINYINT, false},
    {TDW_SQL_UTINYINT, SQL_TINYINT, true},
    {TDW_SQL_SSMALLINT, SQL_SMALLINT, false},
    {TDW_SQL_USMALLINT, SQL_SMALLINT, true},
    {TDW_SQL_SINTEGER, SQL_INTEGER, false},
    {TDW_SQL_UINTEGER, SQL_INTEGER, true},
    {TDW_SQL_SBIGINT, SQL_BIGINT, false},
    {TDW_SQL_UBIGINT, SQL_BIGINT, true},
    {TDW_SQL_REAL, SQL_REAL, false},
    {TDW_SQL_FLOAT, SQL_FLOAT, false},
    {TDW_SQL_DOUBLE, SQL_DOUBLE, false},
    {TDW_SQL_TYPE_DATE, SQL_TYPE_DATE, false},
    {TDW_SQL_TYPE_TIME, SQL_TYPE_TIME, false},
    {TDW_SQL_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, false},
    {TDW_SQL_INTERVAL_DAY, SQL_INTERVAL_DAY, false},
    {TDW_SQL_INTERVAL_DAY_TO_HOUR, SQL_INTERVAL_DAY_TO_HOUR, false},
    {TDW_SQL_INTERVAL_DAY_TO_MINUTE, SQL_INTERVAL_DAY_TO_MINUTE, false},
    {TDW_SQL_INTERVAL_DAY_TO_SECOND, SQL_INTERVAL_DAY_TO_SECOND, false},
    {TDW_SQL_INTERVAL_HOUR, SQL_INTERVAL_HOUR, false},
    {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, SQL_INTERVAL_HOUR_TO_MINUTE, false},
    {TDW_SQL_INTERVAL_HOUR_TO_SECOND, SQL_INTERVAL_HOUR_TO_SECOND, false},
    {TDW_SQL_INTERVAL_MINUTE, SQL_INTERVAL_MINUTE, false},
    {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, SQL_INTERVAL_MINUTE_TO_SECOND, false},
    {TDW_SQL_INTERVAL_MONTH, SQL_INTERVAL_MONTH, false},
    {TDW_SQL_INTERVAL_SECOND, SQL_INTERVAL_SECOND, false},
    {TDW_SQL_INTERVAL_YEAR, SQL_INTERVAL_YEAR, false},
    {TDW_SQL_INTERVAL_YEAR_TO_MONTH, SQL_INTERVAL_YEAR_TO_MONTH, false},
    {TDW_SQL_GUID, SQL_GUID, false},
};

} // namespace

const SqlConverterFactory& Registry()
{
    static const std::unique_ptr<SqlConverterFactory> s_registry = std::make_unique<SqlConverterFactory>();
    return *s_registry;
}

std::unique_ptr<SqlTypeMetadata> SqlMetadataOf(TDWType in_type)
{
    const SqlCode* code = std::find_if(std::begin(SQL_CODES), std::end(SQL_CODES), [in_type](const SqlCode& in_code) {
        return in_code.type == in_type;
    });
    EXPECT_NE(std::end(SQL_CODES), code) << "no SQL type " << in_type;
    if (code == std::end(SQL_CODES))
    {
        return nullptr;
    }
    std::unique_ptr<SqlTypeMetadata> metadata =
        SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(code->code, code->isUnsigned, 0);
    EXPECT_EQ(in_type, metadata->GetTDWType());
    return metadata;
}

std::unique_ptr<SqlCTypeMetadata> CMetadataOf(TDWType in_type)
{
    return SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(TypeConversionInfo::GetSqlTypeForTDWType(in_type));
}

std::string NumericImage(const char* in_text)
{
    const TDWNumeric value(in_text, true);
    return Image(value);
}

std::string Describe(const ConversionResult* in_result)
{
    RecordingListener listener;
    if (in_result != nullptr)
    {
        listener.PostWarning(*in_result);
    }
    return listener.Posted();
}

std::string IntervalText(const KernelRun& in_run)
{
    const SQL_INTERVAL_STRUCT interval = ValueOf<SQL_INTERVAL_STRUCT>(in_run);
    std::string text = "type=" + std::to_string(interval.interval_type)
        + " sign=" + std::to_string(interval.interval_sign) + " ";
    if (interval.interval_type == SQL_IS_YEAR || interval.interval_type == SQL_IS_MONTH
        || interval.interval_type == SQL_IS_YEAR_TO_MONTH)
    {
        return text + std::to_string(interval.intval.year_month.year) + "-"
            + std::to_string(interval.intval.year_month.month);
    }
    const auto& fields = interval.intval.day_second;
    return text + std::to_string(fields.day) + " " + std::to_string(fields.hour) + ":" + std::to_string(fields.minute)
        + ":" + std::to_string(fields.second) + "." + std::to_string(fields.fraction);
}

BoundColumn::BoundColumn(TDWType in_source, TDWType in_target, int64_t in_octetLength)
    : m_sourceMetadata(SqlMetadataOf(in_source)),
      m_value(SqlDataFactory().CreateNewSqlData(*m_sourceMetadata)),
      m_wrapper(CMetadataOf(in_target))
{
    TargetMetadata().SetOctetLength(static_cast<uint64_t>(in_octetLength));
}

void BoundColumn::MakeConverter()
{
    m_converter = Registry().CreateNewSqlToCConverter(*m_value, TargetMetadata(), nullptr);
}

void BoundColumn::MakeConverterOfCell(TDWType in_target)
{
    const int32_t cell = SqlConverterFactory::GetCellIndex(m_sourceMetadata->GetTDWType(), in_target);
    const SqlConverterFactory::SqlToCCreator creator = Registry().GetSqlToCTable()[cell];
    ASSERT_NE(nullptr, creator);
    m_converter = creator(*m_sourceMetadata, TargetMetadata());
}

ISqlToCConverter& BoundColumn::Converter()
{
    if (m_converter == nullptr)
    {
        MakeConverter();
    }
    return *m_converter;
}

void BoundColumn::SetValue(const std::string& in_image)
{
    m_value->SetNull(false);
    m_value->SetLength(static_cast<uint32_t>(in_image.size()));
    EXPECT_EQ(in_image.size(), m_value->GetLength()) << "an image of another size than the value's";
    std::memcpy(m_value->GetBuffer(), in_image.data(), std::min<size_t>(in_image.size(), m_value->GetLength()));
}

KernelRun BoundColumn::Convert(const std::string& in_image, int64_t in_bufferSize)
{
    SetValue(in_image);
    return Run(in_bufferSize);
}

KernelRun BoundColumn::ConvertNull(int64_t in_bufferSize)
{
    m_value->SetNull(true);
    KernelRun run = Run(in_bufferSize);
    m_value->SetNull(false);
    return run;
}

// Without a bound buffer the wrapper still points at one, so that a write through it would show.
KernelRun BoundColumn::Run(int64_t in_bufferSize)
{
    ISqlToCConverter& converter = Converter();
    GuardedBuffer buffer(static_cast<size_t>(in_bufferSize < 0 ? 64 : in_bufferSize));
    m_wrapper.SetData(buffer.Data());
    m_wrapper.SetAddressValid(in_bufferSize >= 0);
    const std::unique_ptr<ConversionResult> result = converter.Convert(*m_value, m_wrapper);
    m_wrapper.SetData(nullptr);
    KernelRun run;
    run.posted = Describe(result.get());
    run.length = m_wrapper.GetOutputLength();
    run.bytes = buffer.Bytes();
    run.clean = buffer.GuardsIntact();
    run.untouched = buffer.Untouched();
    return run;
}

} // namespace Support
} // namespace Orvik
