#pragma once

#include <memory>
#include <utility>

namespace Orvik {
namespace Support {

/// The process-wide instance of one typed-data service. The module installs each service once at
/// start-up, before any other thread uses the driver, and removes it at termination; reads take
/// no lock.
template <class Service>
class TypedDataSingleton
{
public:
    /// The installed instance, or null when none is installed.
    static Service* Get() { return s_instance; }

    /// The installed instance, or a default instance while none is installed.
    static const Service& GetOrDefault()
    {
        static const Service s_default;
        return s_instance != nullptr ? *s_instance : s_default;
    }

    /// Installs in_instance (which may be null) and deletes the instance it replaces.
    static void Install(std::unique_ptr<Service> in_instance)
    {
        delete std::exchange(s_instance, in_instance.release());
    }

private:
    static inline Service* s_instance = nullptr;
};

} // namespace Support
} // namespace Orvik
