#include "DSI/DSIException.h"
#include "DSI/DSIFileLogger.h"
#include "DSI/LogTimestamp.h"
#include "Platform/OsTime.h"
#include "Support/ThreadUtils.h"

#include "Common/TemporaryDirectory.h"
#include "DriverSettings.h"
#include "GermanTimeLocale.h"
#include "RecordingLog.h"
#include "TestDriver.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using Orvik::Testing::DriverSettings;
using Orvik::Testing::ReadTextFile;
using Orvik::Testing::RecordingLog;

namespace {

// Writes one entry at each level, and the entry line, in namespace in_namespace.
void LogAtEveryLevel(DSILog& io_log, const char* in_namespace)
{
    io_log.LogFatal(in_namespace, "C", "Fatal", "%d", 1);
    io_log.LogError(in_namespace, "C", "Error", "%d", 2);
    io_log.LogWarning(in_namespace, "C", "Warning", "%d", 3);
    io_log.LogInfo(in_namespace, "C", "Info", "%d", 4);
    io_log.LogDebug(in_namespace, "C", "Debug", "%d", 5);
    io_log.LogTrace(in_namespace, "C", "Trace", "%d", 6);
    io_log.LogFunctionEntrance(in_namespace, "C", "Enter");
}

std::string EnglishMonthNow()
{
    static const char* const names[] = { "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    return names[Orvik::OS::GetLocalTime().m_month - 1];
}

// The text with the time stamp that begins each line replaced by "<time>", or a note naming
// the first line whose stamp is malformed. Lines end at "\n".
std::string MaskTimestamps(const std::string& in_text)
{
    const std::string shape = "Aaa 00 00:00:00.000";
    std::string masked;
    size_t start = 0;
    while (start < in_text.size())
    {
        size_t end = in_text.find('\n', start);
        end = end == std::string::npos ? in_text.size() : end + 1;
        const std::string line = in_text.substr(start, end - start);
        for (size_t i = 0; i < shape.size(); ++i)
        {
            const char c = i < line.size() ? line[i] : '\0';
            const bool fits = shape[i] == '0'   ? (c >= '0' && c <= '9')
                              : shape[i] == 'A' ? (c >= 'A' && c <= 'Z')
                              : shape[i] == 'a' ? (c >= 'a' && c <= 'z')
                                                : c == shape[i];
            if (!fits)
            {
                return "malformed time stamp in: " + line;
            }
        }
        masked += "<time>" + line.substr(shape.size());
        start = end;
    }
    return masked;
}

class LogTest : public ::testing::Test
{
protected:
    DriverSettings m_settings;
};

} // namespace

TEST(ParseLogLevelTest, NamesDigitsAndNumbers)
{
    const struct
    {
        const char* m_text;
        int32_t m_level;
    } cases[] = {
        { "LOG_DEBUG", 5 }, { "debug", 5 }, { "Log_Debug", 5 }, { "5", 5 },   { "Off", 0 },
        { "fatal", 1 },     { "ERROR", 2 }, { "Warning", 3 },   { "info", 4 }, { "LOG_TRACE", 6 },
        { "LOG_6", 6 },     { "12", 6 },    { "-1", 0 },        { "LOG_9", 0 }, { "verbose", 0 },
        { "", 0 },          { "LOG_", 0 },  { "Warn", 0 },      { "+3", 3 },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.m_level, DSILog::ParseLogLevel(c.m_text)) << '"' << c.m_text << '"';
    }
    EXPECT_EQ(4, DSILog::ParseLogLevel(Orvik::Support::orvik_wstring(u"Log_Info")));
}

TEST_F(LogTest, TheLevelSettingAdmitsItsLevelAndTheMoreSevereOnes)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "Info"));
    RecordingLog log;
    LogAtEveryLevel(log, "Orvik::DSI");
    EXPECT_EQ((std::vector<std::string>{ "FATAL C::Fatal: 1", "ERROR C::Error: 2", "WARN  C::Warning: 3",
                                         "INFO  C::Info: 4" }),
              log.m_entries);

    log.m_entries.clear();
    log.SetLogLevel(LOG_TRACE);
    LogAtEveryLevel(log, "Orvik::DSI");
    EXPECT_EQ(7u, log.m_entries.size());
    EXPECT_EQ("TRACE C::Enter: +++++ enter +++++", log.m_entries.back());

    log.m_entries.clear();
    log.SetLogLevel(LOG_OFF);
    LogAtEveryLevel(log, "Orvik::DSI");
    EXPECT_TRUE(log.m_entries.empty());
}

TEST_F(LogTest, WithoutSettingsTheLogIsOffInEnUs)
{
    RecordingLog log;
    EXPECT_EQ(LOG_OFF, log.GetLogLevel());
    EXPECT_EQ("en-US", log.GetLocale());
    LogAtEveryLevel(log, "");
    EXPECT_TRUE(log.m_entries.empty());
}

TEST_F(LogTest, TheNamespaceFilterAdmitsNamespacesThatBeginWithIt)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "6") + DriverSettings::Value("LogNamespace", "Orvik::ODBC") +
                   DriverSettings::Value("DriverLocale", "de-DE"));
    RecordingLog log;
    const struct
    {
        const char* m_namespace;
        bool m_admitted;
    } cases[] = { { "Orvik::ODBC", true },  { "Orvik::ODBC::Tasks", true }, { "Orvik::DSI", false },
                  { "Orvik::Pelta", false }, { "orvik::odbc", false },       { "", false },
                  { "Orvik", false } };
    for (const auto& c : cases)
    {
        log.m_entries.clear();
        log.LogInfo(c.m_namespace, "C", "M", "x");
        EXPECT_EQ(c.m_admitted, !log.m_entries.empty()) << c.m_namespace;
    }
    EXPECT_EQ("de-DE", log.GetLocale());
}

TEST_F(LogTest, SettingsAreReadOnceAtConstruction)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "LOG_ERROR"));
    RecordingLog log;
    m_settings.Use(DriverSettings::Value("LogLevel", "6") + DriverSettings::Value("DriverLocale", "fr-FR"));
    EXPECT_EQ(LOG_ERROR, log.GetLogLevel());
    EXPECT_EQ("en-US", log.GetLocale());
    log.SetLocale("it-IT");
    EXPECT_EQ("it-IT", log.GetLocale());
}

TEST_F(LogTest, AnExceptionWithoutADriverIsLoggedWithItsDescription)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "2"));
    RecordingLog log;
    log.LogErrorException("Orvik::DSI", "DSIDriver", "GetProperty", DSIException(u"DSIDriverPropNotFound", { u"31" }));
    ASSERT_EQ(1u, log.m_entries.size());
    EXPECT_NE(std::string::npos, log.m_entries[0].find("ERROR DSIDriver::GetProperty: Unformatted ErrorException: "
                                                       "{MessageKey=\"DSIDriverPropNotFound\""))
        << log.m_entries[0];
}

TEST(LogTimestampTest, MonthDayTimeAndThreeDigitMilliseconds)
{
    const struct
    {
        Orvik::OS::LocalTime m_time;
        const char* m_text;
    } cases[] = {
        { { 2024, 1, 2, 9, 5, 3, 7 }, "Jan 02 09:05:03.007" },
        { { 2024, 3, 7, 14, 3, 9, 45 }, "Mar 07 14:03:09.045" },
        { { 2023, 12, 31, 23, 59, 59, 999 }, "Dec 31 23:59:59.999" },
        { { 2023, 6, 10, 0, 0, 0, 0 }, "Jun 10 00:00:00.000" },
    };
    for (const auto& c : cases)
    {
        std::string text;
        LogTimestamp::Append(c.m_time, text);
        EXPECT_EQ(c.m_text, text);
    }
}

TEST_F(LogTest, FileLinesHaveTheExactFormat)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "TRACE") +
                   DriverSettings::Value("LogPath", m_settings.Directory().Path()));
    {
        DSIFileLogger log("Pelta_driver.log");
        log.LogFunctionEntrance("Orvik::ODBC", "Connection", "SQLSetConnectAttr");
        log.LogInfo("Pelta", "PeltaAPI", "SendRequest", "body %s, %d%%", "%s %n", 100);
        log.LogWarning("", "100%Class", "M%d", "done");
    }
    const std::string tid = std::to_string(Orvik::Support::ThreadUtils::GetCurrentThreadId());
    EXPECT_EQ("<time> TRACE " + tid + " Connection::SQLSetConnectAttr: +++++ enter +++++\r\n"
              "<time> INFO  " + tid + " PeltaAPI::SendRequest: body %s %n, 100%\r\n"
              "<time> WARN  " + tid + " 100%Class::M%d: done\r\n",
              MaskTimestamps(ReadTextFile(m_settings.Directory() / "Pelta_driver.log")));
}

TEST_F(LogTest, MonthNamesStayEnglishUnderAGermanTimeLocale)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "4") +
                   DriverSettings::Value("LogPath", m_settings.Directory().Path()));
    const Orvik::Testing::GermanTimeLocale german;
    if (!german.GetProblem().empty())
    {
        GTEST_SKIP() << german.GetProblem();
    }
    const std::string before = EnglishMonthNow();
    {
        DSIFileLogger log("driver.log");
        log.LogInfo("Orvik::DSI", "C", "M", "x");
    }
    const std::string month = ReadTextFile(m_settings.Directory() / "driver.log").substr(0, 3);
    EXPECT_TRUE(month == before || month == EnglishMonthNow()) << month;
}

TEST_F(LogTest, LinesGoToStandardErrorWhenTheDirectoryIsMissing)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "6") +
                   DriverSettings::Value("LogPath", m_settings.Directory() / "missing"));
    DSIFileLogger log("driver.log");
    testing::internal::CaptureStderr();
    log.LogError("Orvik::DSI", "C", "M", "first %s", "line");
    log.LogTrace("Orvik::DSI", "C", "M", "second");
    const std::string text = testing::internal::GetCapturedStderr();
    const std::string tid = std::to_string(Orvik::Support::ThreadUtils::GetCurrentThreadId());
    EXPECT_EQ("<time> ERROR " + tid + " C::M: first line\n<time> TRACE " + tid + " C::M: second\n",
              MaskTimestamps(text));
}
