#include "ODBC/Attributes/AttributesBase.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "Support/ErrorException.h"
#include "Support/InvalidArgumentException.h"
#include "Support/Platform.h"

#include "FakeMessageSource.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Platform;

namespace {

class AttributesBaseTest : public EncodingsRestored
{
protected:
    ~AttributesBaseTest() override { Platform::UninitializePlatform(); }

private:
    static Platform* StartPlatform()
    {
        orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
        return Platform::InitializePlatform(false);
    }

    Platform* m_platform = StartPlatform();

protected:
    Orvik::Testing::FakeMessageSource m_messages;
    DiagManager m_diagnostics{&m_messages, u"", u""};
};

struct WidthCase
{
    AttributeType m_type;
    intptr_t m_value;
    int32_t m_width;
    uint64_t m_written; // the bytes written, as an unsigned number of the width
};

// The application's value for each type, what is kept of it and read back.
const WidthCase WIDTH_CASES[] = {
    {ATTR_INT32, -2, 4, 0xfffffffeu},
    {ATTR_INT32, 0x1234567890, 4, 0x34567890u},
    {ATTR_UINT32, 0x100000005, 4, 5},
    {ATTR_INT16, 0x12345, 2, 0x2345},
    {ATTR_INT16, -1, 2, 0xffff},
    {ATTR_UINT16, 0x10007, 2, 7},
    {ATTR_INT_NATIVE, -3, 8, 0xfffffffffffffffdu},
    {ATTR_UINT_NATIVE, 0x123456789abc, 8, 0x123456789abcu},
    {ATTR_POINTER, 0x7000, 8, 0x7000},
};

TEST_F(AttributesBaseTest, IntegersKeepTheirLowBitsAndAreReadWithTheirWidth)
{
    for (const WidthCase& testCase : WIDTH_CASES)
    {
        const std::unique_ptr<AttributeData> value = AttributesBase::ConvertValue(testCase.m_value, testCase.m_type, 0);
        EXPECT_EQ(testCase.m_type, value->GetAttributeType());
        unsigned char buffer[16];
        std::memset(buffer, 0xaa, sizeof(buffer));
        int32_t length = -1;
        AttributesBase::GetValueToBuffer(&m_diagnostics, *value, 0, buffer, &length);
        EXPECT_EQ(testCase.m_width, length) << testCase.m_value;
        uint64_t written = 0;
        std::memcpy(&written, buffer, testCase.m_width);
        EXPECT_EQ(testCase.m_written, written) << testCase.m_value;
        EXPECT_EQ(0xaa, buffer[testCase.m_width]) << testCase.m_value;
        // The width also without a buffer.
        length = -1;
        AttributesBase::GetValueToBuffer(&m_diagnostics, *value, 0, nullptr, &length);
        EXPECT_EQ(testCase.m_width, length) << testCase.m_value;
    }
    EXPECT_EQ(0, m_diagnostics.GetRecordCount());
}

struct StringCase
{
    const char16_t* m_text; // null: a null address
    int32_t m_length;
    const char* m_expected; // "<null>" for the null string
};

const StringCase STRING_CASES[] = {
    {nullptr, SQL_NTS, "<null>"},
    {u"catalog", 0, ""},
    {u"catalog", SQL_NTS, "catalog"},
    {u"catalog", 6, "cat"},
};

TEST_F(AttributesBaseTest, StringValuesComeFromTheAddressWithALengthInBytes)
{
    for (const StringCase& testCase : STRING_CASES)
    {
        const std::unique_ptr<AttributeData> value =
            AttributesBase::ConvertValue(reinterpret_cast<intptr_t>(testCase.m_text), ATTR_WSTRING, testCase.m_length);
        EXPECT_EQ(testCase.m_expected, Show(*value->GetWStringValue())) << testCase.m_expected;
    }
    EXPECT_THROW(AttributesBase::ConvertValue(reinterpret_cast<intptr_t>(u"x"), ATTR_WSTRING, -5),
                 InvalidArgumentException);
    try
    {
        AttributesBase::ConvertValue(1, static_cast<AttributeType>(1), 0);
        ADD_FAILURE() << "type 1 was converted";
    }
    catch (const ErrorException& e)
    {
        EXPECT_EQ("AttrTypeNotSupported", e.GetMessageKey().GetAsUTF8());
    }
}

TEST_F(AttributesBaseTest, AStringCutToTheBufferWarnsAndReportsTheFullLengthInBytes)
{
    const std::unique_ptr<AttributeData> value(AttributeData::MakeNewWStringAttributeData(orvik_wstring(u"abcd")));
    char16_t buffer[4] = {u'#', u'#', u'#', u'#'};
    int32_t length = -1;
    AttributesBase::GetValueToBuffer(&m_diagnostics, *value, 6, buffer, &length);
    EXPECT_EQ(8, length);
    EXPECT_EQ(std::u16string(u"ab"), std::u16string(buffer));
    EXPECT_EQ(u'#', buffer[3]);
    EXPECT_TRUE(m_diagnostics.HasWarning());
    EXPECT_TRUE(m_diagnostics.HasRecordWithState(SqlState("01004")));
    EXPECT_THROW(AttributesBase::GetValueToBuffer(&m_diagnostics, *value, SQL_NTS, buffer, &length), ErrorException);
}

// A store that records what it is told of its parent, and can refuse it.
class ListeningStore : public AttributesBase
{
public:
    ListeningStore(std::vector<std::string>& io_log, const std::string& in_name, bool in_refuses)
        : AttributesBase(nullptr), m_log(io_log), m_name(in_name), m_refuses(in_refuses)
    {
    }

    void OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length) override
    {
        m_log.push_back(m_name + ":" + std::to_string(in_attribute) + "=" + std::to_string(in_value) + "/" +
                        std::to_string(in_length));
        if (m_refuses)
        {
            throw ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"InvalidAttrVal", -1, -1);
        }
    }

    void GetAttributeToBuffer(int32_t, void*, int32_t, int32_t*) override {}
    void SetAttribute(int32_t, intptr_t, int32_t) override {}

private:
    std::vector<std::string>& m_log;
    std::string m_name;
    bool m_refuses;
};

TEST_F(AttributesBaseTest, ListenersHearOnceEachInTheOrderTheyCame)
{
    std::vector<std::string> log;
    ListeningStore parent(log, "parent", false);
    ListeningStore first(log, "first", false);
    ListeningStore refusing(log, "refusing", true);
    ListeningStore last(log, "last", false);
    parent.AddListener(&first);
    parent.AddListener(&first);
    parent.AddListener(&last);
    parent.RemoveListener(&refusing);
    parent.NotifyListeners(0, 30, 4);
    EXPECT_EQ((std::vector<std::string>{"first:0=30/4", "last:0=30/4"}), log);
    log.clear();
    parent.RemoveListener(&first);
    parent.AddListener(&refusing);
    parent.AddListener(&first);
    // A refusal ends the notification.
    EXPECT_THROW(parent.NotifyListeners(12, 1, -5), ErrorException);
    EXPECT_EQ((std::vector<std::string>{"last:12=1/-5", "refusing:12=1/-5"}), log);
}

} // namespace
