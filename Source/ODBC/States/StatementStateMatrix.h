#pragma once

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The state matrix of a statement: for each operation a statement state has, in the states'
/// slot order, and each ODBC statement state S1 to S10, what the state does. The fixed cells are
/// data here; the states carry out the RUN cells (which may still refuse by their arguments).
/// Columns: S1 allocated, S2 prepared without result set, S3 prepared with result set, S4
/// executed without result set, S5 cursor open, S6 fetched, S7 fetched by SQLExtendedFetch, S8
/// need data, S9 must put data, S10 can put data.
///   RUN     the state's operation
///   SEQ     "FuncSeqErr" (HY010)
///   CUR     "InvalidCursorState" (24000)
///   NCS     "PreparedStmtNotCursorSpec" (07005)
///   NODATA  SQL_NO_DATA, nothing changes
///   NO, YES the answer of HasOpenCursor
#define ORVIK_STATEMENT_STATE_MATRIX(ROW) \
    ROW(SQLBindCol,             RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLBindParameter,       RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLCancel,              RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, RUN, RUN, RUN) \
    ROW(SQLCloseCursor,         CUR,    CUR,    CUR,    CUR, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLColAttributeW,       SEQ,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLDescribeColW,        SEQ,    NCS,    RUN,    CUR, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLDescribeParam,       SEQ,    RUN,    RUN,    SEQ, SEQ, SEQ, SEQ, SEQ, SEQ, SEQ) \
    ROW(EndTransaction,         RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLExecDirectW,         RUN,    RUN,    RUN,    RUN, CUR, CUR, CUR, SEQ, SEQ, SEQ) \
    ROW(SQLExecute,             SEQ,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLExtendedFetch,       SEQ,    SEQ,    SEQ,    CUR, RUN, SEQ, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLFetch,               SEQ,    SEQ,    SEQ,    CUR, RUN, RUN, SEQ, SEQ, SEQ, SEQ) \
    ROW(SQLFetchScroll,         SEQ,    SEQ,    SEQ,    CUR, RUN, RUN, SEQ, SEQ, SEQ, SEQ) \
    ROW(SQLFreeStmt,            RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLGetCursorNameW,      RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, RUN, RUN, RUN) \
    ROW(SQLGetData,             SEQ,    SEQ,    SEQ,    CUR, CUR, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLGetStmtAttrW,        RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLMoreResults,         NODATA, NODATA, NODATA, RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLNumParams,           SEQ,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLNumResultCols,       SEQ,    RUN,    RUN,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLParamData,           SEQ,    SEQ,    SEQ,    SEQ, SEQ, SEQ, SEQ, RUN, SEQ, RUN) \
    ROW(SQLPrepareW,            RUN,    RUN,    RUN,    RUN, CUR, CUR, CUR, SEQ, SEQ, SEQ) \
    ROW(SQLPutData,             SEQ,    SEQ,    SEQ,    SEQ, SEQ, SEQ, SEQ, SEQ, RUN, RUN) \
    ROW(SQLRowCount,            SEQ,    SEQ,    SEQ,    RUN, RUN, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLSetCursorNameW,      RUN,    RUN,    RUN,    CUR, CUR, CUR, CUR, SEQ, SEQ, SEQ) \
    ROW(SQLSetPos,              SEQ,    SEQ,    SEQ,    CUR, CUR, RUN, RUN, SEQ, SEQ, SEQ) \
    ROW(SQLSetStmtAttrW,        RUN,    RUN,    RUN,    RUN, RUN, RUN, RUN, RUN, RUN, RUN) \
    ROW(HasOpenCursor,          NO,     NO,     NO,     NO,  YES, YES, YES, NO,  NO,  NO)  \
    ROW(ExecuteCatalogFunction, RUN,    RUN,    RUN,    RUN, CUR, CUR, CUR, SEQ, SEQ, SEQ)

/// The operations of a statement state, in slot order.
enum class StatementOperation : int32_t
{
#define ORVIK_STATEMENT_OPERATION(name, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10) name,
    ORVIK_STATEMENT_STATE_MATRIX(ORVIK_STATEMENT_OPERATION)
#undef ORVIK_STATEMENT_OPERATION
};

/// What one cell of the matrix says.
enum class StatementCell : uint8_t
{
    RUN,
    SEQ,
    CUR,
    NCS,
    NODATA,
    NO,
    YES
};

/// Reads the matrix; any thread, no locks.
class StatementStateMatrix
{
public:
    StatementStateMatrix() = delete;

    static constexpr int32_t OPERATION_COUNT = 29;
    static constexpr int32_t STATE_COUNT = 10;

    /// The cell of in_operation in state S<in_stateNumber>, which is 1 to 10.
    static StatementCell GetCell(StatementOperation in_operation, int32_t in_stateNumber);

    /// The operation's name for log lines.
    static const char* GetName(StatementOperation in_operation);

    /// Throws the error that an error cell (SEQ, CUR, NCS) stands for; other cells do nothing.
    static void ThrowIfError(StatementCell in_cell);
};

} // namespace ODBC
} // namespace Orvik
