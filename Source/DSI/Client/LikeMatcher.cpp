#include "DSI/Client/LikeMatcher.h"

#include "Support/EncodingInfo.h"
#include "Support/orvik_wstring.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace Orvik {
namespace DSI {

using Support::EncodingInfo;
using Support::EncodingType;
using Support::orvik_wstring;

namespace {

/// in_character as one code unit of in_encoding.
void EncodeUnit(const char16_t* in_character, EncodingType in_encoding, uint8_t in_unitSize, uint8_t* out_unit)
{
    const std::string bytes = orvik_wstring(in_character).GetAsString(in_encoding);
    std::memcpy(out_unit, bytes.data(), std::min<size_t>(bytes.size(), in_unitSize));
}

/// Whole code units only; a negative length or no bytes count as none.
int64_t WholeUnits(const void* in_bytes, int64_t in_length, uint8_t in_unitSize)
{
    if (in_bytes == nullptr || in_length <= 0)
    {
        return 0;
    }
    return in_length - in_length % in_unitSize;
}

} // namespace

LikeMatcher::LikeMatcher(const void* in_pattern,
                         int64_t in_patternLength,
                         const void* in_escape,
                         int64_t in_escapeLength,
                         EncodingType in_encoding)
    : m_unitSize(EncodingInfo::GetCodeUnitSize(in_encoding)),
      m_comparator(in_encoding)
{
    EncodeUnit(u"%", in_encoding, m_unitSize, m_percent);
    EncodeUnit(u"_", in_encoding, m_unitSize, m_underscore);
    EncodeUnit(u" ", in_encoding, m_unitSize, m_blank);

    const std::vector<bool> isLiteral = RemoveEscapes(static_cast<const uint8_t*>(in_pattern),
                                                      WholeUnits(in_pattern, in_patternLength, m_unitSize),
                                                      static_cast<const uint8_t*>(in_escape),
                                                      WholeUnits(in_escape, in_escapeLength, m_unitSize));
    BuildSteps(Tokenize(isLiteral));
    m_searchStarts.resize(m_steps.size(), 0);
}

bool LikeMatcher::IsUnit(const uint8_t* in_unit, const uint8_t* in_character) const
{
    return std::memcmp(in_unit, in_character, m_unitSize) == 0;
}

std::vector<bool> LikeMatcher::RemoveEscapes(const uint8_t* in_pattern,
                                             int64_t in_length,
                                             const uint8_t* in_escape,
                                             int64_t in_escapeLength)
{
    std::vector<bool> isLiteral;
    const auto append = [&](const uint8_t* in_bytes, int64_t in_count, bool in_literal) {
        m_pattern.insert(m_pattern.end(), in_bytes, in_bytes + in_count);
        isLiteral.insert(isLiteral.end(), static_cast<size_t>(in_count / m_unitSize), in_literal);
    };
    const auto isEscapeAt = [&](int64_t in_position) {
        return in_escapeLength > 0 && in_position + in_escapeLength <= in_length
            && std::memcmp(in_pattern + in_position, in_escape, in_escapeLength) == 0;
    };

    int64_t position = 0;
    while (position < in_length)
    {
        if (!isEscapeAt(position))
        {
            append(in_pattern + position, m_unitSize, false);
            position += m_unitSize;
            continue;
        }
        const int64_t next = position + in_escapeLength;
        if (next < in_length && (IsUnit(in_pattern + next, m_percent) || IsUnit(in_pattern + next, m_underscore)))
        {
            append(in_pattern + next, m_unitSize, true);
            position = next + m_unitSize;
        }
        else if (isEscapeAt(next))
        {
            append(in_pattern + next, in_escapeLength, true);
            position = next + in_escapeLength;
        }
        else
        {
            // An escape before anything else is an ordinary character of the pattern.
            append(in_pattern + position, in_escapeLength, true);
            position = next;
        }
    }
    return isLiteral;
}

std::vector<LikeMatcher::Token> LikeMatcher::Tokenize(const std::vector<bool>& in_isLiteral) const
{
    std::vector<Token> tokens;
    bool pendingPercent = false;
    const auto flushPercent = [&]() {
        if (pendingPercent)
        {
            tokens.push_back({StepKind::Search, 0, 0});
            pendingPercent = false;
        }
    };

    for (size_t unit = 0; unit < in_isLiteral.size(); ++unit)
    {
        const int64_t offset = static_cast<int64_t>(unit) * m_unitSize;
        const uint8_t* bytes = m_pattern.data() + offset;
        if (!in_isLiteral[unit] && IsUnit(bytes, m_percent))
        {
            // Touching "%" are one; a "_" that follows one moves before it.
            pendingPercent = true;
        }
        else if (!in_isLiteral[unit] && IsUnit(bytes, m_underscore))
        {
            if (tokens.empty() || tokens.back().m_kind != StepKind::Skip)
            {
                tokens.push_back({StepKind::Skip, offset, 0});
            }
            ++tokens.back().m_length;
        }
        else
        {
            flushPercent();
            if (tokens.empty() || tokens.back().m_kind != StepKind::Literal)
            {
                tokens.push_back({StepKind::Literal, offset, 0});
            }
            tokens.back().m_length += m_unitSize;
        }
    }
    flushPercent();
    return tokens;
}

void LikeMatcher::AddStep(StepKind in_kind, const Token* in_literal, int64_t in_count, int64_t in_back)
{
    Step step{in_kind, 0, 0, in_count, in_back};
    if (in_literal != nullptr)
    {
        step.m_literalOffset = in_literal->m_offset;
        step.m_literalLength = in_literal->m_length;
    }
    m_steps.push_back(step);
}

void LikeMatcher::BuildSteps(const std::vector<Token>& in_tokens)
{
    int64_t retryTarget = -1;
    for (size_t i = 0; i < in_tokens.size(); ++i)
    {
        const Token& token = in_tokens[i];
        const Token* next = i + 1 < in_tokens.size() ? &in_tokens[i + 1] : nullptr;
        const Token* text = next != nullptr && next->m_kind == StepKind::Literal ? next : nullptr;
        switch (token.m_kind)
        {
            case StepKind::Literal:
                // Only text before the first wildcard gets here; later text belongs to the
                // wildcard before it.
                AddStep(StepKind::Literal, &token, 0, -1);
                break;
            case StepKind::Search:
                retryTarget = static_cast<int64_t>(m_steps.size());
                AddStep(StepKind::Search, text, 0, -1);
                i += text != nullptr ? 1 : 0;
                break;
            case StepKind::Skip:
                AddStep(StepKind::Skip, nullptr, token.m_length, retryTarget);
                if (text != nullptr)
                {
                    AddStep(StepKind::Literal, text, 0, retryTarget);
                    ++i;
                }
                break;
        }
    }
    if (m_steps.empty())
    {
        // The empty pattern: an empty literal, so that only blanks match.
        AddStep(StepKind::Literal, nullptr, 0, -1);
    }
}

bool LikeMatcher::IsBlankTail(const uint8_t* in_text, int64_t in_start, int64_t in_end) const
{
    for (int64_t position = in_start; position < in_end; position += m_unitSize)
    {
        if (in_end - position < m_unitSize || !IsUnit(in_text + position, m_blank))
        {
            return false;
        }
    }
    return true;
}

bool LikeMatcher::LiteralMatches(const Step& in_step, const uint8_t* in_text, int64_t in_position, int64_t in_end)
{
    const int64_t length = in_step.m_literalLength;
    return in_end - in_position >= length
        && m_comparator.Compare(in_text + in_position, length, m_pattern.data() + in_step.m_literalOffset, length) == 0;
}

int64_t LikeMatcher::FindLiteral(const Step& in_step,
                                 const uint8_t* in_text,
                                 int64_t in_start,
                                 int64_t in_end,
                                 bool in_last) const
{
    const int64_t length = in_step.m_literalLength;
    const uint8_t* literal = m_pattern.data() + in_step.m_literalOffset;
    if (in_end - in_start < length)
    {
        return -1;
    }
    const int64_t lastPosition = in_start + (in_end - length - in_start) / m_unitSize * m_unitSize;
    const int64_t step = in_last ? -m_unitSize : m_unitSize;
    for (int64_t position = in_last ? lastPosition : in_start; position >= in_start && position <= lastPosition;
         position += step)
    {
        if (std::memcmp(in_text + position, literal, length) == 0)
        {
            return position;
        }
    }
    return -1;
}

bool LikeMatcher::Match(const void* in_text, int64_t in_length)
{
    const uint8_t* text = static_cast<const uint8_t*>(in_text);
    const int64_t end = text == nullptr ? 0 : std::max<int64_t>(in_length, 0);
    int64_t current = 0;
    size_t index = 0;
    bool isRetry = false;
    for (;;)
    {
        const Step& step = m_steps[index];
        const bool isLast = index + 1 == m_steps.size();
        bool matched = false;
        switch (step.m_kind)
        {
            case StepKind::Literal:
                matched = LiteralMatches(step, text, current, end)
                       && (!isLast || IsBlankTail(text, current + step.m_literalLength, end));
                current += matched ? step.m_literalLength : 0;
                break;
            case StepKind::Skip:
            {
                const int64_t length = step.m_count * m_unitSize;
                if (!isLast && end - current < length)
                {
                    return false;
                }
                matched = end - current >= length && (!isLast || IsBlankTail(text, current + length, end));
                current += matched ? length : 0;
                break;
            }
            case StepKind::Search:
            {
                if (step.m_literalLength == 0)
                {
                    // A trailing "%": anything that is left matches.
                    return true;
                }
                const int64_t start = isRetry ? m_searchStarts[index] + m_unitSize : current;
                isRetry = false;
                m_searchStarts[index] = start;
                const int64_t found = FindLiteral(step, text, start, end, isLast);
                if (found < 0)
                {
                    return false;
                }
                if (isLast)
                {
                    return IsBlankTail(text, found + step.m_literalLength, end);
                }
                current = found + step.m_literalLength;
                matched = true;
                break;
            }
        }
        if (matched)
        {
            if (isLast)
            {
                return true;
            }
            ++index;
        }
        else if (step.m_back < 0)
        {
            return false;
        }
        else
        {
            index = static_cast<size_t>(step.m_back);
            isRetry = true;
        }
    }
}

} // namespace DSI
} // namespace Orvik
