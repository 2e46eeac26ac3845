#pragma once

namespace Orvik {
namespace DSI {

class IParameterRegistration;

/// A statement that the data engine has prepared.
class IQueryExecutor
{
public:
    virtual ~IQueryExecutor() = default;

    /// Describes the statement's parameters: registers each with io_registration and writes its
    /// description through the source that comes back.
    virtual void PopulateParameters(IParameterRegistration& io_registration) = 0;

protected:
    IQueryExecutor() = default;
};

} // namespace DSI
} // namespace Orvik
