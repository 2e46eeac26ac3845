#include "Support/EncodingRegistry.h"

#include "EncodingTable.h"
#include "Support/StringUtilities.h"
#include "TextErrors.h"

#include <unicode/ucnv.h>

#include <unordered_map>

namespace Orvik {
namespace Support {

namespace {

std::string UpperCased(std::string in_name)
{
    StringUtilities::ToUpper(in_name);
    return in_name;
}

// Built on first use, which the language makes safe against concurrent first lookups.
const std::unordered_map<std::string, EncodingType>& GetRegistry()
{
    static const std::unordered_map<std::string, EncodingType> registry = [] {
        std::unordered_map<std::string, EncodingType> names;
        for (EncodingType encoding = 0; encoding < ENCODING_COUNT; ++encoding)
        {
            names.emplace(UpperCased(EncodingTable::GetRow(encoding).m_name), encoding);
        }
        return names;
    }();
    return registry;
}

// ICU's error codes are not examined: a name ICU does not know has no aliases.
EncodingType LookUpAliases(const std::string& in_name)
{
    UErrorCode status = U_ZERO_ERROR;
    const uint16_t count = ucnv_countAliases(in_name.c_str(), &status);
    for (uint16_t index = 0; index < count; ++index)
    {
        status = U_ZERO_ERROR;
        const char* alias = ucnv_getAlias(in_name.c_str(), index, &status);
        const EncodingType encoding = alias == nullptr ? ENC_NONE : EncodingRegistry::LookUpName(alias);
        if (encoding != ENC_NONE)
        {
            return encoding;
        }
    }
    return ENC_NONE;
}

} // namespace

EncodingType EncodingRegistry::LookUpName(const std::string& in_name)
{
    const auto& registry = GetRegistry();
    const auto entry = registry.find(UpperCased(in_name));
    return entry == registry.end() ? ENC_NONE : entry->second;
}

EncodingType EncodingRegistry::GetEncodingType(const std::string& in_name)
{
    EncodingType encoding = LookUpName(in_name);
    if (encoding == ENC_NONE)
    {
        encoding = LookUpAliases(in_name);
    }
    if (encoding == ENC_NONE)
    {
        RaiseTextError(u"EncodingNotRecog");
    }
    return encoding;
}

EncodingType EncodingRegistry::GetDefaultAnsiEncoding()
{
    return GetEncodingType(ucnv_getDefaultName());
}

} // namespace Support
} // namespace Orvik
