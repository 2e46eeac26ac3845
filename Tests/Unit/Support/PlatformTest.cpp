#include "Platform/OsProcess.h"
#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/IPlatformStringConverter.h"
#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"
#include "Support/TrailingBlankTrimmer.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace Orvik::Support;
using Orvik::Platform;
using namespace std::string_literals;

namespace {

// Each test starts and ends without a platform and with the trace off.
class PlatformTest : public EncodingsRestored
{
protected:
    void SetUp() override { ASSERT_EQ(nullptr, Platform::GetPlatform()); }

    void TearDown() override
    {
        Platform::SetTraceEnabled(false);
        EXPECT_EQ(nullptr, Platform::GetPlatform());
    }
};

TEST_F(PlatformTest, TheLastUninitializeDeletesThePlatform)
{
    Platform* platform = Platform::InitializePlatform(false);
    ASSERT_NE(nullptr, platform);
    EXPECT_EQ(platform, Platform::InitializePlatform(false));
    Platform::UninitializePlatform();
    EXPECT_EQ(platform, Platform::GetPlatform());
    Platform::UninitializePlatform();
    EXPECT_EQ(nullptr, Platform::GetPlatform());
}

// Other code in the host process may use ICU: what it set there outlives the platform.
TEST_F(PlatformTest, TheHostsIcuSettingsOutliveThePlatform)
{
    const std::string hostLocale = uloc_getDefault();
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault("tr_TR", &status);
    Platform::InitializePlatform(false);
    Platform::UninitializePlatform();
    EXPECT_STREQ("tr_TR", uloc_getDefault());
    uloc_setDefault(hostLocale.c_str(), &status);
}

TEST_F(PlatformTest, TheTraceGoesToStandardErrorOnlyWhenOn)
{
    testing::internal::CaptureStderr();
    Platform::InitializePlatform(false);
    Platform::Trace("not shown");
    Platform::InitializePlatform(true);
    Platform::InitializePlatform(false);
    Platform::Trace("shown");
    Platform::UninitializePlatform();
    Platform::UninitializePlatform();
    Platform::SetTraceEnabled(false);
    Platform::UninitializePlatform();
    Platform::Trace("not shown either");
    EXPECT_EQ("Entering Orvik::Platform::InitializePlatform(true) with s_initCount ==1.\n"
              "shown\n"
              "Entering Orvik::Platform::UninitializePlatform() with s_initCount ==3.\n"
              "Entering Orvik::Platform::UninitializePlatform() with s_initCount ==2.\n",
              testing::internal::GetCapturedStderr());
}

TEST_F(PlatformTest, TheDriverManagerConverterKeepsTheEncodingOfItsFirstUse)
{
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF32_LE);
    Platform* platform = Platform::InitializePlatform(false);
    IDriverManagerStringConverter& converter = platform->GetEncodingConverter();
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    EXPECT_EQ(&converter, &platform->GetEncodingConverter());
    EXPECT_EQ(8, converter.GetRequiredLength(u"ab", true));
    Platform::UninitializePlatform();
}

// Converters opened by several threads at once are all closed with the platform: the leak check
// at the end of the test run finds none of them.
TEST_F(PlatformTest, ThreadsConvertAtOnceAndNothingOutlivesThePlatform)
{
    Platform* platform = Platform::InitializePlatform(false);
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (size_t t = 0; t < failures.size(); ++t)
    {
        threads.emplace_back([&, t] {
            IPlatformStringConverter& converter = platform->GetStringConverter();
            for (int i = 0; i < 200; ++i)
            {
                const std::string bytes = "caf\xE9 " + std::to_string(t * 1000 + i);
                orvik_wstring text;
                converter.BytesToWString(bytes.data(), static_cast<int32_t>(bytes.size()), ENC_CP1252, text);
                std::string back(bytes.size(), '\0');
                bool truncated = false;
                converter.FromWString(text, &back[0], static_cast<int32_t>(back.size()), ENC_CP1252, truncated);
                failures[t] += back != bytes || text.GetAsUTF8() != "caf\xC3\xA9 " + std::to_string(t * 1000 + i);
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(std::vector<int>(failures.size(), 0), failures);

    const std::unique_ptr<EncodingConverter> streaming =
        platform->GetEncodingConverterFactory().CreateConverter(ENC_UTF8, ENC_IBM037, false);
    platform->GetEncodingConverter().GetRequiredLength(u"abc", true);
    Platform::UninitializePlatform();
}

// Strings decode and encode through the platform's converters while it runs, with the same
// results as ICU alone before it starts.
TEST_F(PlatformTest, StringsConvertThroughThePlatformWhileItRuns)
{
    const std::string oddBytes = "\0A\0"s;
    EXPECT_EQ(orvik_wstring(u"A\uFFFD"), orvik_wstring(oddBytes.data(), 3, ENC_UTF16_BE));
    Platform::InitializePlatform(false);
    EXPECT_EQ(orvik_wstring(u"A\uFFFD"), orvik_wstring(oddBytes.data(), 3, ENC_UTF16_BE));
    EXPECT_EQ(orvik_wstring(u"caf\u00E9"), orvik_wstring("caf\xC3\xA9"));
    const orvik_wstring text(u"A\u00E9\u20AC");
    EXPECT_EQ("A\xE9\x80", text.GetAsString(ENC_CP1252));
    EXPECT_EQ("\xC1\x51\x3F", text.GetAsString(ENC_IBM037));
    EXPECT_EQ("", orvik_wstring(u"").GetAsString(ENC_IBM037));
    EXPECT_EQ(orvik_wstring(u"abc"), orvik_wstring("abc", 3, 20));
    EXPECT_EQ(orvik_wstring(u""), orvik_wstring("", 0, 20));

    Platform::SetTraceEnabled(true);
    testing::internal::CaptureStderr();
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    EXPECT_EQ("orvik_wstring::SetDriverManagerEncoding()\n", testing::internal::GetCapturedStderr());
    Platform::SetTraceEnabled(false);
    Platform::UninitializePlatform();
}

TEST_F(PlatformTest, TrimmersThatDecodeNeedThePlatform)
{
    EXPECT_THROW(TrailingBlankTrimmer::Create(ENC_IBM037), InvalidOperationException);
    Platform::InitializePlatform(false);
    {
        const std::unique_ptr<TrailingBlankTrimmer> trimmer = TrailingBlankTrimmer::Create(ENC_IBM037);
        const uint8_t text[] = {0xC1, 0x40, 0x20, 0x40};
        uint64_t length = sizeof(text);
        const uint8_t* trimmed = trimmer->Trim(text, length);
        EXPECT_EQ("\xC1\x40\x20"s, BytesOf(trimmed, length));
    }
    Platform::UninitializePlatform();
}

TEST_F(PlatformTest, ExecutablePathIsTheRunningProgram)
{
    const std::string path = Platform::GetExecutablePath().GetAsUTF8();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ('/', path.front());
    EXPECT_EQ(0, access(path.c_str(), X_OK));
    EXPECT_NE(std::string::npos, path.find("SupportTests"));
}

TEST(OsProcess, SymbolicLinksAreReadWithoutALengthCap)
{
    char directory[] = "/tmp/pelta-link-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(directory));
    const std::string link = std::string(directory) + "/link";
    const std::string target = "/" + std::string(300, 'd') + "/" + std::string(700, 'f');
    ASSERT_EQ(0, symlink(target.c_str(), link.c_str()));
    EXPECT_EQ(target, Orvik::OS::ReadSymbolicLink(link.c_str()));
    unlink(link.c_str());
    rmdir(directory);
    EXPECT_EQ("", Orvik::OS::ReadSymbolicLink(link.c_str()));
}

} // namespace
