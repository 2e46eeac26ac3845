#include "Platform/OsOdbcProfile.h"

#include "Common/PrivateOdbcProfile.h"

#include <gtest/gtest.h>

#include <string>

using Orvik::OS::OdbcProfileEntry;
using Orvik::OS::ReadOdbcProfileSection;
using Orvik::Testing::PrivateOdbcProfile;

namespace {

std::string Describe(const std::vector<OdbcProfileEntry>& in_entries)
{
    std::string text;
    for (const OdbcProfileEntry& entry : in_entries)
    {
        text += entry.m_key + "=" + entry.m_value + ";";
    }
    return text;
}

} // namespace

TEST(OsOdbcProfileTest, ReadsWholeValuesInUtf8AndNothingForAnUnknownSection)
{
    const std::string name = PrivateOdbcProfile::UniqueName("Values");
    PrivateOdbcProfile profile("[" + name + "]\nDriver = Pelta\nServers = h:1,other.example:8080\n"
                               "Description = caf\xC3\xA9 au lait\nEmpty =\n");

    EXPECT_EQ("Driver=Pelta;Servers=h:1,other.example:8080;Description=caf\xC3\xA9 au lait;Empty=;",
              Describe(ReadOdbcProfileSection(name, "odbc.ini")));
    EXPECT_TRUE(ReadOdbcProfileSection(PrivateOdbcProfile::UniqueName("Missing"), "odbc.ini").empty());
}

TEST(OsOdbcProfileTest, KeyListLongerThanTheFirstBufferIsReadWhole)
{
    // 600 keys of 11 to 13 bytes each make a key list of about 7,700 bytes.
    const std::string name = PrivateOdbcProfile::UniqueName("ManyKeys");
    std::string text = "[" + name + "]\n";
    std::string expected;
    for (int i = 0; i < 600; ++i)
    {
        const std::string key = "LongKeyName" + std::to_string(i);
        const std::string value = "value-" + std::to_string(i * 7);
        text += key + " = " + value + "\n";
        expected += key + "=" + value + ";";
    }
    PrivateOdbcProfile profile(text);

    EXPECT_EQ(expected, Describe(ReadOdbcProfileSection(name, "odbc.ini")));
}

TEST(OsOdbcProfileTest, KeyListBeyondTheLastBufferKeepsTheKeysThatFit)
{
    // About 24,000 bytes of key names: the list stops at a whole key within 16,384 bytes.
    const std::string name = PrivateOdbcProfile::UniqueName("HugeKeyList");
    std::string text = "[" + name + "]\n";
    for (int i = 0; i < 1000; ++i)
    {
        text += "AVeryLongKeyName" + std::to_string(10000 + i) + " = v\n";
    }
    PrivateOdbcProfile profile(text);

    const std::vector<OdbcProfileEntry> entries = ReadOdbcProfileSection(name, "odbc.ini");
    ASSERT_GT(entries.size(), 600u);
    ASSERT_LT(entries.size(), 1000u);
    for (size_t i = 0; i < entries.size(); ++i)
    {
        EXPECT_EQ("AVeryLongKeyName" + std::to_string(10000 + i), entries[i].m_key);
        EXPECT_EQ("v", entries[i].m_value);
    }
}
