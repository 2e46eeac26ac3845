#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

class IParameterSource;

/// What the ODBC layer hands the data engine for describing a prepared statement's parameters:
/// the engine registers each parameter it knows and describes it through the source that comes
/// back.
class IParameterRegistration
{
public:
    virtual ~IParameterRegistration() = default;

    /// The source of parameter in_number (from 1), still owned by the ODBC layer and valid until
    /// the description ends. Throws CallbackException for number 0, BadStateException outside a
    /// description.
    virtual IParameterSource* RegisterParameter(uint16_t in_number) = 0;

protected:
    IParameterRegistration() = default;
};

} // namespace DSI
} // namespace Orvik
