#include "ODBC/Diagnostics/DiagStateTable.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

struct Odbc2Mapping
{
    const char* m_odbc3;
    const char* m_odbc2;
};

// The SQLSTATEs an ODBC 2 application is shown for ODBC 3 ones, one mapping a line.
constexpr Odbc2Mapping ODBC2_MAP[] = {
    // Kept as they are.
    {"01000", "01000"}, {"01002", "01002"}, {"01004", "01004"}, {"01006", "01006"},
    {"01S00", "01S00"}, {"01S01", "01S01"}, {"01S02", "01S02"}, {"01S03", "01S03"},
    {"01S04", "01S04"}, {"01S05", "01S05"}, {"07001", "07001"}, {"07006", "07006"},
    {"08001", "08001"}, {"08002", "08002"}, {"08003", "08003"}, {"08004", "08004"},
    {"08007", "08007"}, {"08S01", "08S01"}, {"21000", "21000"}, {"21S01", "21S01"},
    {"21S02", "21S02"}, {"22001", "22001"}, {"22003", "22003"}, {"22005", "22005"},
    {"22008", "22008"}, {"22012", "22012"}, {"22026", "22026"}, {"23000", "23000"},
    {"24000", "24000"}, {"25000", "25000"}, {"28000", "28000"}, {"34000", "34000"},
    {"37000", "37000"}, {"3C000", "3C000"}, {"40001", "40001"}, {"42000", "42000"},
    {"70100", "70100"}, {"S1002", "S1002"}, {"S1094", "S1094"}, {"S1108", "S1108"},
    {"S1T00", "S1T00"}, {"IM007", "IM007"}, {"IM008", "IM008"}, {"IM009", "IM009"},
    // The general warning.
    {"01001", "01000"}, {"01003", "01000"}, {"01007", "01000"}, {"01S06", "01000"},
    {"01S07", "01000"}, {"01S08", "01000"}, {"01S09", "01000"},
    // The general error.
    {"07002", "S1000"}, {"07S01", "S1000"}, {"22002", "S1000"}, {"22007", "S1000"},
    {"22015", "S1000"}, {"22018", "S1000"}, {"22019", "S1000"}, {"22025", "S1000"},
    {"25S01", "S1000"}, {"25S02", "S1000"}, {"25S03", "S1000"}, {"3D000", "S1000"},
    {"3F000", "S1000"}, {"40003", "S1000"}, {"44000", "S1000"}, {"HY000", "S1000"},
    {"HY007", "S1000"}, {"HY013", "S1000"}, {"HY014", "S1000"}, {"HY016", "S1000"},
    {"HY017", "S1000"}, {"HY018", "S1000"}, {"HY019", "S1000"}, {"HY020", "S1000"},
    {"HY021", "S1000"}, {"HY024", "S1000"}, {"HYT00", "S1000"}, {"HYT01", "S1000"},
    // Renamed.
    {"07005", "24000"}, {"07009", "S1002"},
    {"42S01", "S0001"}, {"42S02", "S0002"}, {"42S11", "S0011"},
    {"42S12", "S0012"}, {"42S21", "S0021"}, {"42S22", "S0022"},
    // HY becomes S1.
    {"HY001", "S1001"}, {"HY003", "S1003"}, {"HY004", "S1004"}, {"HY008", "S1008"},
    {"HY009", "S1009"}, {"HY010", "S1010"}, {"HY011", "S1011"}, {"HY012", "S1012"},
    {"HY015", "S1015"}, {"HY090", "S1090"}, {"HY091", "S1091"}, {"HY092", "S1092"},
    {"HY093", "S1093"}, {"HY095", "S1095"}, {"HY096", "S1096"}, {"HY097", "S1097"},
    {"HY098", "S1098"}, {"HY099", "S1099"}, {"HY100", "S1100"}, {"HY101", "S1101"},
    {"HY103", "S1103"}, {"HY104", "S1104"}, {"HY105", "S1105"}, {"HY106", "S1106"},
    {"HY107", "S1107"}, {"HY109", "S1109"}, {"HY110", "S1110"}, {"HY111", "S1111"},
    {"HYC00", "S1C00"},
};

static_assert(std::size(ODBC2_MAP) == 116, "the ODBC 2 map has 116 entries");

// The states whose SQLSTATEs ODBC itself defines rather than ISO 9075.
constexpr DiagState ODBC_SPECIFIC_STATES[] = {
    DIAG_INVALID_CONNECTION_STRING_ATTRIBUTE, DIAG_ERROR_IN_ROW, DIAG_OPTION_VALUE_CHANGED,
    DIAG_FETCH_BEFORE_FIRST_ROWSET, DIAG_FRACTIONAL_TRUNCATION, DIAG_INVALID_USE_OF_DEFAULT_PARAMETER,
    DIAG_COMMUNICATION_LINK_FAILURE, DIAG_INSERT_VALUE_LIST_MISMATCH, DIAG_DERIVED_TABLE_DEGREE_MISMATCH,
    DIAG_TRANSACTION_STATE, DIAG_TRANSACTION_STILL_ACTIVE, DIAG_TRANSACTION_ROLLED_BACK,
    DIAG_TABLE_ALREADY_EXISTS, DIAG_TABLE_NOT_FOUND, DIAG_INDEX_ALREADY_EXISTS,
    DIAG_INDEX_NOT_FOUND, DIAG_COLUMN_ALREADY_EXISTS, DIAG_COLUMN_NOT_FOUND,
    DIAG_FUNCTION_TYPE_OUT_OF_RANGE, DIAG_COLUMN_TYPE_OUT_OF_RANGE, DIAG_SCOPE_TYPE_OUT_OF_RANGE,
    DIAG_NULLABLE_TYPE_OUT_OF_RANGE, DIAG_UNIQUENESS_OPTION_OUT_OF_RANGE, DIAG_ACCURACY_OPTION_OUT_OF_RANGE,
    DIAG_INVALID_PARAMETER_TYPE, DIAG_ROW_VALUE_OUT_OF_RANGE, DIAG_INVALID_CURSOR_POSITION,
    DIAG_INVALID_DRIVER_COMPLETION, DIAG_INVALID_BOOKMARK_VALUE, DIAG_TIMEOUT_EXPIRED,
    DIAG_CONNECTION_TIMEOUT_EXPIRED, DIAG_NO_DATA_SOURCE_OR_DRIVER, DIAG_DIALOG_FAILED,
};

static_assert(std::size(ODBC_SPECIFIC_STATES) == 33, "ODBC defines 33 of the SQLSTATEs");

} // namespace

SqlState DiagStateTable::GetSqlState(DiagState in_state)
{
    return GetSqlStateForDiagState(in_state);
}

SqlState DiagStateTable::ToOdbc2State(const SqlState& in_sqlState)
{
    for (const Odbc2Mapping& mapping : ODBC2_MAP)
    {
        if (SqlState(mapping.m_odbc3) == in_sqlState)
        {
            return SqlState(mapping.m_odbc2);
        }
    }
    return std::strncmp(in_sqlState.GetText(), "01", 2) == 0 ? ODBC2_GENERAL_WARNING : ODBC2_GENERAL_ERROR;
}

const char* DiagStateTable::GetClassOrigin(const SqlState& in_sqlState)
{
    return std::strncmp(in_sqlState.GetText(), "IM", 2) == 0 ? ORIGIN_ODBC : ORIGIN_ISO;
}

const char* DiagStateTable::GetSubclassOrigin(int32_t in_state)
{
    return IsOdbcSpecific(in_state) ? ORIGIN_ODBC : ORIGIN_ISO;
}

bool DiagStateTable::IsOdbcSpecific(int32_t in_state)
{
    return std::find(std::begin(ODBC_SPECIFIC_STATES), std::end(ODBC_SPECIFIC_STATES), in_state) !=
           std::end(ODBC_SPECIFIC_STATES);
}

bool DiagStateTable::IsDiagState(int32_t in_state)
{
    return in_state >= 0 && in_state < DIAG_STATE_COUNT;
}

} // namespace ODBC
} // namespace Orvik
