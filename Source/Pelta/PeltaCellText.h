#pragma once

#include "Pelta/PeltaReplyCell.h"

#include <string>
#include <string_view>

namespace Pelta {

class PeltaReply;

/// The text of the reply cell read last, kept while its value is read in pieces. Finding where
/// the text ends and checking that it is UTF-8 take the whole text; done for every piece, they
/// made reading a long value in pieces take time that grew with the square of its length.
class PeltaCellText
{
public:
    /// The text of in_cell (not NULL) of in_reply as PeltaCellConverter::GetText gives it, as
    /// well-formed UTF-8: the reply's own bytes, or a repaired copy when they are not UTF-8. It
    /// is made once and stays valid until a call for another cell; in_reply must be the same on
    /// every call.
    std::string_view Get(const PeltaReply& in_reply, const PeltaReplyCell& in_cell);

private:
    /// The cell whose text is held; a cell's kind and payload tell its text apart within a reply.
    PeltaReplyCell m_cell;
    bool m_isHeld = false;
    std::string_view m_text;
    /// The text of a cell that is not text in the reply, or a repaired text.
    std::string m_copy;
};

} // namespace Pelta
