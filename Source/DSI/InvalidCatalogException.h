#pragma once

#include "Support/ErrorException.h"

namespace Orvik {
namespace DSI {

/// A current catalog that the back end rejects (SQLSTATE 3D000). Deliberately not a
/// DSIException: handlers of data-store errors let it pass to the ODBC layer.
class InvalidCatalogException : public Support::ErrorException
{
public:
    /// Component in_componentId, in_messageKey and its parameters; row and column unknown.
    InvalidCatalogException(int32_t in_componentId,
                            const Support::orvik_wstring& in_messageKey,
                            std::vector<Support::orvik_wstring> in_parameters);
};

} // namespace DSI
} // namespace Orvik
