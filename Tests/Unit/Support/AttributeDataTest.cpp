#include "Support/AttributeData.h"
#include "Support/InvalidOperationException.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Orvik::Support;

namespace {

using Attribute = std::unique_ptr<AttributeData>;

// One maker per type, each with a value whose widening would show a sign or zero-extension
// mistake.
struct Made
{
    const char* m_name;
    std::function<AttributeData*()> m_make;
};

const Made MADE[] = {
    { "int16 -1", [] { return AttributeData::MakeNewInt16AttributeData(-1); } },
    { "uint16 65535", [] { return AttributeData::MakeNewUInt16AttributeData(65535); } },
    { "int32 -1", [] { return AttributeData::MakeNewInt32AttributeData(-1); } },
    { "uint32 4294967295", [] { return AttributeData::MakeNewUInt32AttributeData(4294967295u); } },
    { "int64 -1", [] { return AttributeData::MakeNewIntNativeAttributeData(-1); } },
    { "uint64 max", [] { return AttributeData::MakeNewUIntNativeAttributeData(UINT64_MAX); } },
};

// The value each getter gives for each made attribute (in MADE's order), as int64 text; "x"
// where the getter must throw.
struct Getter
{
    const char* m_name;
    std::function<std::string(const AttributeData&)> m_get;
    const char* m_expected[6];
};

const Getter GETTERS[] = {
    { "GetInt16Value", [](const AttributeData& a) { return std::to_string(a.GetInt16Value()); },
      { "-1", "x", "x", "x", "x", "x" } },
    { "GetUInt16Value", [](const AttributeData& a) { return std::to_string(a.GetUInt16Value()); },
      { "x", "65535", "x", "x", "x", "x" } },
    { "GetInt32Value", [](const AttributeData& a) { return std::to_string(a.GetInt32Value()); },
      { "-1", "65535", "-1", "x", "x", "x" } },
    { "GetUInt32Value", [](const AttributeData& a) { return std::to_string(a.GetUInt32Value()); },
      { "x", "65535", "x", "4294967295", "x", "x" } },
    { "GetIntNativeValue", [](const AttributeData& a) { return std::to_string(a.GetIntNativeValue()); },
      { "x", "x", "-1", "x", "-1", "x" } },
    { "GetUIntNativeValue", [](const AttributeData& a) { return std::to_string(a.GetUIntNativeValue()); },
      { "x", "x", "x", "4294967295", "x", "18446744073709551615" } },
};

} // namespace

TEST(AttributeData, GettersWidenOnlyWhereTheTableAllows)
{
    for (const Getter& getter : GETTERS)
    {
        for (size_t i = 0; i < std::size(MADE); ++i)
        {
            SCOPED_TRACE(std::string(getter.m_name) + " of " + MADE[i].m_name);
            Attribute attribute(MADE[i].m_make());
            const std::string expected = getter.m_expected[i];
            if (expected == "x")
            {
                try
                {
                    getter.m_get(*attribute);
                    ADD_FAILURE() << "no exception";
                }
                catch (const InvalidOperationException& e)
                {
                    const std::string text = e.ToString().GetAsUTF8();
                    EXPECT_NE(std::string::npos, text.find("\"InvalidOperation\"")) << text;
                    EXPECT_NE(std::string::npos,
                              text.find(std::string("[\"") + getter.m_name + "\", \"AttributeData.cpp\", \""))
                        << text;
                }
            }
            else
            {
                EXPECT_EQ(expected, getter.m_get(*attribute));
            }
        }
    }
}

TEST(AttributeData, PointerAndStringGettersAcceptOnlyTheirOwnType)
{
    int target = 0;
    Attribute pointer(AttributeData::MakeNewPointerAttributeData(&target));
    Attribute text(AttributeData::MakeNewWStringAttributeData(orvik_wstring("abc")));
    EXPECT_EQ(&target, pointer->GetPointerValue());
    EXPECT_EQ("abc", text->GetWStringValue()->GetAsUTF8());
    EXPECT_THROW(pointer->GetWStringValue(), InvalidOperationException);
    EXPECT_THROW(text->GetPointerValue(), InvalidOperationException);
    EXPECT_THROW(text->GetUInt32Value(), InvalidOperationException);
}

TEST(AttributeData, StringMakersCopyTakeOverOrAdopt)
{
    orvik_wstring original("first");
    Attribute copied(AttributeData::MakeNewWStringAttributeData(original));
    copied->GetWStringValue()->ToUpper();
    EXPECT_EQ("first", original.GetAsUTF8());

    Attribute taken(AttributeData::MakeNewWStringAttributeData(std::move(original)));
    EXPECT_TRUE(original.IsNull());
    EXPECT_EQ("first", taken->GetWStringValue()->GetAsUTF8());

    orvik_wstring* adopted = new orvik_wstring("mine");
    Attribute owner(AttributeData::MakeNewWStringAttributeData(adopted));
    EXPECT_EQ(adopted, owner->GetWStringValue());
}

TEST(AttributeData, CloneCopiesStringsAndSharesPointers)
{
    Attribute text(AttributeData::MakeNewWStringAttributeData(orvik_wstring("abc")));
    Attribute textClone(text->Clone());
    textClone->GetWStringValue()->ToUpper();
    EXPECT_EQ("abc", text->GetWStringValue()->GetAsUTF8());
    EXPECT_EQ("ABC", textClone->GetWStringValue()->GetAsUTF8());

    int target = 0;
    Attribute pointer(AttributeData::MakeNewPointerAttributeData(&target));
    Attribute pointerClone(pointer->Clone());
    EXPECT_EQ(&target, pointerClone->GetPointerValue());

    Attribute number(AttributeData::MakeNewInt16AttributeData(-7));
    Attribute numberClone(number->Clone());
    EXPECT_EQ(ATTR_INT16, numberClone->GetAttributeType());
    EXPECT_EQ(-7, numberClone->GetInt16Value());
}
