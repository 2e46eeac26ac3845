#pragma once

#include <sqltypes.h>

#include <cstdint>
#include <memory>

namespace Orvik {
namespace ODBC {

class CDataWrapper;
class DataRetriever;
class DataSource;
class IDiagManager;

/// A character or binary value delivered into character, wide-character or binary C data in
/// pieces: for SQLGetData, for bound columns and for output parameters. It keeps its retriever
/// while the C type stays the same.
class PartialDataColumn
{
public:
    /// Delivers the values of in_source (owned from now on), posting to in_diagnostics (not
    /// owned). With in_computeTotal a cut value reports its full length where it can, as bound
    /// columns and output parameters do; SQLGetData reports SQL_NO_TOTAL.
    PartialDataColumn(std::unique_ptr<DataSource> in_source, IDiagManager& in_diagnostics, bool in_computeTotal);
    ~PartialDataColumn();

    PartialDataColumn(const PartialDataColumn&) = delete;
    PartialDataColumn& operator=(const PartialDataColumn&) = delete;

    /// The next calls write into in_cData (not owned). SQL_C_DEFAULT stands for the source type's
    /// default C type; a C type other than the retriever's gets a new retriever: SQL_C_BINARY or
    /// binary data are converted, text already in the buffer's encoding is copied, other text is
    /// transcoded.
    void AttachCData(CDataWrapper& in_cData);

    /// Starts the value over: the source has data again and the retriever starts at its first
    /// byte.
    void Reset();

    /// The next piece for a fetch at row in_row: returns true when the value was cut, which the
    /// fetch then reports with PostTruncationWarning and the row's status.
    bool RetrieveForFetch(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row);

    /// The next piece for SQLGetData at row in_row; a cut value posts the truncation warning
    /// (01004) with the row and column. Returns whether more of the value remains.
    bool RetrieveForGetData(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row);

    /// Whether the retriever has delivered the value to its end; true without a retriever.
    bool IsExhausted() const;

    /// The C type of the retriever (SQL_C_DEFAULT resolved); 0 without a retriever.
    int16_t GetCType() const;

    /// The C type that in_cType stands for with this column's values.
    int16_t ResolveCType(int16_t in_cType) const;

    DataSource& GetSource() { return *m_source; }
    IDiagManager& GetDiagnostics() { return m_diagnostics; }
    int64_t GetRowNumber() const { return m_rowNumber; }
    uint16_t GetColumnNumber() const;

    /// Posts the truncation warning (01004, "StrRightTruncWarn") at the row of the last
    /// retrieval and this column.
    void PostTruncationWarning();

private:
    std::unique_ptr<DataRetriever> MakeRetriever(int16_t in_cType);

    std::unique_ptr<DataSource> m_source;
    IDiagManager& m_diagnostics;
    std::unique_ptr<DataRetriever> m_retriever;
    int64_t m_rowNumber = 0;
    const bool m_computeTotal;
};

} // namespace ODBC
} // namespace Orvik
