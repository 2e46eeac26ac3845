#include "ODBC/States/SupportedFunctions.h"

#include <sqlext.h>

#include <algorithm>
#include <iterator>

namespace Orvik {
namespace ODBC {

namespace {

// The id under which ODBC 3.8 headers know SQLCancelHandle; unixODBC's sql.h gives it 1022.
constexpr SQLUSMALLINT SQL_API_SQLCANCELHANDLE_ODBC38 = 1550;

constexpr SQLUSMALLINT ODBC3_FUNCTIONS[] = {
    SQL_API_SQLALLOCHANDLE,
    SQL_API_SQLBINDCOL,
    SQL_API_SQLBINDPARAMETER,
    SQL_API_SQLBROWSECONNECT,
    SQL_API_SQLCANCEL,
    SQL_API_SQLCANCELHANDLE_ODBC38,
    SQL_API_SQLCANCELHANDLE,
    SQL_API_SQLCLOSECURSOR,
    SQL_API_SQLCOLATTRIBUTE,
    SQL_API_SQLCOLUMNPRIVILEGES,
    SQL_API_SQLCOLUMNS,
    SQL_API_SQLCONNECT,
    SQL_API_SQLCOPYDESC,
    SQL_API_SQLDATASOURCES,
    SQL_API_SQLDESCRIBECOL,
    SQL_API_SQLDESCRIBEPARAM,
    SQL_API_SQLDISCONNECT,
    SQL_API_SQLDRIVERCONNECT,
    SQL_API_SQLDRIVERS,
    SQL_API_SQLENDTRAN,
    SQL_API_SQLEXECDIRECT,
    SQL_API_SQLEXECUTE,
    SQL_API_SQLEXTENDEDFETCH,
    SQL_API_SQLFETCH,
    SQL_API_SQLFETCHSCROLL,
    SQL_API_SQLFOREIGNKEYS,
    SQL_API_SQLFREEHANDLE,
    SQL_API_SQLFREESTMT,
    SQL_API_SQLGETCONNECTATTR,
    SQL_API_SQLGETCURSORNAME,
    SQL_API_SQLGETDATA,
    SQL_API_SQLGETDESCFIELD,
    SQL_API_SQLGETDESCREC,
    SQL_API_SQLGETDIAGFIELD,
    SQL_API_SQLGETDIAGREC,
    SQL_API_SQLGETENVATTR,
    SQL_API_SQLGETFUNCTIONS,
    SQL_API_SQLGETINFO,
    SQL_API_SQLGETSTMTATTR,
    SQL_API_SQLGETTYPEINFO,
    SQL_API_SQLMORERESULTS,
    SQL_API_SQLNATIVESQL,
    SQL_API_SQLNUMPARAMS,
    SQL_API_SQLNUMRESULTCOLS,
    SQL_API_SQLPARAMDATA,
    SQL_API_SQLPREPARE,
    SQL_API_SQLPRIMARYKEYS,
    SQL_API_SQLPROCEDURECOLUMNS,
    SQL_API_SQLPROCEDURES,
    SQL_API_SQLPUTDATA,
    SQL_API_SQLROWCOUNT,
    SQL_API_SQLSETCONNECTATTR,
    SQL_API_SQLSETCURSORNAME,
    SQL_API_SQLSETDESCFIELD,
    SQL_API_SQLSETDESCREC,
    SQL_API_SQLSETENVATTR,
    SQL_API_SQLSETSTMTATTR,
    SQL_API_SQLSPECIALCOLUMNS,
    SQL_API_SQLSTATISTICS,
    SQL_API_SQLTABLEPRIVILEGES,
    SQL_API_SQLTABLES,
};

constexpr SQLUSMALLINT ODBC2_FUNCTIONS[] = {
    SQL_API_SQLALLOCCONNECT,
    SQL_API_SQLALLOCENV,
    SQL_API_SQLALLOCSTMT,
    SQL_API_SQLCOLATTRIBUTES,
    SQL_API_SQLERROR,
    SQL_API_SQLFREECONNECT,
    SQL_API_SQLFREEENV,
    SQL_API_SQLSETPARAM,
    SQL_API_SQLTRANSACT,
    SQL_API_SQLGETCONNECTOPTION,
    SQL_API_SQLGETSTMTOPTION,
    SQL_API_SQLSETCONNECTOPTION,
    SQL_API_SQLSETSTMTOPTION,
    SQL_API_SQLPARAMOPTIONS,
};

static_assert(std::size(ODBC3_FUNCTIONS) == 61, "60 ODBC 3 functions, SQLCancelHandle under two ids");
static_assert(std::size(ODBC2_FUNCTIONS) == 14, "14 ODBC 2 functions");

template <size_t N>
bool Contains(const SQLUSMALLINT (&in_list)[N], int32_t in_functionId)
{
    return std::find(std::begin(in_list), std::end(in_list), in_functionId) != std::end(in_list);
}

} // namespace

bool SupportedFunctions::IsOdbc3Function(int32_t in_functionId)
{
    return Contains(ODBC3_FUNCTIONS, in_functionId);
}

bool SupportedFunctions::IsOdbc2Function(int32_t in_functionId)
{
    return Contains(ODBC2_FUNCTIONS, in_functionId);
}

void SupportedFunctions::Fill(SQLUSMALLINT in_functionId, bool in_isOdbc2, SQLUSMALLINT* out_supported)
{
    if (in_functionId == SQL_API_ODBC3_ALL_FUNCTIONS)
    {
        std::fill_n(out_supported, SQL_API_ODBC3_ALL_FUNCTIONS_SIZE, SQLUSMALLINT(0));
        for (const SQLUSMALLINT id : ODBC3_FUNCTIONS)
        {
            out_supported[id >> 4] |= static_cast<SQLUSMALLINT>(1u << (id & 0xF));
        }
        return;
    }
    if (in_functionId == SQL_API_ALL_FUNCTIONS)
    {
        std::fill_n(out_supported, 100, SQLUSMALLINT(SQL_FALSE));
        for (const SQLUSMALLINT id : ODBC3_FUNCTIONS)
        {
            if (id < 100)
            {
                out_supported[id] = SQL_TRUE;
            }
        }
        for (const SQLUSMALLINT id : ODBC2_FUNCTIONS)
        {
            out_supported[id] = SQL_TRUE;
        }
        return;
    }
    const bool isSupported = IsOdbc3Function(in_functionId) || (in_isOdbc2 && IsOdbc2Function(in_functionId));
    *out_supported = isSupported ? SQL_TRUE : SQL_FALSE;
}

} // namespace ODBC
} // namespace Orvik
