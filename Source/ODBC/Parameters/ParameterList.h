#pragma once

#include "DSI/ParameterSet.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace ODBC {

class ImplParamDescriptor;
class InputParameterSource;

/// The parameters of one execution that travel in one direction, in parameter order: the input
/// list (input and input/output parameters) or the output list (input/output and output
/// parameters), one source each over the IPD's records. The data store reads them as the
/// parameters of the current set.
class ParameterList : public DSI::ParameterSet
{
public:
    /// The input list over records 1 to in_count of io_ipd (not owned); a missing record throws
    /// ODBCInternalException "DescRecNotFound".
    static std::unique_ptr<ParameterList> MakeInputList(ImplParamDescriptor& io_ipd, uint16_t in_count);

    /// The output list over records 1 to in_count of io_ipd, likewise.
    static std::unique_ptr<ParameterList> MakeOutputList(ImplParamDescriptor& io_ipd, uint16_t in_count);

    ~ParameterList() override;

    ParameterList(const ParameterList&) = delete;
    ParameterList& operator=(const ParameterList&) = delete;

    /// Appends the sources to out_parameters; the list keeps them.
    void GetParameters(std::vector<DSI::ParameterSource*>& out_parameters) override;

    uint16_t GetCount() override;

    /// The source at in_index (from 0).
    InputParameterSource& GetSource(uint16_t in_index) { return *m_sources[in_index]; }

private:
    ParameterList() = default;

    /// The list of the records whose direction in_takes accepts.
    static std::unique_ptr<ParameterList> Make(ImplParamDescriptor& io_ipd,
                                               uint16_t in_count,
                                               bool in_isInput,
                                               bool (*in_takes)(int64_t in_direction));

    std::vector<std::unique_ptr<InputParameterSource>> m_sources;
};

} // namespace ODBC
} // namespace Orvik
