#include "ODBC/Parameters/ParameterStatusWriter.h"

#include "DSI/CallbackException.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"

#include <sqlext.h>

#include <algorithm>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// The bit of an entry value in a set of entries.
constexpr uint32_t Bit(SQLUSMALLINT in_entry)
{
    return 1U << in_entry;
}

/// One data-store status: the entry that stands for it, and the entries that a new status of
/// this kind leaves in place.
struct StatusRow
{
    DSI::ParameterStatus m_status;
    SQLUSMALLINT m_entry;
    uint32_t m_keptEntries;
};

constexpr StatusRow STATUS_ROWS[] = {
    {DSI::PARAM_STATUS_SUCCESS, SQL_PARAM_SUCCESS,
     Bit(SQL_PARAM_DIAG_UNAVAILABLE) | Bit(SQL_PARAM_ERROR) | Bit(SQL_PARAM_SUCCESS_WITH_INFO)},
    {DSI::PARAM_STATUS_SUCCESS_WITH_INFO, SQL_PARAM_SUCCESS_WITH_INFO, Bit(SQL_PARAM_DIAG_UNAVAILABLE) | Bit(SQL_PARAM_ERROR)},
    {DSI::PARAM_STATUS_UNUSED, SQL_PARAM_UNUSED, Bit(SQL_PARAM_ERROR)},
    {DSI::PARAM_STATUS_DIAG_UNAVAILABLE, SQL_PARAM_DIAG_UNAVAILABLE, Bit(SQL_PARAM_ERROR)},
    {DSI::PARAM_STATUS_ERROR, SQL_PARAM_ERROR, 0},
};

[[noreturn]] void ThrowInvalidStatus()
{
    throw DSI::CallbackException(ODBC_COMPONENT_ID, u"InvalidExecStatusCode", -1, -1);
}

const StatusRow& FindByStatus(DSI::ParameterStatus in_status)
{
    for (const StatusRow& row : STATUS_ROWS)
    {
        if (row.m_status == in_status)
        {
            return row;
        }
    }
    ThrowInvalidStatus();
}

const StatusRow& FindByEntry(SQLUSMALLINT in_entry)
{
    for (const StatusRow& row : STATUS_ROWS)
    {
        if (row.m_entry == in_entry)
        {
            return row;
        }
    }
    ThrowInvalidStatus();
}

} // namespace

ParameterStatusWriter::ParameterStatusWriter(ImplParamDescriptor& io_ipd, uint64_t in_size)
    : m_statuses(static_cast<SQLUSMALLINT*>(io_ipd.GetHeaderFieldChecked(SQL_DESC_ARRAY_STATUS_PTR).m_pointer)),
      m_size(in_size)
{
}

DSI::ParameterStatus ParameterStatusWriter::GetStatus(uint64_t in_row)
{
    if (m_statuses == nullptr)
    {
        return DSI::PARAM_STATUS_ERROR;
    }
    return FindByEntry(Entry(in_row)).m_status;
}

void ParameterStatusWriter::SetStatus(uint64_t in_row, DSI::ParameterStatus in_status)
{
    const StatusRow& row = FindByStatus(in_status);
    if (m_statuses == nullptr)
    {
        return;
    }
    SQLUSMALLINT& entry = Entry(in_row);
    if ((row.m_keptEntries & Bit(FindByEntry(entry).m_entry)) == 0)
    {
        entry = row.m_entry;
    }
}

uint64_t ParameterStatusWriter::GetSize()
{
    return m_size;
}

bool ParameterStatusWriter::IsEmpty()
{
    return m_size == 0;
}

void ParameterStatusWriter::MarkAllUnused()
{
    if (m_statuses != nullptr)
    {
        std::fill_n(m_statuses, m_size, static_cast<SQLUSMALLINT>(SQL_PARAM_UNUSED));
    }
}

uint64_t ParameterStatusWriter::CountUsed() const
{
    if (m_statuses == nullptr)
    {
        return 0;
    }
    return static_cast<uint64_t>(
        std::count_if(m_statuses, m_statuses + m_size, [](SQLUSMALLINT in_entry) { return in_entry != SQL_PARAM_UNUSED; }));
}

SQLUSMALLINT& ParameterStatusWriter::Entry(uint64_t in_row)
{
    if (in_row == 0 || in_row > m_size)
    {
        throw DSI::CallbackException(ODBC_COMPONENT_ID, u"InvalidParamSetNumber", -1, -1);
    }
    return m_statuses[in_row - 1];
}

} // namespace ODBC
} // namespace Orvik
