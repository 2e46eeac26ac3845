#include "Platform/OsTerminal.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Orvik {
namespace OS {

Terminal::Terminal() : m_descriptor(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC))
{
}

Terminal::~Terminal()
{
    if (m_descriptor >= 0)
    {
        close(m_descriptor);
    }
}

void Terminal::Write(const std::string& in_text)
{
    size_t written = 0;
    while (m_descriptor >= 0 && written < in_text.size())
    {
        const ssize_t count = write(m_descriptor, in_text.data() + written, in_text.size() - written);
        if (count < 0 && errno == EINTR)
        {
            continue;
        }
        if (count <= 0)
        {
            return;
        }
        written += static_cast<size_t>(count);
    }
}

bool Terminal::ReadLine(std::string& out_line, size_t in_maxLength)
{
    out_line.clear();
    bool isAnyRead = false;
    for (;;)
    {
        char byte = 0;
        const ssize_t count = m_descriptor >= 0 ? read(m_descriptor, &byte, 1) : -1;
        if (count < 0 && errno == EINTR)
        {
            continue;
        }
        if (count <= 0)
        {
            return isAnyRead;
        }
        isAnyRead = true;
        if (byte == '\n')
        {
            if (!out_line.empty() && out_line.back() == '\r')
            {
                out_line.pop_back();
            }
            return true;
        }
        if (out_line.size() < in_maxLength)
        {
            out_line.push_back(byte);
        }
    }
}

} // namespace OS
} // namespace Orvik
