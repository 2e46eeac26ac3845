#pragma once

namespace Orvik {
namespace ODBC {

class Descriptor;

/// A statement that uses an explicit application descriptor as its ARD or APD, told when the
/// application frees that descriptor so that it takes its implicit one again.
class IDescriptorDeleteListener
{
public:
    virtual ~IDescriptorDeleteListener() = default;

    /// in_descriptor is being freed: stop using it. Called from the descriptor's destructor,
    /// under no lock of the descriptor's.
    virtual void DropAppDescriptor(Descriptor& in_descriptor) = 0;

protected:
    IDescriptorDeleteListener() = default;
};

} // namespace ODBC
} // namespace Orvik
