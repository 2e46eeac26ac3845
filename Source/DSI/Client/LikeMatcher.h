#pragma once

#include "DSI/Client/StringComparator.h"
#include "Support/EncodingType.h"

#include <cstdint>
#include <vector>

namespace Orvik {
namespace DSI {

/// A LIKE search pattern compiled for text of one encoding: "%" stands for any run of code units,
/// "_" for one code unit, and an escape makes either (or itself) stand for itself. Matching works
/// on the encoded bytes and ignores trailing blanks. Made by a Collation; one thread at a time.
class LikeMatcher
{
public:
    /// Compiles in_patternLength bytes of pattern in in_encoding. The escape is in the same
    /// encoding; null or empty means that nothing is escaped. Partial code units at the end of
    /// either are ignored. Throws InvalidArgumentException outside the encoding table.
    LikeMatcher(const void* in_pattern,
                int64_t in_patternLength,
                const void* in_escape,
                int64_t in_escapeLength,
                Support::EncodingType in_encoding);

    virtual ~LikeMatcher() = default;

    LikeMatcher(const LikeMatcher&) = delete;
    LikeMatcher& operator=(const LikeMatcher&) = delete;

    /// True when the text of in_length bytes matches the pattern.
    virtual bool Match(const void* in_text, int64_t in_length);

private:
    enum class StepKind
    {
        Literal,  ///< the literal must stand at the current position
        Search,   ///< a "%": find the literal (if any) at or after the current position
        Skip      ///< a run of "_": pass over count code units
    };

    struct Step
    {
        StepKind m_kind;
        int64_t m_literalOffset;  ///< into the processed pattern
        int64_t m_literalLength;  ///< bytes; 0 for no literal
        int64_t m_count;          ///< code units a skip passes over
        int64_t m_back;           ///< the search step to retry on a mismatch, or -1
    };

    /// A piece of the processed pattern: literal text, or a wildcard.
    struct Token
    {
        StepKind m_kind;  ///< Literal for text, Search for "%", Skip for a run of "_"
        int64_t m_offset;
        int64_t m_length;  ///< bytes of text, or the code units of a run of "_"
    };

    /// Removes the escapes from the pattern into m_pattern and marks which code units of it are
    /// to be taken literally.
    std::vector<bool> RemoveEscapes(const uint8_t* in_pattern, int64_t in_length, const uint8_t* in_escape, int64_t in_escapeLength);

    /// The processed pattern as text and wildcards, with wildcards that touch put in order: the
    /// "_" of a run first, then at most one "%".
    std::vector<Token> Tokenize(const std::vector<bool>& in_isLiteral) const;

    void BuildSteps(const std::vector<Token>& in_tokens);

    void AddStep(StepKind in_kind, const Token* in_literal, int64_t in_count, int64_t in_back);

    bool IsUnit(const uint8_t* in_unit, const uint8_t* in_character) const;

    /// True when the text from in_start to in_end holds nothing but encoded blanks.
    bool IsBlankTail(const uint8_t* in_text, int64_t in_start, int64_t in_end) const;

    /// True when the text at in_position holds the step's literal, trailing blanks aside.
    bool LiteralMatches(const Step& in_step, const uint8_t* in_text, int64_t in_position, int64_t in_end);

    /// The first (or last) code-unit position from in_start at which the literal lies wholly in
    /// the text, or -1.
    int64_t FindLiteral(const Step& in_step, const uint8_t* in_text, int64_t in_start, int64_t in_end, bool in_last) const;

    const uint8_t m_unitSize;
    uint8_t m_percent[4] = {};
    uint8_t m_underscore[4] = {};
    uint8_t m_blank[4] = {};
    std::vector<uint8_t> m_pattern;
    std::vector<Step> m_steps;
    /// Where each search step began its last search, for retries.
    std::vector<int64_t> m_searchStarts;
    StringComparator m_comparator;
};

} // namespace DSI
} // namespace Orvik
