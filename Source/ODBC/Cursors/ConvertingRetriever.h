#pragma once

#include "ODBC/Cursors/DataRetriever.h"

#include <memory>

namespace Orvik {
namespace Support {
class ISqlToCConverter;
class SqlData;
}

namespace ODBC {

/// Delivers binary data, or any character or binary data as SQL_C_BINARY, through the
/// converter registry: each call reads as many source bytes as their conversion fits into the
/// buffer (two hexadecimal characters a byte for text) and converts them.
class ConvertingRetriever : public DataRetriever
{
public:
    ConvertingRetriever(PartialDataColumn& in_column, DataSource& in_source, int16_t in_cType);
    ~ConvertingRetriever() override;

    /// A cut value reports SQL_NO_TOTAL. Of the converter's results only the truncations are
    /// reported, at no particular row or column.
    bool Retrieve(SQLLEN* io_length, SQLLEN* io_indicator) override;

private:
    /// The source bytes whose conversion fits a buffer of in_bufferLength bytes.
    int64_t GetSourceBytesThatFit(int64_t in_bufferLength) const;

    /// Converts in_piece to the buffer after the in_written bytes already there; returns the bytes
    /// it added.
    int64_t ConvertPiece(const Support::SqlData& in_piece, int64_t in_written);

    std::unique_ptr<Support::ISqlToCConverter> m_converter;
    /// The buffer size the converter was made for.
    uint64_t m_converterElementSize = 0;
    /// Points the converter at the part of the buffer not yet written.
    std::unique_ptr<CDataWrapper> m_scratch;
};

} // namespace ODBC
} // namespace Orvik
