#include "EncodingTable.h"

#include "Support/InvalidArgumentException.h"

namespace Orvik {
namespace Support {

namespace {

constexpr BlankTrimming LE = BlankTrimming::LittleEndianUnits;
constexpr BlankTrimming BE = BlankTrimming::BigEndianUnits;
constexpr BlankTrimming DE = BlankTrimming::Decoded;

// Name, code-unit size, most code units per character, blank trimming, and the ICU converter
// name where ICU does not open the first.
constexpr EncodingRow ENCODING_TABLE[] = {
    {"UTF-8", 1, 4, LE},            // 0
    {"UTF-16LE", 2, 2, LE},         // 1
    {"UTF-16BE", 2, 2, BE},         // 2
    {"UTF-32LE", 4, 1, LE},         // 3
    {"UTF-32BE", 4, 1, BE},         // 4
    {"latin1", 1, 1, LE},           // 5
    {"cp1252", 1, 1, LE},           // 6
    {"US-ASCII", 1, 1, LE},         // 7
    {"ISO-8859-2", 1, 1, LE},       // 8
    {"ISO-8859-3", 1, 1, LE},       // 9
    {"ISO-8859-4", 1, 1, LE},       // 10
    {"ISO-8859-5", 1, 1, LE},       // 11
    {"ISO-8859-6", 1, 1, LE},       // 12
    {"ISO-8859-7", 1, 1, LE},       // 13
    {"ISO-8859-8", 1, 1, LE},       // 14
    {"ISO-8859-9", 1, 1, LE},       // 15
    {"ISO-8859-10", 1, 2, LE},      // 16
    {"JIS_Encoding", 1, 2, DE},     // 17
    {"SHIFT-JIS", 1, 2, DE},        // 18
    {"EUC-JP", 1, 2, DE},           // 19
    {"ISO-646-IRV", 1, 2, LE, "US-ASCII"}, // 20: ICU knows ISO 646 IRV only as ASCII
    {"KS-C-5601", 1, 2, DE},        // 21
    {"ISO-2022-KR", 1, 2, DE},      // 22
    {"EUC-KR", 1, 2, DE},           // 23
    {"ISO-2022-JP", 1, 2, DE},      // 24
    {"ISO-2022-JP-2", 1, 2, DE},    // 25
    {"GB-2312", 1, 2, DE},          // 26
    {"ISO-2022-CN", 1, 2, DE},      // 27
    {"ISO-2022-CN-EXT", 1, 2, DE},  // 28
    {"ISO-8859-13", 1, 1, LE},      // 29
    {"ISO-8859-14", 1, 1, LE},      // 30
    {"ISO-8859-15", 1, 1, LE},      // 31
    {"GBK", 1, 2, DE},              // 32
    {"HP-ROMAN8", 1, 2, LE},        // 33
    {"CP850", 1, 1, LE},            // 34
    {"IBM852", 1, 2, LE},           // 35
    {"IBM437", 1, 1, LE},           // 36
    {"Windows-31J", 1, 2, DE},      // 37
    {"GB2312", 1, 2, DE},           // 38
    {"BIG5", 1, 2, DE},             // 39
    {"macintosh", 1, 1, LE},        // 40
    {"IBM037", 1, 1, DE},           // 41
    {"IBM273", 1, 1, DE},           // 42
    {"IBM277", 1, 1, DE},           // 43
    {"IBM278", 1, 1, DE},           // 44
    {"IBM280", 1, 2, DE},           // 45
    {"IBM284", 1, 1, DE},           // 46
    {"IBM285", 1, 1, DE},           // 47
    {"IBM290", 1, 1, DE},           // 48
    {"IBM297", 1, 1, DE},           // 49
    {"IBM420", 1, 1, DE},           // 50
    {"IBM424", 1, 2, DE},           // 51
    {"IBM500", 1, 1, DE},           // 52
    {"IBM851", 1, 2, DE},           // 53
    {"IBM855", 1, 2, LE},           // 54
    {"IBM857", 1, 2, LE},           // 55
    {"IBM860", 1, 2, LE},           // 56
    {"IBM861", 1, 2, LE},           // 57
    {"IBM863", 1, 2, LE},           // 58
    {"IBM864", 1, 2, LE},           // 59
    {"IBM865", 1, 2, LE},           // 60
    {"IBM869", 1, 2, LE},           // 61
    {"IBM870", 1, 1, DE},           // 62
    {"IBM871", 1, 2, DE},           // 63
    {"IBM918", 1, 2, DE},           // 64
    {"IBM1026", 1, 2, DE},          // 65
    {"KOI8-R", 1, 1, DE},           // 66
    {"HZ-GB-2312", 1, 2, DE},       // 67
    {"IBM866", 1, 1, LE},           // 68
    {"IBM775", 1, 1, LE},           // 69
    {"IBM00858", 1, 2, LE},         // 70
    {"IBM01140", 1, 2, DE},         // 71
    {"IBM01141", 1, 2, DE},         // 72
    {"IBM01142", 1, 2, DE},         // 73
    {"IBM01143", 1, 2, DE},         // 74
    {"IBM01144", 1, 2, DE},         // 75
    {"IBM01145", 1, 2, DE},         // 76
    {"IBM01146", 1, 2, DE},         // 77
    {"IBM01147", 1, 2, DE},         // 78
    {"IBM01148", 1, 2, DE},         // 79
    {"IBM01149", 1, 2, DE},         // 80
    {"IBM1047", 1, 2, DE},          // 81
    {"windows-1250", 1, 1, LE},     // 82
    {"windows-1251", 1, 1, LE},     // 83
    {"windows-1253", 1, 1, DE},     // 84
    {"windows-1254", 1, 1, LE},     // 85
    {"windows-1255", 1, 1, LE},     // 86
    {"windows-1256", 1, 1, LE},     // 87
    {"windows-1257", 1, 1, LE},     // 88
    {"windows-1258", 1, 2, LE},     // 89
    {"TIS-620", 1, 2, DE},          // 90
    {"windows-949", 1, 2, DE},      // 91
    {"windows-936", 1, 2, DE},      // 92
    {"windows-950", 1, 2, DE},      // 93
    {"ibm-1250", 1, 2, DE},         // 94
    {"ibm-5346", 1, 2, DE},         // 95
    {"ibm-1251", 1, 2, DE},         // 96
    {"ibm-5347", 1, 2, DE},         // 97
    {"ibm-1252", 1, 2, DE},         // 98
    {"ibm-5348", 1, 2, DE},         // 99
    {"ibm-1253", 1, 2, DE},         // 100
    {"ibm-5349", 1, 2, DE},         // 101
    {"ibm-1254", 1, 2, DE},         // 102
    {"ibm-5350", 1, 2, DE},         // 103
    {"ibm-9447", 1, 2, DE},         // 104
    {"ibm-5351", 1, 2, DE},         // 105
    {"ibm-9448", 1, 2, DE},         // 106
    {"ibm-5352", 1, 2, DE},         // 107
    {"ibm-9449", 1, 2, DE},         // 108
    {"ibm-5353", 1, 2, DE},         // 109
    {"ibm-1258", 1, 2, DE},         // 110
    {"ibm-5354", 1, 2, DE},         // 111
    {"MS874", 1, 2, DE},            // 112
    {"ibm-874", 1, 2, DE},          // 113
    {"windows-949-2000", 1, 2, DE}, // 114
    {"ibm-1363", 1, 2, DE},         // 115
    {"windows-936-2000", 1, 2, DE}, // 116
    {"ibm-1386", 1, 2, DE},         // 117
    {"windows-950-2000", 1, 2, DE}, // 118
    {"ibm-1373", 1, 2, DE},         // 119
};

static_assert(sizeof(ENCODING_TABLE) / sizeof(ENCODING_TABLE[0]) == ENCODING_COUNT, "one row an encoding");

} // namespace

const EncodingRow& EncodingTable::GetRow(EncodingType in_encoding)
{
    const EncodingRow* row = FindRow(in_encoding);
    if (row == nullptr)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return *row;
}

const EncodingRow* EncodingTable::FindRow(EncodingType in_encoding)
{
    return in_encoding < 0 || in_encoding >= ENCODING_COUNT ? nullptr : &ENCODING_TABLE[in_encoding];
}

} // namespace Support
} // namespace Orvik
