#pragma once

// Test helpers: a private directory under $TMPDIR (or /tmp) that is removed with everything in
// it, and an environment variable set for the length of a scope.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

namespace Orvik {
namespace Testing {

class TemporaryDirectory
{
public:
    TemporaryDirectory()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp")
                              + "/pelta-test-XXXXXX";
        if (mkdtemp(&pattern[0]) == nullptr)
        {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
    }
    ~TemporaryDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    /// The directory; ends without "/".
    const std::string& Path() const { return m_path; }

    /// A path inside the directory.
    std::string operator/(const std::string& in_name) const { return m_path + "/" + in_name; }

private:
    std::string m_path;
};

class ScopedEnvironment
{
public:
    /// Sets the variable, or unsets it when in_value is empty.
    ScopedEnvironment(const char* in_name, std::optional<std::string> in_value) : m_name(in_name)
    {
        if (const char* old = std::getenv(in_name))
        {
            m_old = old;
        }
        Apply(in_value);
    }
    ~ScopedEnvironment() { Apply(m_old); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Apply(const std::optional<std::string>& in_value)
    {
        if (in_value)
        {
            setenv(m_name.c_str(), in_value->c_str(), 1);
        }
        else
        {
            unsetenv(m_name.c_str());
        }
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

inline void WriteTextFile(const std::string& in_path, const std::string& in_text)
{
    std::ofstream(in_path, std::ios::binary) << in_text;
}

inline std::string ReadTextFile(const std::string& in_path)
{
    std::ifstream file(in_path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace Testing
} // namespace Orvik
