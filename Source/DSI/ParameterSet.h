#pragma once

#include <cstdint>
#include <vector>

namespace Orvik {
namespace DSI {

class ParameterSource;

/// One set of parameter values: the parameters of a statement, in marker order, showing the
/// values of the current set.
class ParameterSet
{
public:
    virtual ~ParameterSet() = default;

    /// Fills out_parameters with the set's parameters in marker order; the set owns them.
    virtual void GetParameters(std::vector<ParameterSource*>& out_parameters) = 0;

    /// The number of parameters.
    virtual uint16_t GetCount() = 0;

protected:
    ParameterSet() = default;
};

} // namespace DSI
} // namespace Orvik
