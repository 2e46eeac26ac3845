#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>
#include <vector>

namespace Pelta {

/// The ODBC installer functions that setup uses: the data sources of the ODBC profile and the
/// installer's error stack. Which profile (the user's or the system's) they act on is the
/// installer's business.
class IOdbcInstaller
{
public:
    virtual ~IOdbcInstaller() = default;

    /// The names of the entries in data source in_dsn's section, in file order; none when the
    /// section is missing or empty.
    virtual std::vector<Orvik::Support::orvik_wstring> GetEntryNames(const Orvik::Support::orvik_wstring& in_dsn) = 0;

    /// The value of entry in_name in data source in_dsn's section; empty when it has none.
    virtual Orvik::Support::orvik_wstring GetEntry(const Orvik::Support::orvik_wstring& in_dsn,
                                                   const Orvik::Support::orvik_wstring& in_name) = 0;

    /// Sets entry in_name to in_value (empty: an empty entry) in data source in_dsn's section;
    /// false when the installer fails.
    virtual bool WriteEntry(const Orvik::Support::orvik_wstring& in_dsn,
                            const Orvik::Support::orvik_wstring& in_name,
                            const Orvik::Support::orvik_wstring& in_value) = 0;

    /// Creates data source in_dsn of driver in_driver, or renews it: the section is emptied and
    /// holds only the driver afterwards. False when the name is invalid or the write fails.
    virtual bool WriteDSNToIni(const Orvik::Support::orvik_wstring& in_dsn,
                               const Orvik::Support::orvik_wstring& in_driver) = 0;

    /// Removes data source in_dsn; the installer's answer.
    virtual bool RemoveDSNFromIni(const Orvik::Support::orvik_wstring& in_dsn) = 0;

    /// Whether the installer accepts in_dsn as a data-source name.
    virtual bool ValidDSN(const Orvik::Support::orvik_wstring& in_dsn) = 0;

    /// Puts installer error in_code (ODBC_ERROR_*) with in_message on the installer's error
    /// stack, where the caller of the installer reads it.
    virtual void PostInstallerError(int32_t in_code, const Orvik::Support::orvik_wstring& in_message) = 0;

protected:
    IOdbcInstaller() = default;
};

} // namespace Pelta
