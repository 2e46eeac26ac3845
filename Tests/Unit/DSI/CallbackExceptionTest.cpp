#include "DSI/BadStateException.h"
#include "DSI/NoDataInputParamException.h"
#include "DSI/OperationCanceledException.h"
#include "DSI/ReadFromOutputParamException.h"
#include "DSI/WriteToDefaultParamException.h"
#include "DSI/WriteToInputParamException.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Orvik::DSI;
using namespace Orvik::Support;

namespace {

struct ThrowCase
{
    std::function<void()> m_throw;
    int64_t m_row;
    int32_t m_column;
};

// The parameter callbacks' failures are all caught as CallbackException.
TEST(CallbackExceptionTest, EveryCallbackFailureIsACallbackExceptionOfTheGeneralError)
{
    const ThrowCase cases[] = {
        {[] { throw CallbackException(1, u"InvalidParamRegistIndex", 2, 3); }, 2, 3},
        {[] { throw BadStateException(1, u"ParamRegistNotPermit", 4, 5); }, 4, 5},
        {[] { throw NoDataInputParamException(1, u"CannotReadFromPushedParam"); }, -1, -1},
        {[] { throw ReadFromOutputParamException(1, u"CannotReadFromOutputParam", 6, 7); }, 6, 7},
        {[] { throw WriteToDefaultParamException(1, u"WriteToDefaultParam", 8, 9); }, 8, 9},
        {[] { throw WriteToInputParamException(1, u"WriteToInputParam", 10, 11); }, 10, 11},
    };
    for (const ThrowCase& testCase : cases)
    {
        try
        {
            testCase.m_throw();
            ADD_FAILURE() << "nothing thrown";
        }
        catch (const CallbackException& e)
        {
            EXPECT_EQ(DIAG_GENERAL_ERROR, e.GetDiagState());
            EXPECT_EQ(1, e.GetComponentId());
            EXPECT_EQ(testCase.m_row, e.GetRowNumber());
            EXPECT_EQ(testCase.m_column, e.GetColumnNumber());
        }
    }
}

TEST(CallbackExceptionTest, ACancelledCallIsTheOperationCanceledError)
{
    const OperationCanceledException canceled(1, u"OperationCanceled");
    EXPECT_EQ(DIAG_OPERATION_CANCELED, canceled.GetDiagState());
    EXPECT_EQ(-1, canceled.GetRowNumber());
    EXPECT_EQ("OperationCanceled", canceled.GetMessageKey().GetAsUTF8());
}

} // namespace
