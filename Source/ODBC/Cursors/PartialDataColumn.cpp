#include "ODBC/Cursors/PartialDataColumn.h"

#include "ODBC/Cursors/ConvertingRetriever.h"
#include "ODBC/Cursors/CopyRetriever.h"
#include "ODBC/Cursors/DataSource.h"
#include "ODBC/Cursors/TranscodingRetriever.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char16_t TRUNCATION_WARNING_KEY[] = u"StrRightTruncWarn";

std::unique_ptr<DataRetriever> MakeCopyRetriever(PartialDataColumn& in_column,
                                                 int16_t in_cType,
                                                 uint8_t in_unitSize,
                                                 bool in_computeTotal)
{
    DataSource& source = in_column.GetSource();
    switch (in_unitSize)
    {
    case 1:
        return std::make_unique<CopyRetriever<1>>(in_column, source, in_cType, in_computeTotal);
    case 2:
        return std::make_unique<CopyRetriever<2>>(in_column, source, in_cType, in_computeTotal);
    default:
        return std::make_unique<CopyRetriever<4>>(in_column, source, in_cType, in_computeTotal);
    }
}

} // namespace

PartialDataColumn::PartialDataColumn(std::unique_ptr<DataSource> in_source,
                                     IDiagManager& in_diagnostics,
                                     bool in_computeTotal)
    : m_source(std::move(in_source)), m_diagnostics(in_diagnostics), m_computeTotal(in_computeTotal)
{
}

PartialDataColumn::~PartialDataColumn() = default;

int16_t PartialDataColumn::ResolveCType(int16_t in_cType) const
{
    if (in_cType != SQL_C_DEFAULT)
    {
        return in_cType;
    }
    return TypeConversionInfo::GetSqlTypeForTDWType(
        TypeConversionInfo::GetDefaultCTypeForSqlType(m_source->GetMetadata().GetTDWType()));
}

void PartialDataColumn::AttachCData(CDataWrapper& in_cData)
{
    const int16_t cType = ResolveCType(in_cData.GetMetadata().GetCType());
    if (m_retriever == nullptr || m_retriever->GetCType() != cType)
    {
        m_retriever = MakeRetriever(cType);
    }
    m_retriever->AttachCData(in_cData);
}

std::unique_ptr<DataRetriever> PartialDataColumn::MakeRetriever(int16_t in_cType)
{
    const SqlTypeMetadata& metadata = m_source->GetMetadata();
    if (in_cType == SQL_C_BINARY || metadata.IsBinary())
    {
        return std::make_unique<ConvertingRetriever>(*this, *m_source, in_cType);
    }
    const bool isWide = in_cType == SQL_C_WCHAR;
    const EncodingType bufferEncoding =
        isWide ? orvik_wstring::GetDriverManagerEncoding() : orvik_wstring::GetAnsiEncoding();
    if (metadata.GetEncoding() == bufferEncoding)
    {
        return MakeCopyRetriever(*this, in_cType, isWide ? EncodingInfo::GetCodeUnitSize(bufferEncoding) : 1,
                                 m_computeTotal);
    }
    return std::make_unique<TranscodingRetriever>(*this, *m_source, in_cType, m_computeTotal, bufferEncoding);
}

void PartialDataColumn::Reset()
{
    m_source->MarkHasData();
    if (m_retriever != nullptr)
    {
        m_retriever->Reset();
    }
}

bool PartialDataColumn::RetrieveForFetch(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row)
{
    m_rowNumber = in_row;
    return m_retriever->Retrieve(io_length, io_indicator);
}

bool PartialDataColumn::RetrieveForGetData(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row)
{
    m_rowNumber = in_row;
    const bool isCut = m_retriever->Retrieve(io_length, io_indicator);
    if (isCut)
    {
        PostTruncationWarning();
    }
    return isCut;
}

bool PartialDataColumn::IsExhausted() const
{
    return m_retriever == nullptr || !m_retriever->HasMore();
}

int16_t PartialDataColumn::GetCType() const
{
    return m_retriever != nullptr ? m_retriever->GetCType() : 0;
}

uint16_t PartialDataColumn::GetColumnNumber() const
{
    return m_source->GetColumnNumber();
}

void PartialDataColumn::PostTruncationWarning()
{
    m_diagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, TRUNCATION_WARNING_KEY,
                              m_rowNumber, GetColumnNumber());
}

} // namespace ODBC
} // namespace Orvik
