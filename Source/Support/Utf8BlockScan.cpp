#include "Support/Utf8BlockScan.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace Orvik {
namespace Support {

namespace {

#if defined(__x86_64__)

// A check of 32 bytes at a time with AVX2 (the lookup method of Keiser and Lemire). Every byte
// is looked at with the byte before it: three table look-ups, by the high and the low half of
// the byte before and by the high half of the byte itself, each give the errors that the pair
// may show, one bit an error; a pair shows an error whose bit all three agree on. The third and
// fourth bytes of longer sequences are checked by where the lead bytes two and three places back
// say continuation bytes must be.

// The errors a pair of bytes can show, one bit each.
constexpr uint8_t TOO_SHORT = 1 << 0;      // a lead not followed by a continuation byte
constexpr uint8_t TOO_LONG = 1 << 1;       // a continuation byte after an ASCII byte
constexpr uint8_t OVERLONG_3 = 1 << 2;     // E0 80..9F
constexpr uint8_t TOO_LARGE = 1 << 3;      // F4 90..BF, F5..FF
constexpr uint8_t SURROGATE = 1 << 4;      // ED A0..BF
constexpr uint8_t OVERLONG_2 = 1 << 5;     // C0, C1
constexpr uint8_t TOO_LARGE_1000 = 1 << 6; // F5..FF 80..8F
constexpr uint8_t OVERLONG_4 = 1 << 6;     // F0 80..8F
constexpr uint8_t TWO_CONTS = 1 << 7;      // two continuation bytes, unless a lead byte asks for them
// The errors that do not depend on the low half of the first byte.
constexpr uint8_t CARRY = TOO_SHORT | TOO_LONG | TWO_CONTS;

// By the high half of the first byte of a pair.
alignas(16) constexpr uint8_t FIRST_HIGH[16] = {
    TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, TOO_LONG, // 0..7: ASCII
    TWO_CONTS, TWO_CONTS, TWO_CONTS, TWO_CONTS,                                     // 8..B: continuation
    TOO_SHORT | OVERLONG_2,                                                         // C
    TOO_SHORT,                                                                      // D
    TOO_SHORT | OVERLONG_3 | SURROGATE,                                             // E
    TOO_SHORT | TOO_LARGE | TOO_LARGE_1000 | OVERLONG_4,                            // F
};

// By the low half of the first byte of a pair.
alignas(16) constexpr uint8_t FIRST_LOW[16] = {
    CARRY | OVERLONG_3 | OVERLONG_2 | OVERLONG_4,      // 0
    CARRY | OVERLONG_2,                                // 1
    CARRY,                                             // 2
    CARRY,                                             // 3
    CARRY | TOO_LARGE,                                 // 4
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // 5
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // 6
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // 7
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // 8
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // 9
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // A
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // B
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // C
    CARRY | TOO_LARGE | TOO_LARGE_1000 | SURROGATE,    // D
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // E
    CARRY | TOO_LARGE | TOO_LARGE_1000,                // F
};

// By the high half of the second byte of a pair.
alignas(16) constexpr uint8_t SECOND_HIGH[16] = {
    TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT, // 0..7: ASCII
    TOO_LONG | OVERLONG_2 | TWO_CONTS | OVERLONG_3 | TOO_LARGE_1000 | OVERLONG_4,          // 8
    TOO_LONG | OVERLONG_2 | TWO_CONTS | OVERLONG_3 | TOO_LARGE,                            // 9
    TOO_LONG | OVERLONG_2 | TWO_CONTS | SURROGATE | TOO_LARGE,                             // A
    TOO_LONG | OVERLONG_2 | TWO_CONTS | SURROGATE | TOO_LARGE,                             // B
    TOO_SHORT, TOO_SHORT, TOO_SHORT, TOO_SHORT,                                            // C..F: lead
};

#define ORVIK_AVX2 __attribute__((target("avx2")))

ORVIK_AVX2 __m256i LoadTable(const uint8_t* in_table)
{
    return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(in_table)));
}

ORVIK_AVX2 __m256i HighHalves(__m256i in_bytes)
{
    return _mm256_and_si256(_mm256_srli_epi16(in_bytes, 4), _mm256_set1_epi8(0x0F));
}

// The bytes of in_block shifted in_count places later, the last bytes of in_previous in front.
template <int in_count>
ORVIK_AVX2 __m256i Earlier(__m256i in_block, __m256i in_previous)
{
    return _mm256_alignr_epi8(in_block, _mm256_permute2x128_si256(in_previous, in_block, 0x21), 16 - in_count);
}

// The errors of the blocks seen so far, and what the next block needs of the last one.
struct Avx2Check
{
    __m256i errors;
    __m256i previous;
    // Non-zero where the last block ended inside a sequence: only continuation bytes may follow.
    __m256i previousIncomplete;

    ORVIK_AVX2 void Add(__m256i in_block)
    {
        if (_mm256_movemask_epi8(in_block) == 0)
        {
            errors = _mm256_or_si256(errors, previousIncomplete);
        }
        else
        {
            const __m256i first = Earlier<1>(in_block, previous);
            const __m256i pairErrors = _mm256_and_si256(
                _mm256_and_si256(_mm256_shuffle_epi8(LoadTable(FIRST_HIGH), HighHalves(first)),
                                 _mm256_shuffle_epi8(LoadTable(FIRST_LOW), _mm256_and_si256(first, _mm256_set1_epi8(0x0F)))),
                _mm256_shuffle_epi8(LoadTable(SECOND_HIGH), HighHalves(in_block)));
            // 0x80 where a lead byte two or three places back asks for a continuation byte.
            const __m256i third = _mm256_subs_epu8(Earlier<2>(in_block, previous), _mm256_set1_epi8(char(0xE0 - 0x80)));
            const __m256i fourth = _mm256_subs_epu8(Earlier<3>(in_block, previous), _mm256_set1_epi8(char(0xF0 - 0x80)));
            const __m256i mustContinue = _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(char(0x80)));
            errors = _mm256_or_si256(errors, _mm256_xor_si256(mustContinue, pairErrors));
        }
        // A lead byte in the last three places whose sequence does not fit before the end.
        const __m256i leadLimits = _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, char(0xF0 - 1),
                                                    char(0xE0 - 1), char(0xC0 - 1));
        previousIncomplete = _mm256_subs_epu8(in_block, leadLimits);
        previous = in_block;
    }
};

ORVIK_AVX2 bool IsWellFormedAvx2(const char* in_bytes, uint64_t in_length)
{
    Avx2Check check{_mm256_setzero_si256(), _mm256_setzero_si256(), _mm256_setzero_si256()};
    const char* block = in_bytes;
    const char* const end = block + in_length;
    for (; static_cast<uint64_t>(end - block) >= UTF8_SCAN_BLOCK; block += UTF8_SCAN_BLOCK)
    {
        check.Add(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(block)));
    }
    if (block != end)
    {
        // The last bytes padded with NULs, which are ASCII.
        alignas(32) char last[UTF8_SCAN_BLOCK] = {};
        std::memcpy(last, block, static_cast<size_t>(end - block));
        check.Add(_mm256_load_si256(reinterpret_cast<const __m256i*>(last)));
    }
    const __m256i errors = _mm256_or_si256(check.errors, check.previousIncomplete);
    return _mm256_testz_si256(errors, errors) != 0;
}

#undef ORVIK_AVX2

bool HasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

#endif

} // namespace

Utf8Verdict ScanLongUtf8([[maybe_unused]] const void* in_bytes, [[maybe_unused]] uint64_t in_length)
{
#if defined(__x86_64__)
    static const bool s_hasAvx2 = HasAvx2();
    if (s_hasAvx2)
    {
        return IsWellFormedAvx2(static_cast<const char*>(in_bytes), in_length) ? Utf8Verdict::WELL_FORMED
                                                                               : Utf8Verdict::MALFORMED;
    }
#endif
    return Utf8Verdict::UNDECIDED;
}

} // namespace Support
} // namespace Orvik
