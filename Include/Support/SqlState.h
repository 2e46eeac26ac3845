#pragma once

namespace Orvik {
namespace Support {

/// The five characters of a SQLSTATE, a NUL and two zero bytes; all zero means no SQLSTATE.
class SqlState
{
public:
    /// No SQLSTATE.
    constexpr SqlState() = default;

    /// Takes the first five characters of in_text (fewer when it is shorter); null gives no SQLSTATE.
    constexpr explicit SqlState(const char* in_text)
    {
        for (int i = 0; in_text != nullptr && i < 5 && in_text[i] != '\0'; ++i)
        {
            m_text[i] = in_text[i];
        }
    }

    constexpr bool IsEmpty() const { return m_text[0] == '\0'; }

    /// The SQLSTATE as NUL-terminated text; empty when there is none.
    constexpr const char* GetText() const { return m_text; }

    bool operator==(const SqlState& in_other) const;
    bool operator!=(const SqlState& in_other) const { return !(*this == in_other); }

private:
    char m_text[8] = {};
};

static_assert(sizeof(SqlState) == 8, "a SqlState is eight bytes");

} // namespace Support
} // namespace Orvik
