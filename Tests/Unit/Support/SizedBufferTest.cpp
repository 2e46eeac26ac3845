#include "Support/SizedBuffer.h"

#include <gtest/gtest.h>

using Orvik::Support::SizedBuffer;

TEST(SizedBuffer, ResizeKeepsTheArrayWhenTheSizeIsUnchanged)
{
    SizedBuffer buffer;
    EXPECT_EQ(nullptr, buffer.GetBuffer());
    buffer.Resize(16);
    uint8_t* first = buffer.GetBuffer();
    ASSERT_NE(nullptr, first);
    buffer.Resize(16);
    EXPECT_EQ(first, buffer.GetBuffer());
    buffer.Resize(32);
    EXPECT_EQ(32u, buffer.GetSize());
}

TEST(SizedBuffer, ZeroSizeStillAllocatesOnce)
{
    SizedBuffer buffer;
    buffer.Resize(0);
    EXPECT_NE(nullptr, buffer.GetBuffer());
    EXPECT_EQ(0u, buffer.GetSize());
}

TEST(SizedBuffer, MoveLeavesTheSourceEmpty)
{
    SizedBuffer source;
    source.Resize(8);
    uint8_t* bytes = source.GetBuffer();
    SizedBuffer target;
    target.Resize(4);
    target = std::move(source);
    EXPECT_EQ(bytes, target.GetBuffer());
    EXPECT_EQ(8u, target.GetSize());
    EXPECT_EQ(nullptr, source.GetBuffer());
    EXPECT_EQ(0u, source.GetSize());
}
