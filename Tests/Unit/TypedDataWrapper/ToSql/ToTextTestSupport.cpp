#include "ToTextTestSupport.h"

#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

std::string ShowUnits(const std::string& in_bytes, size_t in_unitSize)
{
    static const char DIGITS[] = "0123456789ABCDEF";
    std::string text;
    for (size_t at = 0; at + in_unitSize <= in_bytes.size(); at += in_unitSize)
    {
        uint32_t unit = 0;
        for (size_t i = 0; i < in_unitSize; ++i)
        {
            unit |= static_cast<uint32_t>(static_cast<unsigned char>(in_bytes[at + i])) << (8 * i);
        }
        if (unit == 0)
        {
            text += "\\0";
        }
        else if (unit < 0x80)
        {
            text += static_cast<char>(unit);
        }
        else
        {
            text += "<";
            for (size_t i = 0; i < in_unitSize; ++i)
            {
                const unsigned char byte = static_cast<unsigned char>(in_bytes[at + i]);
                text += DIGITS[byte >> 4];
                text += DIGITS[byte & 15];
            }
            text += ">";
        }
    }
    return text;
}

std::unique_ptr<SqlTypeMetadata> TargetMetadataOf(CharTarget in_target)
{
    std::unique_ptr<SqlTypeMetadata> metadata = SqlMetadataOf(in_target.type);
    metadata->SetEncoding(in_target.encoding);
    return metadata;
}

} // namespace

CappedValue::CappedValue(const SqlTypeMetadata& in_metadata, uint32_t in_capacity)
    : SqlData(in_metadata), m_bytes(in_capacity, '.')
{
    m_length = in_capacity;
}

void CappedValue::SetLength(uint32_t in_length)
{
    m_length = std::min<uint32_t>(in_length, static_cast<uint32_t>(m_bytes.size()));
}

ToTextRun::ToTextRun(TDWType in_cType, CharTarget in_target)
    : m_cType(in_cType),
      m_wrapper(std::make_unique<ODBC::CDataWrapper>(CMetadataOf(in_cType))),
      m_targetMetadata(TargetMetadataOf(in_target)),
      m_target(SqlDataFactory().CreateNewSqlData(*m_targetMetadata))
{
}

ToTextRun::ToTextRun(TDWType in_sqlType, ToSqlKernel in_kernel, CharTarget in_target)
    : m_source(std::make_unique<SqlValue>(in_sqlType)),
      m_kernel(in_kernel),
      m_targetMetadata(TargetMetadataOf(in_target)),
      m_target(SqlDataFactory().CreateNewSqlData(*m_targetMetadata))
{
}

void ToTextRun::CapTarget(uint32_t in_capacity)
{
    m_target = std::make_unique<CappedValue>(*m_targetMetadata, in_capacity);
}

std::string ToTextRun::Run(const std::string& in_image)
{
    return Run(in_image, static_cast<int64_t>(in_image.size()));
}

std::string ToTextRun::Run(const std::string& in_image, int64_t in_length)
{
    m_target->SetNull(true);
    std::unique_ptr<ConversionResult> result;
    if (m_wrapper != nullptr)
    {
        m_bytes = in_image;
        m_wrapper->SetData(&m_bytes[0]);
        m_wrapper->SetDataLength(in_length);
        // The cell of the buffer's own id, also for the plain ids the C metadata factory never gives.
        const SqlConverterFactory::CToSqlCreator creator =
            Registry().GetCToSqlTable()[SqlConverterFactory::GetCellIndex(m_cType, m_targetMetadata->GetTDWType())];
        EXPECT_NE(nullptr, creator) << "no cell " << m_cType << " to " << m_targetMetadata->GetTDWType();
        if (creator == nullptr)
        {
            return "no cell";
        }
        const std::unique_ptr<ICToSqlConverter> converter = creator(m_wrapper->GetMetadata(), *m_targetMetadata);
        result = converter->Convert(*m_wrapper, *m_target);
    }
    else
    {
        m_source->Set(in_image);
        ToSqlConverter converter(m_kernel);
        result = converter.Convert(m_source->Data(), *m_target);
    }
    EXPECT_FALSE(m_target->IsNull()) << "a converted value is not NULL, whatever the outcome";
    const std::string bytes(static_cast<const char*>(m_target->GetBuffer()), m_target->GetLength());
    const size_t unitSize = static_cast<size_t>(EncodingInfo::GetCodeUnitSize(m_targetMetadata->GetEncoding()));
    return Describe(result.get()) + " | " + ShowUnits(bytes, unitSize) + " | " + std::to_string(m_target->GetLength())
        + "/" + std::to_string(m_target->GetConvertedLength());
}

std::string ApplicationToText(TDWType in_cType, const std::string& in_image, CharTarget in_target)
{
    return ToTextRun(in_cType, in_target).Run(in_image);
}

std::string SqlToText(TDWType in_sqlType, ToSqlKernel in_kernel, const std::string& in_image, CharTarget in_target)
{
    return ToTextRun(in_sqlType, in_kernel, in_target).Run(in_image);
}

} // namespace Support
} // namespace Orvik
