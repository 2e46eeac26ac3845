#include "Support/TypedDataWrapper/IsAsciiCompatibleEncoding.h"

namespace Orvik {
namespace Support {

namespace {

struct EncodingRange
{
    EncodingType first;
    EncodingType last;
};

// Ranges of the encoding table, by index.
constexpr EncodingRange ASCII_COMPATIBLE_ENCODINGS[] = {
    {0, 0},   // UTF-8
    {5, 16},  // latin1, cp1252, US-ASCII, ISO-8859-2 to ISO-8859-10
    {20, 20}, // ISO-646-IRV
    {29, 31}, // ISO-8859-13 to ISO-8859-15
    {33, 36}, // HP-ROMAN8, CP850, IBM852, IBM437
    {40, 40}, // macintosh
    {54, 61}, // IBM855, IBM857, IBM860, IBM861, IBM863, IBM864, IBM865, IBM869
    {68, 70}, // IBM866, IBM775, IBM00858
    {82, 83}, // windows-1250, windows-1251
    {85, 89}, // windows-1254 to windows-1258
};

} // namespace

bool IsAsciiCompatibleEncoding(EncodingType in_encoding)
{
    for (const EncodingRange& range : ASCII_COMPATIBLE_ENCODINGS)
    {
        if (in_encoding >= range.first && in_encoding <= range.last)
        {
            return true;
        }
    }
    return false;
}

} // namespace Support
} // namespace Orvik
