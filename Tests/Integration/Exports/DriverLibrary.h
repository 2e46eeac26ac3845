#pragma once

// Test helper: the built driver library opened on its own, without a Driver Manager, so that a
// test calls its exported functions directly and sees exactly what they return. The ODBC
// headers only declare the functions; their types give each looked-up pointer its signature.

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace Pelta {
namespace Test {

class DriverLibrary
{
public:
    explicit DriverLibrary(const std::string& in_path) : m_handle(dlopen(in_path.c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        if (m_handle == nullptr)
        {
            throw std::runtime_error(std::string("dlopen: ") + dlerror());
        }
    }

    // Kept open: the driver's process-wide objects live until the process ends.
    DriverLibrary(const DriverLibrary&) = delete;
    DriverLibrary& operator=(const DriverLibrary&) = delete;

    /// The exported symbol, or null.
    void* Find(const char* in_name) const { return dlsym(m_handle, in_name); }

    /// The exported function in_name with the signature F; throws when it is missing.
    template <typename F>
    F* Get(const char* in_name) const
    {
        void* symbol = Find(in_name);
        if (symbol == nullptr)
        {
            throw std::runtime_error(std::string("missing export ") + in_name);
        }
        return reinterpret_cast<F*>(symbol);
    }

private:
    void* m_handle;
};

} // namespace Test
} // namespace Pelta

/// The driver's export of the ODBC function NAME, typed as the header declares it.
#define PELTA_EXPORT(library, NAME) ((library).Get<decltype(::NAME)>(#NAME))
