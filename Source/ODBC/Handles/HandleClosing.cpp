#include "ODBC/Handles/HandleClosing.h"

#include "ODBC/Handles/HandleSlot.h"

namespace Orvik {
namespace ODBC {

HandleClosing::~HandleClosing()
{
    for (HandleSlot* slot : m_closed)
    {
        slot->Reopen();
    }
}

bool HandleClosing::Close(HandleSlot* io_slot)
{
    if (io_slot == nullptr)
    {
        return true;
    }
    // Noted first: running out of memory leaves nothing closed for good.
    m_closed.push_back(io_slot);
    if (!io_slot->Close())
    {
        m_closed.pop_back();
        return false;
    }
    return true;
}

} // namespace ODBC
} // namespace Orvik
