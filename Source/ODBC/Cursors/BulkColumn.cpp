#include "ODBC/Cursors/BulkColumn.h"

#include "Support/InvalidTypeConversionException.h"
#include "Support/SupportError.h"
#include "Support/TypedDataWrapper/BulkSqlData.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverter.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"

#include <sqlext.h>

#include <cstdlib>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

SQLLEN* RowAddress(SQLLEN* in_base, uint64_t in_row, int64_t in_stride)
{
    return in_base == nullptr ? nullptr
                              : reinterpret_cast<SQLLEN*>(reinterpret_cast<char*>(in_base) + in_row * in_stride);
}

} // namespace

BulkColumn::BulkColumn(uint16_t in_columnIndex,
                       const SqlTypeMetadata& in_source,
                       const SqlCTypeMetadata& in_target,
                       const Target& in_where,
                       IDiagManager& in_diagnostics,
                       const ISqlToCBulkConverterFactory& in_factory)
    : m_converter(in_factory.CreateConverter(in_source, in_target)),
      m_where(in_where),
      m_listener(static_cast<uint16_t>(in_columnIndex + 1), m_rowCounter, in_diagnostics),
      m_columnIndex(in_columnIndex)
{
    if (m_converter == nullptr)
    {
        throw InvalidTypeConversionException(SupportError(SupportErrorCode::DataConvAlgorithmNotSupported),
                                             {TypeConversionInfo::GetCTypeName(in_source),
                                              TypeConversionInfo::GetCTypeName(in_target)});
    }
}

BulkColumn::~BulkColumn() = default;

void BulkColumn::StartRowset(const Target& in_where)
{
    m_where = in_where;
    m_rowsConverted = 0;
    m_rowCounter = 1;
    m_listener.ClearRows();
}

uint64_t BulkColumn::Fill(const BulkSqlData& in_source)
{
    if (in_source.m_rowCount == 0)
    {
        return 0;
    }
    if (m_lengths.size() < in_source.m_rowCount)
    {
        m_lengths.resize(in_source.m_rowCount);
    }
    const int64_t firstRow = m_rowCounter;
    char* target = m_where.m_data == nullptr ? nullptr : m_where.m_data + m_rowsConverted * m_where.m_dataStride;
    const uint64_t converted = m_converter->Convert(in_source, target, m_where.m_elementSize, m_where.m_dataStride,
                                                    m_lengths.data(), sizeof(int64_t), m_listener);
    // The loop has moved the counter past the batch; the lengths are written row by row again, so
    // that a NULL without an indicator is posted at its own row.
    m_rowCounter = firstRow;
    for (uint64_t row = 0; row < converted; ++row)
    {
        WriteLength(m_rowsConverted + row, m_lengths[row]);
        ++m_rowCounter;
    }
    m_rowsConverted += converted;
    return converted;
}

void BulkColumn::WriteLength(uint64_t in_row, int64_t in_length)
{
    SQLLEN* octetLength = RowAddress(m_where.m_octetLength, in_row, m_where.m_lengthStride);
    SQLLEN* indicator = RowAddress(m_where.m_indicator, in_row, m_where.m_lengthStride);
    const bool isNull = in_length == BulkSqlData::NULL_LENGTH;
    if (isNull && indicator == nullptr)
    {
        m_listener.PostWarning(ConversionResult::NullIndPtrNotSupplied());
        return;
    }
    if (isNull)
    {
        if (octetLength != nullptr && octetLength != indicator)
        {
            *octetLength = 0;
        }
        *indicator = SQL_NULL_DATA;
        return;
    }
    if (indicator != nullptr && indicator != octetLength)
    {
        *indicator = 0;
    }
    if (octetLength != nullptr)
    {
        *octetLength = std::llabs(in_length);
    }
}

} // namespace ODBC
} // namespace Orvik
