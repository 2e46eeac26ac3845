#pragma once

#include "DSI/ParameterSetIterator.h"

#include <sql.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

class AppDescriptorBase;
class IDiagManager;
class ParameterList;

/// What the input and the output sets of one execution share: the sets of the APD's array, walked
/// in order past the ones the application marked SQL_PARAM_IGNORE, over one parameter list.
class ApplicationParameterSets : public DSI::ParameterSetIterator
{
public:
    ApplicationParameterSets(const ApplicationParameterSets&) = delete;
    ApplicationParameterSets& operator=(const ApplicationParameterSets&) = delete;

    /// The parameter list.
    DSI::ParameterSet& GetCurrentSet() override;

    uint64_t GetCurrentRow() override;
    uint64_t GetNumberOfSets() override;
    bool IsEmpty() override;

protected:
    /// The sets of io_apd (its array size and operation array) over io_parameters; diagnostics go
    /// to io_diagnostics. None is owned; all outlive the sets.
    ApplicationParameterSets(AppDescriptorBase& io_apd, IDiagManager& io_diagnostics, ParameterList& io_parameters);

    /// Moves m_set to the next set that is not ignored; false after the last.
    bool StepToNextSet();

    AppDescriptorBase& m_apd;
    IDiagManager& m_diagnostics;
    ParameterList& m_parameters;
    /// The current set, from 1; 0 before the first.
    uint64_t m_set = 0;

private:
    const uint64_t m_size;
    const SQLUSMALLINT* m_operations;
};

} // namespace ODBC
} // namespace Orvik
