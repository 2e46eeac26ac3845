#pragma once

#include <sqltypes.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

class CDataWrapper;
class DataSource;
class PartialDataColumn;

/// Delivers one character or binary value of a DataSource into an application buffer, piece by
/// piece: every call fills the buffer from its start with the next piece. Made by a
/// PartialDataColumn for one C type; the column attaches the buffer before each call.
class DataRetriever
{
public:
    virtual ~DataRetriever() = default;

    DataRetriever(const DataRetriever&) = delete;
    DataRetriever& operator=(const DataRetriever&) = delete;

    /// Writes the next piece into the attached C data, its length at io_length and 0 at
    /// io_indicator (either may be null or both the same); a NULL value instead sets the C data's
    /// null flag and SQL_NULL_DATA at io_indicator. Returns whether more of the value remains.
    virtual bool Retrieve(SQLLEN* io_length, SQLLEN* io_indicator) = 0;

    /// Starts the value over from its first byte, dropping any conversion in progress.
    virtual void Reset();

    void AttachCData(CDataWrapper& in_cData) { m_cData = &in_cData; }

    int16_t GetCType() const { return m_cType; }

    /// Whether the value has not been delivered to its end.
    bool HasMore() const { return m_more; }

protected:
    /// Delivers the values of in_source (both not owned, owned by in_column) as C type in_cType;
    /// with in_computeTotal a cut value reports its full length instead of SQL_NO_TOTAL.
    DataRetriever(PartialDataColumn& in_column, DataSource& in_source, int16_t in_cType, bool in_computeTotal);

    /// The application's buffer at the C data's offset; null when it has none.
    char* GetTarget() const;

    /// The bytes the application's buffer holds; 0 without a buffer.
    int64_t GetBufferLength() const;

    /// Handles a NULL piece: one after data of the same value throws ODBCInternalException
    /// "InvalidSrcData"; otherwise the C data becomes null and SQL_NULL_DATA goes to io_indicator,
    /// or, without one, DataWarningOrError "NullIndPtrNotSupplied" (22002) is thrown. Nothing
    /// remains afterwards.
    void DeliverNull(SQLLEN* io_indicator);

    PartialDataColumn& m_column;
    DataSource& m_source;
    CDataWrapper* m_cData = nullptr;
    /// Bytes of the source value already taken.
    int64_t m_offset = 0;
    const int16_t m_cType;
    bool m_more = true;
    const bool m_computeTotal;
};

} // namespace ODBC
} // namespace Orvik
