#pragma once

// What every fuzz target shares: the input read as typed pieces, properties that stop the run
// with the input kept, and heap copies of exactly the size given, so that a read or write one
// byte past a buffer is reported by AddressSanitizer.

#include "Support/ErrorException.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace Fuzz {

[[noreturn]] inline void Fail(const char* in_property, const char* in_file, int in_line, const std::string& in_detail)
{
    std::fprintf(stderr, "\n%s:%d: property failed: %s\n  %s\n", in_file, in_line, in_property, in_detail.c_str());
    std::fflush(stderr);
    std::abort();
}

/// Stops the run, with in_detail, when the property does not hold.
#define FUZZ_CHECK(in_property, in_detail)                          \
    do                                                              \
    {                                                               \
        if (!(in_property))                                         \
        {                                                           \
            ::Fuzz::Fail(#in_property, __FILE__, __LINE__, in_detail); \
        }                                                           \
    } while (0)

/// A heap block of exactly in_size bytes holding in_bytes (nothing after them, not even a NUL).
inline std::unique_ptr<char[]> ExactCopy(const std::string& in_bytes)
{
    std::unique_ptr<char[]> block(new char[in_bytes.size()]);
    if (!in_bytes.empty())
    {
        std::memcpy(block.get(), in_bytes.data(), in_bytes.size());
    }
    return block;
}

/// The message key of an error.
inline std::string KeyOf(const Orvik::Support::ErrorException& in_error)
{
    return in_error.GetMessageKey().GetAsUTF8();
}

/// Bytes shown as C escapes, for the detail of a failed property.
inline std::string Show(const std::string& in_bytes)
{
    std::string shown = "\"";
    for (unsigned char byte : in_bytes)
    {
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\')
        {
            shown.push_back(static_cast<char>(byte));
        }
        else
        {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\x%02x", byte);
            shown += escape;
        }
    }
    return shown + "\"";
}

/// True when every surrogate of in_units is half of a pair.
inline bool IsWellFormed(const std::u16string& in_units)
{
    for (size_t i = 0; i < in_units.size(); ++i)
    {
        const bool lead = in_units[i] >= 0xD800 && in_units[i] <= 0xDBFF;
        if (lead && i + 1 < in_units.size() && in_units[i + 1] >= 0xDC00 && in_units[i + 1] <= 0xDFFF)
        {
            ++i;
        }
        else if (in_units[i] >= 0xD800 && in_units[i] <= 0xDFFF)
        {
            return false;
        }
    }
    return true;
}

/// Where in_bytes stop being UTF-8, read by a plain decoder: the offset of the first byte of the
/// first character that is not well formed (a byte that begins none, a character cut short or
/// broken by a byte that does not continue it, an overlong form, a surrogate, a code point beyond
/// U+10FFFF), or npos when every character is whole and valid.
inline size_t FindBadUtf8(const std::string& in_bytes)
{
    size_t i = 0;
    while (i < in_bytes.size())
    {
        const auto lead = static_cast<unsigned char>(in_bytes[i]);
        size_t length = 1;
        uint32_t codePoint = lead;
        uint32_t least = 0;
        if (lead >= 0x80)
        {
            if ((lead & 0xE0) == 0xC0)
            {
                length = 2, codePoint = lead & 0x1F, least = 0x80;
            }
            else if ((lead & 0xF0) == 0xE0)
            {
                length = 3, codePoint = lead & 0x0F, least = 0x800;
            }
            else if ((lead & 0xF8) == 0xF0)
            {
                length = 4, codePoint = lead & 0x07, least = 0x10000;
            }
            else
            {
                return i;
            }
        }
        if (in_bytes.size() - i < length)
        {
            return i;
        }
        for (size_t k = 1; k < length; ++k)
        {
            const auto next = static_cast<unsigned char>(in_bytes[i + k]);
            if ((next & 0xC0) != 0x80)
            {
                return i;
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        {
            return i;
        }
        i += length;
    }
    return std::string::npos;
}

inline std::string Show(const std::u16string& in_units)
{
    std::string shown = "u\"";
    for (char16_t unit : in_units)
    {
        char escape[16];
        if (unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\')
        {
            shown.push_back(static_cast<char>(unit));
        }
        else
        {
            std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(unit));
            shown += escape;
        }
    }
    return shown + "\"";
}

} // namespace Fuzz
