#pragma once

#include "ODBC/Parameters/ApplicationParameterSets.h"

#include <sql.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace ODBC {

class OutputValueColumn;
class ParameterStatusWriter;
class PartialDataColumn;

/// The output parameter sets of one execution as the data store walks them: the data store
/// writes a set's output values into the output list's holders, and the next step delivers them
/// into the application's bound buffers of that set before it moves on. Sets the application
/// marked SQL_PARAM_IGNORE are passed over. Character and binary values go through a column
/// that reports a cut value's full length, the others through a whole-value conversion.
class OutputParameterSet : public ApplicationParameterSets
{
public:
    /// The sets of io_apd over io_outputs; a set whose values cannot be delivered gets the error
    /// status through io_status. Diagnostics go to io_diagnostics. None is owned; all outlive
    /// the set.
    OutputParameterSet(AppDescriptorBase& io_apd,
                       IDiagManager& io_diagnostics,
                       ParameterList& io_outputs,
                       ParameterStatusWriter& io_status);
    ~OutputParameterSet() override;

    /// Delivers the current set's values (an error there marks the set's status as an error and
    /// is thrown on), then moves to the next set that is not ignored; false after the last.
    bool MoveToNext() override;

private:
    /// One parameter's way into the application's buffers, made at its first value.
    struct Column
    {
        std::unique_ptr<PartialDataColumn> m_partial;
        std::unique_ptr<OutputValueColumn> m_whole;
    };

    /// Delivers the values of set m_set.
    void WriteSet();

    /// Delivers the value of the source at in_index.
    void WriteValue(uint16_t in_index);

    ParameterStatusWriter& m_status;
    std::vector<Column> m_columns;
};

} // namespace ODBC
} // namespace Orvik
