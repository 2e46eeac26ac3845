#include "Platform/RegistryKey.h"

#include "Common/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

using Orvik::OS::RegistryDocument;
using Orvik::OS::RegistryKey;
using Orvik::OS::RegistryRoot;
using Orvik::OS::RegistryValue;
using Orvik::Testing::ReadTextFile;
using Orvik::Testing::ScopedEnvironment;
using Orvik::Testing::TemporaryDirectory;
using Orvik::Testing::WriteTextFile;

namespace {

const char* const KEY = "SOFTWARE\\Pelta\\Driver";

// A file in the export format with the kinds of lines this layer must read or step over.
const char* const SAMPLE =
    "\xEF\xBB\xBF" "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; a comment\r\n"
    "[SOFTWARE\\Pelta\\Other]\r\n"
    "\"LogLevel\"=\"1\"\r\n"
    "\r\n"
    "[software\\pelta\\DRIVER]\r\n"
    "\"LogPath\"=\"C:\\\\logs \\\"x\\\"\"\r\n"
    "\"LogLevel\"=dword:0000000a\r\n"
    "\"Big\"=qword:ffffffffffffffff\r\n"
    "\"Expand\"=hex(2):25,00,54,00,\\\r\n"
    "  45,00,\\\r\n"
    "  00,00\r\n"
    "\"Binary\"=hex:01,02\r\n"
    "\"Gone\"=-\r\n"
    "@=\"default\"\r\n"
    "\"BadNumber\"=dword:123456789\r\n"
    "\"Empty\"=\"\"\r\n"
    "  \"Spaced\" = \"v\"  \r\n";

struct ExpectedValue
{
    const char* m_name;
    RegistryValue::Type m_type;
    const char* m_text;
    uint64_t m_number;
};

void ExpectValues(const std::vector<RegistryValue>& in_values, std::initializer_list<ExpectedValue> in_expected)
{
    ASSERT_EQ(in_expected.size(), in_values.size());
    size_t i = 0;
    for (const ExpectedValue& expected : in_expected)
    {
        const RegistryValue& value = in_values[i++];
        EXPECT_EQ(expected.m_name, value.m_name);
        EXPECT_EQ(expected.m_type, value.m_type) << value.m_name;
        if (expected.m_type == RegistryValue::Type::Text)
        {
            EXPECT_EQ(expected.m_text, value.m_text) << value.m_name;
        }
        else
        {
            EXPECT_EQ(expected.m_number, value.m_number) << value.m_name;
        }
    }
}

class RegistryFiles : public ::testing::Test
{
protected:
    TemporaryDirectory m_directory;
    std::string m_userFile = m_directory / "user/pelta/registry.reg";
    std::string m_machineFile = m_directory / "machine.reg";
    ScopedEnvironment m_user{ "PELTA_REGISTRY_HKCU", m_userFile };
    ScopedEnvironment m_machine{ "PELTA_REGISTRY_HKLM", m_machineFile };

    std::vector<RegistryValue> Read(RegistryRoot in_root)
    {
        RegistryKey key;
        std::vector<RegistryValue> values;
        EXPECT_TRUE(key.Open(in_root, KEY));
        EXPECT_TRUE(key.QueryValues(values));
        return values;
    }
};

} // namespace

TEST(RegistryDocument, ReadsTextDwordAndQwordAndStepsOverEverythingElse)
{
    RegistryDocument document(SAMPLE);
    EXPECT_TRUE(document.HasKey("SOFTWARE\\PELTA\\driver"));
    EXPECT_FALSE(document.HasKey("SOFTWARE\\Pelta"));
    ExpectValues(document.GetValues(KEY),
                 { { "LogPath", RegistryValue::Type::Text, "C:\\logs \"x\"", 0 },
                   { "LogLevel", RegistryValue::Type::DWord, "", 10 },
                   { "Big", RegistryValue::Type::QWord, "", UINT64_MAX },
                   { "Empty", RegistryValue::Type::Text, "", 0 },
                   { "Spaced", RegistryValue::Type::Text, "v", 0 } });
}

TEST(RegistryDocument, SetTextReplacesTheValueOfTheSameNameInAnyCaseAndKeepsItsSpelling)
{
    RegistryDocument document(SAMPLE);
    ASSERT_TRUE(document.SetText("Software\\Pelta\\Driver", "LOGLEVEL", "4"));
    ASSERT_TRUE(document.SetText(KEY, "New", "a\\b\"c"));
    RegistryDocument reread(document.ToText());
    ExpectValues(reread.GetValues(KEY),
                 { { "LogPath", RegistryValue::Type::Text, "C:\\logs \"x\"", 0 },
                   { "LogLevel", RegistryValue::Type::Text, "4", 0 },
                   { "Big", RegistryValue::Type::QWord, "", UINT64_MAX },
                   { "Empty", RegistryValue::Type::Text, "", 0 },
                   { "Spaced", RegistryValue::Type::Text, "v", 0 },
                   { "New", RegistryValue::Type::Text, "a\\b\"c", 0 } });
    // The lines this layer does not read are written back untouched.
    const std::string text = document.ToText();
    EXPECT_NE(std::string::npos, text.find("\"Expand\"=hex(2):25,00,54,00,\\\r\n  45,00,\\\r\n  00,00\r\n"));
    EXPECT_NE(std::string::npos, text.find("; a comment"));

    // Replacing a value spread over continuation lines replaces all of its lines.
    ASSERT_TRUE(document.SetText(KEY, "expand", "t"));
    EXPECT_EQ(std::string::npos, document.ToText().find("45,00"));
    EXPECT_EQ(std::string::npos, document.ToText().find("00,00"));
    ExpectValues(reread.GetValues("SOFTWARE\\Pelta\\Other"), { { "LogLevel", RegistryValue::Type::Text, "1", 0 } });
}

// A new value goes after the last complete line of its key, never into a value that a backslash
// continues on the next line, where the next read would join it to that value.
TEST(RegistryDocument, SetTextAddsANewValueWhereTheNextReadFindsIt)
{
    struct Case
    {
        const char* m_document;
        const char* m_key;
    };
    const Case cases[] = {
        { "[]\n\"\\\n", "" },
        { "[K]\n\"Bin\"=hex:01,02,\\\n", "K" },
        { "[K]\n\"Bin\"=hex:01,02,\\\n  03,\\\n", "K" },
        { "[K]\n\"A\"=\"1\"\n\"Bin\"=hex:01,\\\n  02\n\n[L]\n\"Bin\"=hex:01,\\", "K" },
        { "[L]\n\"Bin\"=hex:01,\\\n", "K" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_document);
        RegistryDocument document(c.m_document);
        const std::vector<RegistryValue> before = document.GetValues(c.m_key);
        ASSERT_TRUE(document.SetText(c.m_key, "New", "v"));
        RegistryDocument reread(document.ToText());
        std::vector<RegistryValue> after = reread.GetValues(c.m_key);
        ASSERT_EQ(before.size() + 1, after.size());
        EXPECT_EQ("New", after.back().m_name);
        EXPECT_EQ("v", after.back().m_text);
        EXPECT_EQ(RegistryDocument(c.m_document).GetValues("L").size(), reread.GetValues("L").size());
        // Every line of the file is kept, the unread values of other types included.
        std::istringstream lines(c.m_document);
        for (std::string line; std::getline(lines, line);)
        {
            EXPECT_NE(std::string::npos, document.ToText().find(line + "\n")) << line;
        }
    }
    // The value written after a continued line is found by the next write too, which replaces it.
    RegistryDocument document("[]\n\"\\\n");
    ASSERT_TRUE(document.SetText("", "", ""));
    ASSERT_TRUE(document.SetText("", "", "x"));
    ExpectValues(RegistryDocument(document.ToText()).GetValues(""), { { "", RegistryValue::Type::Text, "x", 0 } });
}

TEST(RegistryDocument, SetTextRefusesLineBreaks)
{
    RegistryDocument document("");
    EXPECT_FALSE(document.SetText(KEY, "Name", "two\nlines"));
    EXPECT_FALSE(document.SetText(KEY, "Na\rme", "x"));
    EXPECT_EQ("", document.ToText());
}

TEST_F(RegistryFiles, EachRootReadsItsOwnFile)
{
    WriteTextFile(m_machineFile, "[SOFTWARE\\Pelta\\Driver]\n\"LogLevel\"=\"3\"\n");
    RegistryKey key;
    EXPECT_FALSE(key.Open(RegistryRoot::CurrentUser, KEY)) << "no user file";
    ExpectValues(Read(RegistryRoot::LocalMachine), { { "LogLevel", RegistryValue::Type::Text, "3", 0 } });
    EXPECT_FALSE(key.Open(RegistryRoot::LocalMachine, "SOFTWARE\\Pelta\\Server")) << "no such section";
}

TEST_F(RegistryFiles, AFileThatCannotBeReadOpensAndFailsTheQuery)
{
    // Things that exist but are no registry file, even for root; a FIFO without a writer must
    // not block the reader.
    struct Case { const char* m_kind; std::function<void(const std::string&)> m_make; int m_errno; };
    const Case cases[] = {
        { "directory", [](const std::string& in_path) { std::filesystem::create_directories(in_path); }, EISDIR },
        { "fifo", [](const std::string& in_path) { ASSERT_EQ(0, mkfifo(in_path.c_str(), 0600)); }, EINVAL },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_kind);
        std::filesystem::remove_all(m_machineFile);
        c.m_make(m_machineFile);
        RegistryKey key;
        ASSERT_TRUE(key.Open(RegistryRoot::LocalMachine, KEY));
        std::vector<RegistryValue> values;
        errno = 0;
        EXPECT_FALSE(key.QueryValues(values));
        EXPECT_EQ(c.m_errno, errno);
    }
}

TEST_F(RegistryFiles, AWriteCreatesTheFileAndReplacesItWholeAfterwards)
{
    ASSERT_EQ(0, RegistryKey::SetTextValue(RegistryRoot::CurrentUser, KEY, "LogLevel", "4"));
    ExpectValues(Read(RegistryRoot::CurrentUser), { { "LogLevel", RegistryValue::Type::Text, "4", 0 } });

    struct stat before;
    ASSERT_EQ(0, stat(m_userFile.c_str(), &before));
    EXPECT_EQ(0644u, before.st_mode & 0777u);
    ASSERT_EQ(0, RegistryKey::SetTextValue(RegistryRoot::CurrentUser, KEY, "loglevel", "6"));
    struct stat after;
    ASSERT_EQ(0, stat(m_userFile.c_str(), &after));
    EXPECT_NE(before.st_ino, after.st_ino) << "a new file renamed over the old one";
    ExpectValues(Read(RegistryRoot::CurrentUser), { { "LogLevel", RegistryValue::Type::Text, "6", 0 } });

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_directory / "user/pelta"))
    {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{ "registry.reg", "registry.reg.lock" }), names)
        << "no temporary file is left behind";
}

TEST_F(RegistryFiles, AFailedWriteLeavesTheFileAsItWas)
{
    WriteTextFile(m_machineFile, "[SOFTWARE\\Pelta\\Driver]\n\"LogLevel\"=\"3\"\n");
    EXPECT_EQ(EINVAL, RegistryKey::SetTextValue(RegistryRoot::LocalMachine, KEY, "LogPath", "a\nb"));
    EXPECT_EQ("[SOFTWARE\\Pelta\\Driver]\n\"LogLevel\"=\"3\"\n", ReadTextFile(m_machineFile));

    // A parent that is a regular file cannot become a directory, even for root.
    ScopedEnvironment blocked("PELTA_REGISTRY_HKLM", m_machineFile + "/registry.reg");
    EXPECT_EQ(ENOTDIR, RegistryKey::SetTextValue(RegistryRoot::LocalMachine, KEY, "LogPath", "x"));
}

TEST_F(RegistryFiles, ConcurrentWritersLoseNoValue)
{
    std::vector<std::thread> writers;
    for (int i = 0; i < 8; ++i)
    {
        writers.emplace_back([i] {
            for (int j = 0; j < 5; ++j)
            {
                std::string name = "V" + std::to_string(i) + "_" + std::to_string(j);
                EXPECT_EQ(0, RegistryKey::SetTextValue(RegistryRoot::CurrentUser, KEY, name, name));
            }
        });
    }
    for (std::thread& writer : writers)
    {
        writer.join();
    }
    EXPECT_EQ(40u, Read(RegistryRoot::CurrentUser).size());
}

TEST(RegistryKeyPath, DefaultsFollowTheConfigurationDirectories)
{
    ScopedEnvironment user("PELTA_REGISTRY_HKCU", std::nullopt);
    ScopedEnvironment machine("PELTA_REGISTRY_HKLM", std::nullopt);
    ScopedEnvironment home("HOME", std::string("/home/someone"));
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", std::string("/xdg"));
        EXPECT_EQ("/xdg/pelta/registry.reg", RegistryKey::GetFilePath(RegistryRoot::CurrentUser));
    }
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", std::string("relative"));
        EXPECT_EQ("/home/someone/.config/pelta/registry.reg", RegistryKey::GetFilePath(RegistryRoot::CurrentUser));
    }
    EXPECT_EQ("/etc/pelta/registry.reg", RegistryKey::GetFilePath(RegistryRoot::LocalMachine));
}
