#pragma once

namespace Orvik {
namespace Support {

class ConversionResult;

/// Where a conversion kernel posts what it found wrong with the data, instead of throwing.
class WarningListener
{
public:
    virtual ~WarningListener() = default;

    /// Receives a result that the poster keeps owning (usually one of the static results); a
    /// listener that keeps it must copy it.
    virtual void PostWarning(const ConversionResult& in_result) = 0;

protected:
    WarningListener() = default;
};

} // namespace Support
} // namespace Orvik
