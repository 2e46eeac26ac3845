#include "ToSqlSourceText.h"

#include "ToSqlSource.h"

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/WarningListener.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Support {

bool ToSqlSourceText::Read(const ToSqlSource& in_source, WarningListener& io_listener)
{
    const bool isWide = in_source.IsCSource() ? in_source.m_cMetadata->IsWideCharacter()
                                              : in_source.m_sqlMetadata->IsWideCharacter();
    if (!isWide)
    {
        m_data = static_cast<const char*>(in_source.m_value);
        m_length = in_source.m_length > 0 ? static_cast<size_t>(in_source.m_length) : 0;
        return true;
    }
    const EncodingType encoding =
        in_source.IsCSource() ? orvik_wstring::GetDriverManagerEncoding() : in_source.GetEncoding();
    if (!m_narrowed.ConvertWCharToCharBuffer(in_source.m_value, in_source.m_length, encoding))
    {
        io_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return false;
    }
    m_data = m_narrowed.Data();
    m_length = m_narrowed.Length();
    return true;
}

} // namespace Support
} // namespace Orvik
