#pragma once

#include "Support/Variant.h"

#include <cstdint>
#include <vector>

namespace Orvik {
namespace Support {

/// How a connection setting is asked for. Other layers number these differently: ask by name.
enum class ConnectionSettingKind : int32_t
{
    Required = 0,
    Optional = 1,
    SingleValue = 2
};

/// One setting that a data-store connection still needs before it can connect, with the
/// values offered for it.
class ConnectionSetting
{
public:
    ConnectionSetting() = default;
    explicit ConnectionSetting(ConnectionSettingKind in_kind) : m_kind(in_kind) {}

    void SetName(const orvik_wstring& in_name) { m_name = in_name; }
    void GetName(orvik_wstring& out_name) const { out_name = m_name; }
    const std::vector<Variant>& GetValues() const { return m_values; }

    /// Adds a copy of the value; a null Variant is ignored, and a single-value setting keeps
    /// its first value.
    void AddValue(const Variant& in_value);

    bool IsRequired() const { return m_kind == ConnectionSettingKind::Required; }
    bool IsOptional() const { return m_kind == ConnectionSettingKind::Optional; }
    bool IsSingleValue() const { return m_kind == ConnectionSettingKind::SingleValue; }

private:
    orvik_wstring m_name;
    std::vector<Variant> m_values;
    ConnectionSettingKind m_kind = ConnectionSettingKind::Required;
};

} // namespace Support
} // namespace Orvik
