#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using Orvik::Support::TDWNumeric;

namespace {

std::vector<uint8_t> ImageOf(const TDWNumeric& in_value)
{
    std::vector<uint8_t> bytes(sizeof(TDWNumeric));
    std::memcpy(bytes.data(), &in_value, bytes.size());
    return bytes;
}

} // namespace

TEST(TDWNumericImage, ZeroIsValidWithTwoZeroWords)
{
    std::vector<uint8_t> expected(38, 0);
    expected[4] = 2; // word count, little-endian, after the invalid flag and the exponent
    EXPECT_EQ(expected, ImageOf(TDWNumeric()));
}
