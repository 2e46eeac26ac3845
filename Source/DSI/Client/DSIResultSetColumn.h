#pragma once

#include "DSI/Client/DSIColumn.h"

namespace Orvik {
namespace DSI {

/// The column of an ordinary result set.
class DSIResultSetColumn : public DSIColumn
{
public:
    using DSIColumn::DSIColumn;
};

} // namespace DSI
} // namespace Orvik
