#pragma once

#include <vector>

namespace Orvik {
namespace ODBC {

class HandleSlot;

/// Closes the handles that a free takes away to new calls, all of them or none: a free that
/// meets a handle with a call on it is refused, and this opens again every handle it closed,
/// unless the free went ahead (Keep) and the handles are unregistered.
class HandleClosing
{
public:
    HandleClosing() = default;

    /// Opens again what it closed, unless kept.
    ~HandleClosing();

    HandleClosing(const HandleClosing&) = delete;
    HandleClosing& operator=(const HandleClosing&) = delete;

    /// Closes io_slot (null, a value registered nowhere, passes): false while a call is counted
    /// on it.
    bool Close(HandleSlot* io_slot);

    /// The free goes ahead: what was closed stays closed.
    void Keep() { m_closed.clear(); }

private:
    std::vector<HandleSlot*> m_closed;
};

} // namespace ODBC
} // namespace Orvik
