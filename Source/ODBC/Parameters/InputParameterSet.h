#pragma once

#include "ODBC/Parameters/ApplicationParameterSets.h"

#include <sql.h>

#include <cstdint>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace Orvik {

namespace Support {
class EncodingConverter;
class ICToSqlConverter;
} // namespace Support

namespace ODBC {

class CDataWrapper;
class InputParameterSource;

/// The (set, parameter) pairs whose values reached the data store as data at execution before
/// the execution; sets and parameters from 1.
using PushedPositions = std::set<std::pair<uint64_t, int16_t>>;

/// The input parameter sets of one execution as the data store walks them: each step fills the
/// input list's sources with the next set's values, read from the APD's bound buffers, converted
/// to the parameters' SQL types. Sets the application marked SQL_PARAM_IGNORE are passed over;
/// values pushed as data at execution are only marked so. Each parameter's converters are made
/// once and serve every set.
class InputParameterSet : public ApplicationParameterSets
{
public:
    /// The sets of io_apd (its array size and operation array, and the binding offset loaded for
    /// the execution) over io_inputs, with the pushed values in_pushed; diagnostics go to
    /// io_diagnostics. None is owned; all outlive the set.
    InputParameterSet(AppDescriptorBase& io_apd,
                      IDiagManager& io_diagnostics,
                      ParameterList& io_inputs,
                      const PushedPositions& in_pushed);
    ~InputParameterSet() override;

    /// Fills the next set that is not ignored; false after the last. Conversion errors are thrown
    /// with the set as the row and the parameter as the column.
    bool MoveToNext() override;

private:
    /// Converts the values of set m_set into the sources.
    void FillSet();

    /// A character value, or bytes that are the text itself, into a character parameter:
    /// transcoded into the parameter's encoding and held to the parameter's size in characters
    /// (22001 beyond it).
    void ConvertText(uint16_t in_index,
                     InputParameterSource& io_source,
                     int16_t in_cType,
                     CDataWrapper& in_cData,
                     const SQLLEN* in_length);

    const PushedPositions& m_pushed;
    std::vector<std::unique_ptr<Support::ICToSqlConverter>> m_converters;
    std::vector<std::unique_ptr<Support::EncodingConverter>> m_encodingConverters;
};

} // namespace ODBC
} // namespace Orvik
