#pragma once

#include "Pelta/Setup/IOdbcInstaller.h"

#include <string>

namespace Pelta {

/// The installer functions of unixODBC's libodbcinst, which the process has loaded already when
/// the installer calls setup. Texts cross as UTF-8, the encoding of the profile files; values
/// are read through the 8-bit functions, whose wide forms cut values read with an empty
/// default.
class OdbcInstaller : public IOdbcInstaller
{
public:
    std::vector<Orvik::Support::orvik_wstring> GetEntryNames(const Orvik::Support::orvik_wstring& in_dsn) override;

    Orvik::Support::orvik_wstring GetEntry(const Orvik::Support::orvik_wstring& in_dsn,
                                           const Orvik::Support::orvik_wstring& in_name) override;

    bool WriteEntry(const Orvik::Support::orvik_wstring& in_dsn,
                    const Orvik::Support::orvik_wstring& in_name,
                    const Orvik::Support::orvik_wstring& in_value) override;

    bool WriteDSNToIni(const Orvik::Support::orvik_wstring& in_dsn,
                       const Orvik::Support::orvik_wstring& in_driver) override;

    bool RemoveDSNFromIni(const Orvik::Support::orvik_wstring& in_dsn) override;

    bool ValidDSN(const Orvik::Support::orvik_wstring& in_dsn) override;

    void PostInstallerError(int32_t in_code, const Orvik::Support::orvik_wstring& in_message) override;

    /// The process's one instance.
    static OdbcInstaller& GetInstance();

private:
    /// The profile text of in_entry (null: the section's entry names, each ended by a NUL) in
    /// section in_section of "odbc.ini", read into a buffer of 4096 bytes that doubles, up to
    /// 32768, while the text may have been cut.
    static std::string ReadProfile(const std::string& in_section, const char* in_entry);
};

} // namespace Pelta
