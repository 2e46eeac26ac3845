#pragma once

#include "ODBC/Cursors/DataRetriever.h"

namespace Orvik {
namespace ODBC {

/// Copies character data that is already in the buffer's encoding, in code units of in_unitSize
/// bytes (1, 2 or 4): every piece is a whole number of code units followed by one zero code unit.
template <int in_unitSize>
class CopyRetriever : public DataRetriever
{
public:
    CopyRetriever(PartialDataColumn& in_column, DataSource& in_source, int16_t in_cType, bool in_computeTotal);

    /// A buffer without room for one code unit and the terminator gets nothing, and the value
    /// remains to be read.
    bool Retrieve(SQLLEN* io_length, SQLLEN* io_indicator) override;

private:
    /// Copies the next piece, or detects NULL when nothing fits; returns the bytes copied.
    int64_t CopyPiece(SQLLEN* io_indicator, int64_t& out_pieceLength);

    /// The bytes of the value after the offset; reads them. A NULL rest throws
    /// ODBCInternalException "InvalidSrcData".
    int64_t MeasureRest();
};

} // namespace ODBC
} // namespace Orvik
