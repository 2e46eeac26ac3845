#include "ODBC/Parameters/ApplicationParameterSets.h"

#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Parameters/ParameterList.h"

#include <sqlext.h>

#include <algorithm>

namespace Orvik {
namespace ODBC {

ApplicationParameterSets::ApplicationParameterSets(AppDescriptorBase& io_apd,
                                                   IDiagManager& io_diagnostics,
                                                   ParameterList& io_parameters)
    : m_apd(io_apd),
      m_diagnostics(io_diagnostics),
      m_parameters(io_parameters),
      m_size(static_cast<uint64_t>(io_apd.GetHeaderFieldChecked(SQL_DESC_ARRAY_SIZE).m_integer)),
      m_operations(static_cast<const SQLUSMALLINT*>(io_apd.GetHeaderFieldChecked(SQL_DESC_ARRAY_STATUS_PTR).m_pointer))
{
}

DSI::ParameterSet& ApplicationParameterSets::GetCurrentSet()
{
    return m_parameters;
}

uint64_t ApplicationParameterSets::GetCurrentRow()
{
    return m_set;
}

uint64_t ApplicationParameterSets::GetNumberOfSets()
{
    if (m_operations == nullptr)
    {
        return m_size;
    }
    return static_cast<uint64_t>(std::count_if(m_operations, m_operations + m_size,
                                               [](SQLUSMALLINT in_operation) { return in_operation != SQL_PARAM_IGNORE; }));
}

bool ApplicationParameterSets::IsEmpty()
{
    return m_parameters.GetCount() == 0;
}

bool ApplicationParameterSets::StepToNextSet()
{
    while (m_set < m_size)
    {
        ++m_set;
        if (m_operations == nullptr || m_operations[m_set - 1] != SQL_PARAM_IGNORE)
        {
            return true;
        }
    }
    return false;
}

} // namespace ODBC
} // namespace Orvik
