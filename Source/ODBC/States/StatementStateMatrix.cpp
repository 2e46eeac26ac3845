#include "ODBC/States/StatementStateMatrix.h"

#include "Support/ErrorException.h"

namespace Orvik {
namespace ODBC {

namespace {

using Cell = StatementCell;

struct MatrixRow
{
    const char* m_name;
    StatementCell m_cells[StatementStateMatrix::STATE_COUNT];
};

constexpr Cell RUN = Cell::RUN;
constexpr Cell SEQ = Cell::SEQ;
constexpr Cell CUR = Cell::CUR;
constexpr Cell NCS = Cell::NCS;
constexpr Cell NODATA = Cell::NODATA;
constexpr Cell NO = Cell::NO;
constexpr Cell YES = Cell::YES;

constexpr MatrixRow MATRIX[] = {
#define ORVIK_MATRIX_ROW(name, s1, s2, s3, s4, s5, s6, s7, s8, s9, s10) \
    {#name, {s1, s2, s3, s4, s5, s6, s7, s8, s9, s10}},
    ORVIK_STATEMENT_STATE_MATRIX(ORVIK_MATRIX_ROW)
#undef ORVIK_MATRIX_ROW
};

static_assert(sizeof(MATRIX) / sizeof(MATRIX[0]) == StatementStateMatrix::OPERATION_COUNT,
              "a statement state has 29 operations");

} // namespace

StatementCell StatementStateMatrix::GetCell(StatementOperation in_operation, int32_t in_stateNumber)
{
    return MATRIX[static_cast<int32_t>(in_operation)].m_cells[in_stateNumber - 1];
}

const char* StatementStateMatrix::GetName(StatementOperation in_operation)
{
    return MATRIX[static_cast<int32_t>(in_operation)].m_name;
}

void StatementStateMatrix::ThrowIfError(StatementCell in_cell)
{
    using Support::ErrorException;
    using Support::ODBC_COMPONENT_ID;
    switch (in_cell)
    {
    case Cell::SEQ:
        throw ErrorException(Support::DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
    case Cell::CUR:
        throw ErrorException(Support::DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"InvalidCursorState", -1, -1);
    case Cell::NCS:
        throw ErrorException(Support::DIAG_PREPARED_STATEMENT_NOT_CURSOR, ODBC_COMPONENT_ID,
                             u"PreparedStmtNotCursorSpec", -1, -1);
    default:
        break;
    }
}

} // namespace ODBC
} // namespace Orvik
