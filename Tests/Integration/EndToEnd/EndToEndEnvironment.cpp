#include "Integration/EndToEnd/EndToEndEnvironment.h"

#include <cstdlib>

namespace Pelta {
namespace Test {

std::unique_ptr<TestServer> EndToEndEnvironment::s_server;
std::unique_ptr<OdbcProfile> EndToEndEnvironment::s_profile;

void EndToEndEnvironment::SetUp()
{
    TestServerOptions options;
    options.sampleData = true;
    options.maxSeconds = 900;
    options.extraArguments = {"--cluster-name", CLUSTER_NAME, "--version-number", VERSION_NUMBER};
    s_server = std::make_unique<TestServer>(options);
    s_profile = std::make_unique<OdbcProfile>(PELTA_ODBCINST_TEMPLATE, PELTA_LIBRARY,
                                              std::map<std::string, std::string>{
                                                  {DATA_SOURCE, "Servers = " + s_server->Address()}});
    // libcurl must never route the loopback through a proxy of the machine.
    setenv("no_proxy", "127.0.0.1,localhost", 1);
}

void EndToEndEnvironment::TearDown()
{
    s_server.reset();
    s_profile.reset();
}

std::string EndToEndEnvironment::DriverConnectionString(const std::string& in_servers, const std::string& in_more)
{
    return std::string("DRIVER=") + PELTA_LIBRARY + ";Servers=" + in_servers + (in_more.empty() ? "" : ";" + in_more);
}

std::string EndToEndEnvironment::DataSourceConnectionString()
{
    return std::string("DSN=") + DATA_SOURCE;
}

} // namespace Test
} // namespace Pelta

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Pelta::Test::EndToEndEnvironment());
    return RUN_ALL_TESTS();
}
