#pragma once

#include "Platform/RegistryDocument.h"

#include <string>
#include <vector>

namespace Orvik {
namespace OS {

/// The two registry roots the driver reads. Each is one file:
/// the current user's is $PELTA_REGISTRY_HKCU, by default
/// ${XDG_CONFIG_HOME:-$HOME/.config}/pelta/registry.reg; the machine's is $PELTA_REGISTRY_HKLM,
/// by default /etc/pelta/registry.reg.
enum class RegistryRoot
{
    CurrentUser,
    LocalMachine
};

/// One key of a registry root, opened for reading. Key paths use "\" between their parts
/// (SOFTWARE\Pelta\Driver) and, like value names, are matched without regard to case.
class RegistryKey
{
public:
    /// The file that holds the root's keys; empty when no location can be made (no home).
    static std::string GetFilePath(RegistryRoot in_root);

    /// Opens the key. False, with nothing held, when the root's file does not exist or has no
    /// section for the key. A file that exists but cannot be read, or is not a regular file,
    /// opens, and its read error is reported by QueryValues.
    bool Open(RegistryRoot in_root, const std::string& in_keyPath);

    /// The key's values of the types this layer reads, in file order. False, with errno set,
    /// when the file could not be read.
    bool QueryValues(std::vector<RegistryValue>& out_values) const;

    /// Sets a text value, creating the file, its directory and the key's section as needed.
    /// Writers of one file are serialised by an flock on "<file>.lock"; the new contents go to
    /// a temporary file in the same directory that is synced and then renamed over the file,
    /// so a reader sees the old file or the new one, never a part. Returns 0 or the errno of
    /// the step that failed (EINVAL for a line break in the key path, name or text).
    static int SetTextValue(RegistryRoot in_root,
                            const std::string& in_keyPath,
                            const std::string& in_name,
                            const std::string& in_text);

private:
    std::vector<RegistryValue> m_values;
    int m_readError = 0;
};

} // namespace OS
} // namespace Orvik
