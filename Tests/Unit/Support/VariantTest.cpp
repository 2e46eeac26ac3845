#include "Support/ConnectionSetting.h"
#include "Support/NumberConversionException.h"
#include "Support/VariantMap.h"

#include <gtest/gtest.h>

using namespace Orvik::Support;

TEST(Variant, GetBoolOfText)
{
    struct Case { const char16_t* m_text; bool m_expected; };
    const Case cases[] = {
        { u"", false }, { u"0", false }, { u"n", false }, { u"N", false }, { u"f", false },
        { u"F", false }, { u"No", false }, { u"FALSE", false }, { u"fAlSe", false },
        { u"00", true }, { u"yes", true }, { u"1", true }, { u"x", true }, { u"T", true },
        { u" 0", true }, { u"nope", true },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.m_expected, Variant(c.m_text).GetBool()) << orvik_wstring(c.m_text).GetAsUTF8();
    }
    EXPECT_FALSE(Variant("no").GetBool()) << "8-bit text follows the same rules";
    EXPECT_TRUE(Variant("on").GetBool());
    EXPECT_FALSE(Variant().GetBool());
    EXPECT_FALSE(Variant(static_cast<const char16_t*>(nullptr)).GetBool());
}

TEST(Variant, NumbersAreKeptAsDecimalTextAndFalseOnlyForZero)
{
    EXPECT_FALSE(Variant(static_cast<uint16_t>(0)).GetBool());
    EXPECT_TRUE(Variant(static_cast<uint16_t>(10)).GetBool());
    EXPECT_TRUE(Variant(static_cast<int16_t>(-1)).GetBool());
    EXPECT_EQ("-32768", Variant(static_cast<int16_t>(-32768)).GetString());
    EXPECT_EQ("4294967295", Variant(static_cast<uint32_t>(4294967295u)).GetString());
    EXPECT_EQ("18446744073709551615", Variant(static_cast<uint64_t>(UINT64_MAX)).GetString());
    EXPECT_EQ(VARIANT_UINT64, Variant(static_cast<uint64_t>(1)).GetType());
}

TEST(Variant, NumbersReadBackStrictly)
{
    EXPECT_EQ(-5, Variant(u"-5").GetInt16());
    EXPECT_EQ(65535, Variant(static_cast<uint16_t>(65535)).GetUInt16());
    EXPECT_THROW(Variant(u" 5").GetInt16(), NumberConversionException);
    EXPECT_THROW(Variant(u"-1").GetUInt16(), NumberConversionException);
    EXPECT_THROW(Variant(u"32768").GetInt16(), NumberConversionException);
}

TEST(Variant, MoveLeavesTheSourceTextNullAndAssigningTextMakesItWide)
{
    Variant source("abc");
    EXPECT_EQ(VARIANT_STRING, source.GetType());
    Variant target(std::move(source));
    EXPECT_TRUE(source.GetWString().IsNull());
    EXPECT_EQ("abc", target.GetString());

    target = orvik_wstring(u"xyz");
    EXPECT_EQ(VARIANT_WSTRING, target.GetType());
    EXPECT_EQ("xyz", target.GetString());
}

TEST(VariantMap, NamesDifferingInCaseAreOneKeyAndAMissInsertsNull)
{
    VariantMap map;
    map[orvik_wstring(u"DriverLocale")] = Variant(u"de-DE");
    map[orvik_wstring(u"STRASSE")] = Variant(u"1");
    EXPECT_EQ("de-DE", map[orvik_wstring(u"DRIVERLOCALE")].GetString());
    EXPECT_EQ("1", map[orvik_wstring(u"straße")].GetString()) << "full case folding";
    EXPECT_EQ(2u, map.size());
    EXPECT_EQ("DriverLocale", map.begin()->first.GetAsUTF8()) << "the stored spelling stays";

    EXPECT_TRUE(map[orvik_wstring(u"absent")].IsNull());
    EXPECT_EQ(3u, map.size());
}

TEST(ConnectionSetting, AddValueKeepsTheFirstValueOfASingleValueSetting)
{
    ConnectionSetting single(ConnectionSettingKind::SingleValue);
    single.AddValue(Variant());
    single.AddValue(Variant(u"a"));
    single.AddValue(Variant(u"b"));
    ASSERT_EQ(1u, single.GetValues().size());
    EXPECT_EQ("a", single.GetValues()[0].GetString());

    ConnectionSetting required;
    EXPECT_TRUE(required.IsRequired());
    required.AddValue(Variant(u"a"));
    required.AddValue(Variant());
    required.AddValue(Variant(u"b"));
    EXPECT_EQ(2u, required.GetValues().size());

    required.SetName(orvik_wstring(u"Servers"));
    ConnectionSetting copy = required;
    orvik_wstring name;
    copy.GetName(name);
    EXPECT_EQ("Servers", name.GetAsUTF8());
    EXPECT_EQ(2u, copy.GetValues().size());
}
