#include "ODBC/Dispatch/CatalogStrings.h"

#include "ODBC/Dispatch/CInterface.h"
#include "ODBC/Strings/RunningPlatform.h"
#include "ODBC/Strings/WideArgument.h"
#include "Support/ErrorException.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/Platform.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

IDriverManagerStringConverter& GetConverter()
{
    return RunningPlatform::Get().GetEncodingConverter();
}

template <typename CharT>
void CheckLength(const NameArgument<CharT>& in_name)
{
    if (in_name.Text != nullptr && in_name.Length < 0 && in_name.Length != SQL_NTS)
    {
        throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", -1, -1);
    }
}

} // namespace

void CatalogStrings::Convert(const NameArgument<SQLCHAR>* in_names, size_t in_count, orvik_wstring* out_strings)
{
    IDriverManagerStringConverter& converter = GetConverter();
    for (size_t i = 0; i < in_count; ++i)
    {
        CheckLength(in_names[i]);
        CInterface::CheckInputString(in_names[i].Text, in_names[i].Length);
        converter.FromBytes(reinterpret_cast<const char*>(in_names[i].Text), in_names[i].Length, out_strings[i]);
    }
}

void CatalogStrings::Convert(const NameArgument<SQLWCHAR>* in_names, size_t in_count, orvik_wstring* out_strings)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        CheckLength(in_names[i]);
        out_strings[i] = WideArgument::Read(in_names[i].Text, in_names[i].Length);
    }
}

} // namespace ODBC
} // namespace Orvik
