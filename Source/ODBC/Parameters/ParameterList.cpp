#include "ODBC/Parameters/ParameterList.h"

#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Parameters/InputParameterSource.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

namespace {

bool IsInput(int64_t in_direction)
{
    return in_direction == SQL_PARAM_INPUT || in_direction == SQL_PARAM_INPUT_OUTPUT;
}

bool IsOutput(int64_t in_direction)
{
    return in_direction == SQL_PARAM_INPUT_OUTPUT || in_direction == SQL_PARAM_OUTPUT;
}

} // namespace

std::unique_ptr<ParameterList> ParameterList::MakeInputList(ImplParamDescriptor& io_ipd, uint16_t in_count)
{
    return Make(io_ipd, in_count, true, &IsInput);
}

std::unique_ptr<ParameterList> ParameterList::MakeOutputList(ImplParamDescriptor& io_ipd, uint16_t in_count)
{
    return Make(io_ipd, in_count, false, &IsOutput);
}

std::unique_ptr<ParameterList> ParameterList::Make(ImplParamDescriptor& io_ipd,
                                                   uint16_t in_count,
                                                   bool in_isInput,
                                                   bool (*in_takes)(int64_t in_direction))
{
    std::unique_ptr<ParameterList> list(new ParameterList());
    list->m_sources.reserve(in_count);
    for (uint16_t number = 1; number <= in_count; ++number)
    {
        ImplParamDescriptorRecord& record = io_ipd.GetRecord(static_cast<int16_t>(number));
        if (in_takes(record.Read(SQL_DESC_PARAMETER_TYPE).m_integer))
        {
            list->m_sources.push_back(io_ipd.CreateInputParameterSource(static_cast<int16_t>(number), in_isInput));
        }
    }
    return list;
}

ParameterList::~ParameterList() = default;

void ParameterList::GetParameters(std::vector<DSI::ParameterSource*>& out_parameters)
{
    for (const std::unique_ptr<InputParameterSource>& source : m_sources)
    {
        out_parameters.push_back(source.get());
    }
}

uint16_t ParameterList::GetCount()
{
    return static_cast<uint16_t>(m_sources.size());
}

} // namespace ODBC
} // namespace Orvik
