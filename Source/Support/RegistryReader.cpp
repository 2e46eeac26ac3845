#include "Support/RegistryReader.h"

#include "Platform/RegistryKey.h"
#include "Support/ProductException.h"
#include "Support/Utf8Text.h"

namespace Orvik {
namespace Support {

namespace {

// Opens the key in the roots that the root name selects, in order.
bool OpenKey(OS::RegistryKey& out_key, const orvik_wstring& in_rootName, const std::string& in_path)
{
    if (in_rootName == orvik_wstring(u"HKEY_LOCAL_MACHINE"))
    {
        return out_key.Open(OS::RegistryRoot::LocalMachine, in_path);
    }
    if (out_key.Open(OS::RegistryRoot::CurrentUser, in_path))
    {
        return true;
    }
    return in_rootName.GetLength() == 0 && out_key.Open(OS::RegistryRoot::LocalMachine, in_path);
}

Variant MakeVariant(const OS::RegistryValue& in_value)
{
    switch (in_value.m_type)
    {
    case OS::RegistryValue::Type::Text:
        return Variant(WStringFromUtf8(in_value.m_text));
    case OS::RegistryValue::Type::DWord:
        return Variant(static_cast<uint32_t>(in_value.m_number));
    case OS::RegistryValue::Type::QWord:
        break;
    }
    return Variant(in_value.m_number);
}

} // namespace

void RegistryReader::ReadValues(VariantMap& io_values,
                                const orvik_wstring& in_rootName,
                                const orvik_wstring& in_keyPath,
                                const orvik_wstring& in_subKey,
                                bool in_allValues) const
{
    std::string path = in_keyPath.GetAsUTF8();
    if (!in_subKey.IsNull())
    {
        path += "\\" + in_subKey.GetAsUTF8();
    }
    OS::RegistryKey key;
    if (!OpenKey(key, in_rootName, path))
    {
        return;
    }
    std::vector<OS::RegistryValue> values;
    if (!key.QueryValues(values))
    {
        throw ProductException(orvik_wstring("RegKeyNotFound"));
    }
    static const orvik_wstring DRIVER(u"DRIVER");
    for (const OS::RegistryValue& value : values)
    {
        orvik_wstring name = WStringFromUtf8(value.m_name);
        orvik_wstring upper = name;
        upper.ToUpperIdentifier();
        if (!in_allValues && upper == DRIVER)
        {
            continue;
        }
        io_values[m_keepCase ? name : upper] = MakeVariant(value);
    }
}

} // namespace Support
} // namespace Orvik
