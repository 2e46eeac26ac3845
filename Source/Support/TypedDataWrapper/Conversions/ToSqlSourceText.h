#pragma once

#include "NarrowCharBuffer.h"

#include <cstddef>

namespace Orvik {
namespace Support {

class WarningListener;
struct ToSqlSource;

/// The text of a character source as the text parsers read it, one byte per character: narrow
/// text as its bytes stand, wide text narrowed to the ASCII byte of each whole code unit. The
/// wide text of an application buffer is in the driver manager's encoding whatever its metadata
/// says; that of a SQL-side value is in the encoding its metadata records. Exactly the source's
/// length is read: no terminator is looked for, and a negative length is no text.
class ToSqlSourceText
{
public:
    ToSqlSourceText() = default;
    ToSqlSourceText(const ToSqlSourceText&) = delete;
    ToSqlSourceText& operator=(const ToSqlSourceText&) = delete;

    /// Reads in_source's text. False, having posted InvalidCharValForCast, when a wide code unit
    /// holds a character above U+00FF: no literal has one.
    bool Read(const ToSqlSource& in_source, WarningListener& io_listener);

    const char* Data() const { return m_data; }
    size_t Length() const { return m_length; }

private:
    NarrowCharBuffer m_narrowed;
    const char* m_data = "";
    size_t m_length = 0;
};

} // namespace Support
} // namespace Orvik
