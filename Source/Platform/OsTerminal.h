#pragma once

#include <cstdint>
#include <string>

namespace Orvik {
namespace OS {

/// The process's controlling terminal, open for reading and writing while this object lives.
class Terminal
{
public:
    /// Opens /dev/tty; IsOpen tells whether the process has a terminal (errno says why not).
    Terminal();
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool IsOpen() const { return m_descriptor >= 0; }

    /// Writes in_text whole, as far as the terminal takes it.
    void Write(const std::string& in_text);

    /// One line of input without its line feed; bytes past in_maxLength are dropped. False at the
    /// end of input (or on an error) when nothing was read.
    bool ReadLine(std::string& out_line, size_t in_maxLength = 4096);

private:
    int32_t m_descriptor;
};

} // namespace OS
} // namespace Orvik
