#include "ODBC/Cursors/OutputValueSource.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlVarLengthAttachedType.h"

#include <algorithm>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

bool IsDeliveredInPieces(const SqlData& in_data)
{
    const SqlTypeMetadata& metadata = in_data.GetMetadata();
    return !in_data.IsNull() && (metadata.IsCharacter() || metadata.IsWideCharacter() || metadata.IsBinary());
}

} // namespace

OutputValueSource::OutputValueSource(SqlData& in_data, uint16_t in_parameterNumber)
    : DataSource(in_data, in_parameterNumber)
{
}

OutputValueSource::~OutputValueSource() = default;

SqlData& OutputValueSource::GetData(int64_t in_offset, int64_t in_maxLength)
{
    if (!m_hasMore)
    {
        throw ODBCInternalException(u"NoMoreDataToGet");
    }
    if (!IsDeliveredInPieces(*m_data))
    {
        m_hasMore = false;
        return *m_data;
    }
    // A reader that stops short of the value's end comes back for the rest.
    const int64_t length = m_data->GetLength();
    const int64_t offset = std::clamp<int64_t>(in_offset, 0, length);
    const int64_t count = in_maxLength < 0 ? length - offset : std::min(in_maxLength, length - offset);
    if (m_piece == nullptr)
    {
        m_piece = std::make_unique<SqlVarLengthAttachedType>(m_data->GetMetadata());
    }
    m_piece->AttachBuffer(static_cast<char*>(m_data->GetBuffer()) + offset, static_cast<uint32_t>(count));
    m_hasMore = offset + count < length;
    return *m_piece;
}

void OutputValueSource::SetData(SqlData& in_data)
{
    m_data = &in_data;
    m_piece.reset();
}

} // namespace ODBC
} // namespace Orvik
