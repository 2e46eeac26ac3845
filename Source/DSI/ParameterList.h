#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

class ParameterSource;

/// The parameters of a prepared statement as the back end describes them.
class ParameterList
{
public:
    virtual ~ParameterList() = default;

    /// Parameter in_number (from 1); owned by the list.
    virtual ParameterSource& GetParameter(uint16_t in_number) = 0;

protected:
    ParameterList() = default;
};

} // namespace DSI
} // namespace Orvik
