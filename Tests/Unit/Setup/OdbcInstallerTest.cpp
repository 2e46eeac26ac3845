// The installer functions of unixODBC's own library, over private profile files.

#include "Pelta/Setup/OdbcInstaller.h"

#include "SetupTestSupport.h"

#include <gtest/gtest.h>

#include <odbcinst.h>

using Orvik::Support::orvik_wstring;
using Orvik::Testing::ReadTextFile;
using Orvik::Testing::ScopedEnvironment;
using Orvik::Testing::TemporaryDirectory;
using Orvik::Testing::WriteTextFile;
using Pelta::OdbcInstaller;
using Pelta::Test::Utf8;

namespace {

class OdbcInstallerTest : public ::testing::Test
{
protected:
    OdbcInstallerTest() { WriteTextFile(m_directory / "odbc.ini", ""); }

    /// The entry names of in_dsn joined by ",".
    std::string Names(const char16_t* in_dsn)
    {
        std::string text;
        for (const orvik_wstring& name : m_installer.GetEntryNames(in_dsn))
        {
            text += (text.empty() ? "" : ",") + Utf8(name);
        }
        return text;
    }

    TemporaryDirectory m_directory;
    ScopedEnvironment m_system{ "ODBCSYSINI", m_directory.Path() };
    ScopedEnvironment m_user{ "ODBCINI", m_directory / "user.ini" };
    OdbcInstaller m_installer;
};

TEST_F(OdbcInstallerTest, ReadsASectionsNamesInOrderAndItsValues)
{
    std::string many = "[Many]\n";
    std::string expected;
    for (int i = 0; i < 400; ++i)
    {
        const std::string name = "Setting" + std::to_string(i);
        many += name + " = " + std::to_string(i) + "\n";
        expected += (i ? "," : "") + name;
    }
    WriteTextFile(m_directory / "user.ini",
                  "[Sales]\nDriver = Pelta\nServers = h:1,h:2\nDescription = Caf\xC3\xA9\nEmpty =\n\n" + many);
    EXPECT_EQ("Driver,Servers,Description,Empty", Names(u"Sales"));
    EXPECT_EQ("Driver,Servers,Description,Empty", Names(u"sales"));
    EXPECT_EQ("h:1,h:2", Utf8(m_installer.GetEntry(u"Sales", u"SERVERS")));
    EXPECT_EQ("Caf\xC3\xA9", Utf8(m_installer.GetEntry(u"Sales", u"Description")));
    EXPECT_EQ("", Utf8(m_installer.GetEntry(u"Sales", u"Empty")));
    EXPECT_EQ("", Utf8(m_installer.GetEntry(u"Sales", u"Missing")));
    EXPECT_EQ("", Names(u"Nowhere"));
    // More than the first buffer holds.
    EXPECT_EQ(expected, Names(u"Many"));
    EXPECT_EQ("399", Utf8(m_installer.GetEntry(u"Many", u"Setting399")));
}

TEST_F(OdbcInstallerTest, WritingRenewsTheSectionAndRemovingDropsIt)
{
    WriteTextFile(m_directory / "user.ini", "[Sales]\nDriver = Old\nOld = 1\n\n[Other]\nDriver = Pelta\n");
    ASSERT_TRUE(m_installer.WriteDSNToIni(u"Sales", u"Pelta"));
    EXPECT_EQ("Driver", Names(u"Sales"));
    EXPECT_EQ("Pelta", Utf8(m_installer.GetEntry(u"Sales", u"Driver")));
    ASSERT_TRUE(m_installer.WriteEntry(u"Sales", u"Servers", u"h:1"));
    ASSERT_TRUE(m_installer.WriteEntry(u"Sales", u"Description", u""));
    EXPECT_EQ("Driver,Servers,Description", Names(u"Sales"));
    EXPECT_EQ("Driver", Names(u"Other"));
    EXPECT_FALSE(m_installer.WriteDSNToIni(u"x[y", u"Pelta"));

    EXPECT_TRUE(m_installer.RemoveDSNFromIni(u"Sales"));
    EXPECT_EQ("", Names(u"Sales"));
    EXPECT_EQ(std::string::npos, ReadTextFile(m_directory / "user.ini").find("Sales"));
    EXPECT_TRUE(m_installer.RemoveDSNFromIni(u"Sales"));
}

TEST_F(OdbcInstallerTest, NamesAreJudgedByTheInstallersRules)
{
    const struct
    {
        const char16_t* m_name;
        bool m_valid;
    } cases[] = {
        { u"Sales", true },
        { u"Caf\u00e9", true },
        { u"", false },
        { u"x[y", false },
        { u"a=b", false },
        { u"a\\b", false },
        { u"12345678901234567890123456789012", true },
        { u"123456789012345678901234567890123", false },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.m_valid, m_installer.ValidDSN(c.m_name)) << Utf8(c.m_name);
    }
}

TEST_F(OdbcInstallerTest, PostedErrorsReachTheInstallersCaller)
{
    m_installer.PostInstallerError(5, u"Invalid type of request.");
    DWORD code = 0;
    char message[256] = {};
    WORD length = 0;
    ASSERT_EQ(SQL_SUCCESS, SQLInstallerError(1, &code, message, sizeof message, &length));
    EXPECT_EQ(5u, code);
    EXPECT_EQ("Invalid type of request.", std::string(message));
}

} // namespace
