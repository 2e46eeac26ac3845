#pragma once

#include "Support/VariantMap.h"

namespace Orvik {
namespace Support {

/// Reads the values of one registry key into a VariantMap: text values as wide text, 32-bit and
/// 64-bit numbers as their decimal text; values of other types are left out.
class RegistryReader
{
public:
    /// With in_keepCase false every value name is upper-cased (root locale), as the driver-wide
    /// settings expect; setup keeps the names as written.
    explicit RegistryReader(bool in_keepCase) : m_keepCase(in_keepCase) {}
    virtual ~RegistryReader() = default;

    /// Adds the values of in_keyPath, or of its sub-key in_subKey when that is not null, to
    /// io_values, replacing values of the same name. The root name "HKEY_LOCAL_MACHINE" reads
    /// the machine's key only; the empty root name reads the current user's key and, when that
    /// cannot be opened, the machine's; any other root name the current user's only. A key that
    /// cannot be opened adds nothing. Unless in_allValues is set, a value named "DRIVER" (in any
    /// case) is left out. Throws ProductException "RegKeyNotFound" when the key opens but its
    /// values cannot be read.
    void ReadValues(VariantMap& io_values,
                    const orvik_wstring& in_rootName,
                    const orvik_wstring& in_keyPath,
                    const orvik_wstring& in_subKey,
                    bool in_allValues) const;

private:
    bool m_keepCase;
};

} // namespace Support
} // namespace Orvik
