// Where UTF-8 that goes on past a room can be cut: before a character that the room cuts, and
// anywhere in bytes that are not UTF-8.

#include "Support/Utf8Boundary.h"

#include <gtest/gtest.h>

#include <string>

using Orvik::Support::EndOfWholeUtf8Characters;

namespace {

TEST(Utf8Boundary, ARoomEndsBeforeTheCharacterItCuts)
{
    const struct
    {
        std::string bytes;
        std::string ends;
    } cases[] = {
        // The end for each room from 0 to the whole, "|"-joined: a one-, two-, three- and a
        // four-byte character.
        {"a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80", "0|1|1|3|3|3|6|6|6|6|10"},
        // Bytes that are not UTF-8 count as whole: continuation bytes without their lead, or more
        // of them than the lead announces, leads that begin nothing, a lead that ASCII follows.
        {"\x80\x80\x80\x80\x80", "0|1|2|3|4|5"},
        {"\xC3\xA4\xA4", "0|0|2|3"},
        {"\xC0\xC1\xF5\xFF", "0|1|2|3|4"},
        {"\xE2" "a", "0|0|2"},
        // A continuation byte after a whole four-byte character is one without its lead.
        {"\xF0\x9F\x98\x80\x80", "0|0|0|0|4|5"},
    };
    for (const auto& c : cases)
    {
        std::string ends;
        for (size_t room = 0; room <= c.bytes.size(); ++room)
        {
            ends += (room == 0 ? "" : "|") + std::to_string(EndOfWholeUtf8Characters(c.bytes.data(), room));
        }
        EXPECT_EQ(c.ends, ends) << c.bytes;
    }
}

} // namespace
