#include "Pelta/PeltaCellText.h"

#include "Pelta/PeltaCellConverter.h"
#include "Pelta/PeltaReply.h"

namespace Pelta {

std::string_view PeltaCellText::Get(const PeltaReply& in_reply, const PeltaReplyCell& in_cell)
{
    if (m_isHeld && m_cell.kind == in_cell.kind && m_cell.payload == in_cell.payload)
    {
        return m_text;
    }
    m_isHeld = false;
    m_copy.clear();
    if (in_cell.IsText() || in_cell.kind == PeltaReplyCell::ARRAY)
    {
        m_text = PeltaCellConverter::MakeWellFormed(in_reply.GetText(in_cell), m_copy);
    }
    else
    {
        m_copy = PeltaCellConverter::GetText(in_reply, in_cell);
        m_text = m_copy;
    }
    m_cell = in_cell;
    m_isHeld = true;
    return m_text;
}

} // namespace Pelta
