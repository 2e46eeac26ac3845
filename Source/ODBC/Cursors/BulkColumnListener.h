#pragma once

#include "Support/TypedDataWrapper/BulkWarningListener.h"

#include <cstdint>
#include <set>

namespace Orvik {
namespace ODBC {

class IDiagManager;

/// Receives the conversion problems of one bulk-fetched column and posts them on the statement at
/// the row its counter names, remembering which rows got a warning and which an error, so that
/// the fetch can give each row its status.
class BulkColumnListener : public Support::BulkWarningListener
{
public:
    /// Posts for column in_columnNumber to in_diagnostics (not owned); the counter at
    /// io_rowCounter (not owned) names the row.
    BulkColumnListener(uint16_t in_columnNumber, int64_t& io_rowCounter, IDiagManager& in_diagnostics);

    /// Posts in_result by its code: truncation (01004) and fractional truncation (01S07) as
    /// warnings, the other known codes as errors of their SQLSTATE; "NumericValOutOfRange" gets
    /// the column and row numbers as message parameters. Any other code throws SupportException
    /// "DataConvAlgorithmError".
    void PostWarning(const Support::ConversionResult& in_result) override;

    int64_t* GetRowCounter() override { return m_rowCounter; }
    void SetRowCounter(int64_t in_row) override { *m_rowCounter = in_row; }

    const std::set<int64_t>& GetWarningRows() const { return m_warningRows; }
    const std::set<int64_t>& GetErrorRows() const { return m_errorRows; }

    /// Forgets the rows of the last rowset.
    void ClearRows();

private:
    uint16_t m_columnNumber;
    int64_t* m_rowCounter;
    IDiagManager& m_diagnostics;
    std::set<int64_t> m_warningRows;
    std::set<int64_t> m_errorRows;
};

} // namespace ODBC
} // namespace Orvik
