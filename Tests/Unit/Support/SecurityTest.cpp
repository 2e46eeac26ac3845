#include "Support/EnvironmentCounter.h"
#include "Support/ICredentialFactory.h"
#include "Support/ISecurityContext.h"
#include "Support/InvalidOperationException.h"
#include "Support/OrvikAuthenticatedCredentials.h"
#include "Support/OrvikLocalCredentials.h"
#include "Support/SupportException.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

using namespace Orvik::Support;

namespace {

// Runs the call and gives the key of the ErrorException it raises; "" when it raises none.
std::string KeyOf(const std::function<void()>& in_call)
{
    try
    {
        in_call();
    }
    catch (const ErrorException& e)
    {
        return e.GetMessageKey().GetAsUTF8();
    }
    return std::string();
}

class Counting : public ICredentialAction
{
public:
    void* Run() override
    {
        ++m_runs;
        return this;
    }
    int m_runs = 0;
};

} // namespace

TEST(EnvironmentCounter, CountsUnderItsLock)
{
    EnvironmentCounter counter;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
    {
        threads.emplace_back([&counter] {
            for (int i = 0; i < 1000; ++i)
            {
                counter.Increment();
                counter.Decrement();
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(0, counter.GetCount());
    counter.Increment();
    EXPECT_EQ(1, counter.GetCount());
}

TEST(Credentials, EverythingThatNeedsTheSecurityInterfaceFailsWithNoSecurityApi)
{
    EnvironmentCounter counter;
    std::unique_ptr<ICredentialFactory> factory(counter.CreateCredentialFactory());
    std::unique_ptr<ICredentials> local(factory->GetLocalCredentials());

    EXPECT_EQ("NoSecurityAPI", KeyOf([&] { local->GetCredentialHandle(); }));
    EXPECT_EQ("NoSecurityAPI", KeyOf([&] { local->GetCredentialHandle(); })) << "and again, not a stale handle";
    EXPECT_EQ("NoSecurityAPI", KeyOf([&] { local->GetName(); }));
    SizedBuffer reply;
    EXPECT_EQ("NoSecurityAPI", KeyOf([&] { factory->GetAuthenticatedCredentials(SizedBuffer(), reply); }));

    Counting action;
    EXPECT_EQ(&action, local->ExecuteAs(action)) << "the caller's own credentials need no impersonation";
    EXPECT_EQ(1, action.m_runs);
}

TEST(Credentials, RequestFlagsAreFixedByTheFirstStep)
{
    OrvikLocalCredentials local(false);
    std::unique_ptr<ISecurityContext> context(local.GetSecurityContext(orvik_wstring(u"HTTP/db.example")));
    context->SetRequestMutualAuthentication(true);
    context->SetRequestDelegation(true);
    EXPECT_TRUE(context->GetRequestMutualAuthentication());
    EXPECT_TRUE(context->GetRequestDelegation());

    EXPECT_EQ("NoSecurityAPI", KeyOf([&] { context->GetToken(); }));
    EXPECT_EQ("SecurityContextInProgress", KeyOf([&] { context->SetRequestMutualAuthentication(false); }));
    EXPECT_EQ("SecurityContextInProgress", KeyOf([&] { context->SetRequestDelegation(false); }));
    EXPECT_TRUE(context->GetRequestMutualAuthentication());
}

TEST(Credentials, AuthenticatedCredentialsGiveNoContextOrHandle)
{
    OrvikAuthenticatedCredentials client;
    struct Case { std::function<void()> m_call; const char* m_parameters; };
    const Case cases[] = {
        { [&] { client.GetSecurityContext(orvik_wstring(u"x")); },
          "[\"OrvikAuthenticatedCredentials::GetSecurityContext\", "
          "\"Security\\OrvikAuthenticatedCredentials_Windows\", \"50\"]" },
        { [&] { client.GetCredentialHandle(); },
          "[\"OrvikAuthenticatedCredentials::GetCredentialHandle\", "
          "\"Security\\OrvikAuthenticatedCredentials_Windows\", \"40\"]" },
    };
    for (const Case& c : cases)
    {
        try
        {
            c.m_call();
            ADD_FAILURE() << "no exception";
        }
        catch (const InvalidOperationException& e)
        {
            EXPECT_EQ("InvalidOperation", e.GetMessageKey().GetAsUTF8());
            EXPECT_NE(std::string::npos, e.ToString().GetAsUTF8().find(c.m_parameters)) << e.ToString().GetAsUTF8();
        }
    }
    Counting action;
    EXPECT_EQ("NoSecurityAPI", KeyOf([&] { client.ExecuteAs(action); }));
    EXPECT_EQ(0, action.m_runs);
    EXPECT_EQ("NoSecurityAPI", KeyOf([&] { client.GetName(); }));
}
