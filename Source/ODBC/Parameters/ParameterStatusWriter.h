#pragma once

#include "DSI/ParameterSetStatus.h"

#include <sql.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

class ImplParamDescriptor;

/// Writes the data store's outcome of each parameter set into the application's parameter status
/// array (the IPD's SQL_DESC_ARRAY_STATUS_PTR) and reads it back. An outcome does not overwrite a
/// stronger one already there: an error stays, a warning stays against success, and "no
/// diagnostics" stays against success and warnings. Without a status array nothing is written and
/// every set reads as an error.
class ParameterStatusWriter : public DSI::ParameterSetStatus
{
public:
    /// The writer of the in_size sets of an execution into the status array of io_ipd (not
    /// owned).
    ParameterStatusWriter(ImplParamDescriptor& io_ipd, uint64_t in_size);

    /// An entry that is no parameter status throws CallbackException "InvalidExecStatusCode".
    DSI::ParameterStatus GetStatus(uint64_t in_row) override;

    /// A status outside the data store's five throws CallbackException "InvalidExecStatusCode";
    /// so does an entry that is no parameter status.
    void SetStatus(uint64_t in_row, DSI::ParameterStatus in_status) override;

    uint64_t GetSize() override;
    bool IsEmpty() override;

    /// Every entry becomes SQL_PARAM_UNUSED, as an execution starts.
    void MarkAllUnused();

    /// The number of entries that are no longer SQL_PARAM_UNUSED.
    uint64_t CountUsed() const;

    bool HasStatusArray() const { return m_statuses != nullptr; }

private:
    /// The entry of set in_row; a set outside the execution throws CallbackException
    /// "InvalidParamSetNumber".
    SQLUSMALLINT& Entry(uint64_t in_row);

    SQLUSMALLINT* m_statuses;
    uint64_t m_size;
};

} // namespace ODBC
} // namespace Orvik
