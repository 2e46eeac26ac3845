#include "Support/FileHandler.h"
#include "Support/FileUtils.h"
#include "Support/InvalidArgumentException.h"
#include "Support/ProductException.h"

#include "CommaLocale.h"
#include "Common/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <filesystem>
#include <thread>

using namespace Orvik::Support;
using Orvik::Testing::ReadTextFile;
using Orvik::Testing::TemporaryDirectory;
using Orvik::Testing::WriteTextFile;

namespace {

void WriteLine(FileHandler& io_handler, const char* in_format, ...)
{
    va_list arguments;
    va_start(arguments, in_format);
    io_handler.Write(in_format, arguments);
    va_end(arguments);
}

void WriteFormatted(BinaryFile& io_file, const char* in_format, ...)
{
    va_list arguments;
    va_start(arguments, in_format);
    io_file.WriteFormatted(in_format, arguments);
    va_end(arguments);
}

class LogDirectory : public ::testing::Test
{
protected:
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_directory.Path()))
        {
            names.push_back(entry.path().filename());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Read(const std::string& in_name) const { return ReadTextFile(m_directory / in_name); }

    TemporaryDirectory m_directory;
    std::string m_path = m_directory / "Pelta_driver.log";
};

std::string Key(const ErrorException& in_exception)
{
    return in_exception.GetMessageKey().GetAsUTF8();
}

} // namespace

TEST(FileUtils, SplitPathAndExtension)
{
    struct Case { const char* m_path; const char* m_directory; const char* m_stem; const char* m_extension; };
    const Case cases[] = {
        { "./Pelta_driver.log", "./", "Pelta_driver", ".log" },
        { "/var/log/a.log", "/var/log/", "a.log", "" },
        { "ab.log", "", "ab", ".log" },
        { "dir\\.hidden", "dir\\", ".hidden", "" },
        { "/x.y/noext", "/x.y/", "noext", "" },
        { "logs/a.b.c", "logs/", "a.b", ".c" },
    };
    for (const Case& c : cases)
    {
        std::string directory, name, stem, extension;
        FileUtils::SplitPath(c.m_path, directory, name);
        FileUtils::SplitExtension(name, stem, extension);
        EXPECT_EQ(c.m_directory, directory) << c.m_path;
        EXPECT_EQ(c.m_stem, stem) << c.m_path;
        EXPECT_EQ(c.m_extension, extension) << c.m_path;
    }
}

TEST_F(LogDirectory, LinesOfAnyLengthAreWrittenWholeAndEndInCrLf)
{
    FileHandler handler(m_path, 0, 1);
    const std::string line256(256, 'a');
    const std::string line257(257, 'b');
    const std::string line5000(5000, 'c');
    WriteLine(handler, "%s", line256.c_str());
    WriteLine(handler, "%s", line257.c_str());
    WriteLine(handler, "%s", line5000.c_str());
    WriteLine(handler, "%d-%s", 42, "x");
    EXPECT_EQ(line256 + "\r\n" + line257 + "\r\n" + line5000 + "\r\n42-x\r\n", Read("Pelta_driver.log"));
}

TEST_F(LogDirectory, NumbersAreWrittenAsTheCLocaleWritesThem)
{
    FileHandler handler(m_path, 0, 1);
    {
        Orvik::Testing::CommaLocale comma;
        ASSERT_EQ("", comma.GetProblem());
        WriteLine(handler, "%.2f %s", 1.5, std::string(300, 'x').c_str());
    }
    EXPECT_EQ("1.50 " + std::string(300, 'x') + "\r\n", Read("Pelta_driver.log"));
}

TEST_F(LogDirectory, RenameNeverReplacesAnExistingFile)
{
    WriteTextFile(m_directory / "old", "old");
    WriteTextFile(m_directory / "taken", "taken");
    EXPECT_EQ(-1, FileUtils::RenameFile(m_directory / "old", m_directory / "taken"));
    EXPECT_EQ("taken", Read("taken"));
    EXPECT_EQ(0, FileUtils::RenameFile(m_directory / "old", m_directory / "new"));
    EXPECT_EQ((std::vector<std::string>{ "new", "taken" }), Files());
    EXPECT_EQ(0, FileUtils::DeleteFile(m_directory / "new"));
    EXPECT_EQ(-1, FileUtils::DeleteFile(m_directory / "new"));
}

TEST_F(LogDirectory, ExistingContentIsAppendedTo)
{
    WriteTextFile(m_path, "old\r\n");
    FileHandler handler(m_path, 0, 3);
    EXPECT_TRUE(handler.IsOpen());
    WriteLine(handler, "new");
    EXPECT_EQ("old\r\nnew\r\n", Read("Pelta_driver.log"));
}

TEST_F(LogDirectory, CountThreeKeepsTheFileAndTwoNumberedCopies)
{
    FileHandler handler(m_path, 10, 3);
    for (int i = 1; i <= 5; ++i)
    {
        WriteLine(handler, "line %d ---", i); // 12 bytes with CR LF: every line rotates
    }
    WriteLine(handler, "x");
    EXPECT_EQ((std::vector<std::string>{ "Pelta_driver.1.log", "Pelta_driver.2.log", "Pelta_driver.log" }), Files());
    EXPECT_EQ("line 5 ---\r\n", Read("Pelta_driver.1.log"));
    EXPECT_EQ("line 4 ---\r\n", Read("Pelta_driver.2.log"));
    EXPECT_EQ("x\r\n", Read("Pelta_driver.log"));
}

TEST_F(LogDirectory, RotationSkipsMissingCopiesAndLeavesCopiesBeyondTheCount)
{
    WriteTextFile(m_directory / "Pelta_driver.2.log", "two");
    WriteTextFile(m_directory / "Pelta_driver.4.log", "four");
    WriteTextFile(m_directory / "Pelta_driver.9.log", "nine");
    WriteTextFile(m_directory / "Pelta_driver.02.log", "not a copy");
    FileHandler handler(m_path, 1, 5);
    WriteLine(handler, "now");
    EXPECT_EQ((std::vector<std::string>{ "Pelta_driver.02.log", "Pelta_driver.1.log", "Pelta_driver.3.log",
                                         "Pelta_driver.9.log", "Pelta_driver.log" }),
              Files());
    EXPECT_EQ("now\r\n", Read("Pelta_driver.1.log"));
    EXPECT_EQ("two", Read("Pelta_driver.3.log"));
    EXPECT_EQ("", Read("Pelta_driver.log"));
}

TEST_F(LogDirectory, CountOneRestartsTheFile)
{
    FileHandler handler(m_path, 8, 1);
    WriteLine(handler, "first line");
    EXPECT_EQ((std::vector<std::string>{ "Pelta_driver.log" }), Files());
    EXPECT_EQ("", Read("Pelta_driver.log"));
    WriteLine(handler, "ab");
    EXPECT_EQ("ab\r\n", Read("Pelta_driver.log"));
}

TEST_F(LogDirectory, SizeZeroNeverRotates)
{
    FileHandler handler(m_path, 0, 2);
    for (int i = 0; i < 100; ++i)
    {
        WriteLine(handler, "%0100d", i);
    }
    EXPECT_EQ((std::vector<std::string>{ "Pelta_driver.log" }), Files());
    EXPECT_EQ(100u * 102u, Read("Pelta_driver.log").size());
}

TEST_F(LogDirectory, LinesOfConcurrentWritersNeverInterleaveAcrossRotations)
{
    const std::string line(40, '=');
    {
        FileHandler handler(m_path, 500, 1000);
        std::vector<std::thread> writers;
        for (int t = 0; t < 8; ++t)
        {
            writers.emplace_back([&handler, &line, t] {
                for (int i = 0; i < 100; ++i)
                {
                    WriteLine(handler, "%d %s", t, line.c_str());
                }
            });
        }
        for (std::thread& writer : writers)
        {
            writer.join();
        }
    }
    std::vector<int> lines(8, 0);
    for (const std::string& name : Files())
    {
        const std::string text = Read(name);
        for (size_t start = 0; start < text.size();)
        {
            const size_t end = text.find("\r\n", start);
            ASSERT_NE(std::string::npos, end) << name;
            const std::string found = text.substr(start, end - start);
            ASSERT_EQ(line, found.substr(2)) << name;
            ++lines.at(static_cast<size_t>(found[0] - '0'));
            start = end + 2;
        }
    }
    EXPECT_EQ(std::vector<int>(8, 100), lines);
}

TEST_F(LogDirectory, AHugeCountCostsNothingUpFront)
{
    FileHandler handler(m_directory / "a.log", 1, 4294967295u);
    WriteLine(handler, "1");
    WriteLine(handler, "2");
    EXPECT_EQ((std::vector<std::string>{ "a.log", "a.log.1", "a.log.2" }), Files());
    EXPECT_EQ("2\r\n", Read("a.log.1"));
}

TEST_F(LogDirectory, AnUnopenableDirectoryFailsEveryWriteWithThePath)
{
    const std::string path = m_directory / "missing/Pelta_driver.log";
    FileHandler handler(path, 0, 3);
    EXPECT_FALSE(handler.IsOpen());
    std::filesystem::create_directory(m_directory / "missing"); // too late: no second attempt
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        try
        {
            WriteLine(handler, "x");
            ADD_FAILURE() << "no exception";
        }
        catch (const ProductException& e)
        {
            EXPECT_EQ("CannotOpenFile", Key(e));
            EXPECT_NE(std::string::npos, e.ToString().GetAsUTF8().find("[\"" + path + "\"]"))
                << e.ToString().GetAsUTF8();
        }
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LogDirectory, ACountOfZeroIsAnInvalidArgument)
{
    try
    {
        FileHandler handler(m_path, 0, 0);
        ADD_FAILURE() << "no exception";
    }
    catch (const InvalidArgumentException& e)
    {
        EXPECT_NE(std::string::npos, e.ToString().GetAsUTF8().find("[\"FileHandler\", \"32\"]"));
    }
}

TEST_F(LogDirectory, BinaryFileModesAndErrors)
{
    struct Case { const char* m_name; FileOpenMode m_mode; const char* m_key; };
    const Case failures[] = {
        { "", OPEN_APPEND, "InvalidFileName" },
        { "", static_cast<FileOpenMode>(9), "InvalidFileName" },
        { "x", static_cast<FileOpenMode>(0), "UnrecognizedOpenMode" },
        { "x", static_cast<FileOpenMode>(7), "UnrecognizedOpenMode" },
        { "absent", OPEN_READ, "CannotOpenFile" },
        { "absent", OPEN_READ_WRITE, "CannotOpenFile" },
    };
    for (const Case& c : failures)
    {
        try
        {
            BinaryFile file(c.m_name[0] == '\0' ? std::string() : m_directory / c.m_name, c.m_mode);
            ADD_FAILURE() << c.m_name << " " << c.m_mode;
        }
        catch (const ProductException& e)
        {
            EXPECT_EQ(c.m_key, Key(e)) << c.m_name << " " << c.m_mode;
        }
    }
    try
    {
        BinaryFile file(m_directory / "absent", OPEN_READ);
    }
    catch (const ProductException& e)
    {
        EXPECT_NE(std::string::npos, e.ToString().GetAsUTF8().find("No such file or directory"))
            << "the system's text is the second parameter";
    }

    const std::string name = m_directory / "data";
    {
        BinaryFile file(name, OPEN_READ_WRITE_TRUNCATE);
        WriteFormatted(file, "%s", "hello");
        EXPECT_EQ(5, file.GetPosition());
        EXPECT_EQ(1, file.Seek(1, SEEK_FROM_START));
        char buffer[8] = {};
        EXPECT_EQ(3u, file.Read(buffer, 3));
        EXPECT_EQ("ell", std::string(buffer));
        EXPECT_EQ(3, file.Seek(-2, SEEK_FROM_END));
        EXPECT_EQ(5u, file.GetSize());
        EXPECT_TRUE(file.Reopen(OPEN_READ_WRITE_CREATE));
        EXPECT_EQ(0, file.GetPosition()) << "mode 6 opens at the start";
        EXPECT_THROW(file.Reopen(static_cast<FileOpenMode>(8)), ProductException);
        EXPECT_FALSE(file.IsOpen());
    }
    {
        BinaryFile file(name, OPEN_WRITE_TRUNCATE);
        EXPECT_EQ(0u, file.GetSize());
    }
}
