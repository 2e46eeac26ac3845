#pragma once

// The setting of the end-to-end tests: one test server with the sample tables, named and
// versioned as the tests expect, and the private ODBC profile with a data source for it, made
// before the first ODBC call of the process.

#include "Integration/Support/OdbcProfile.h"
#include "Support/TestServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace Pelta {
namespace Test {

class EndToEndEnvironment : public ::testing::Environment
{
public:
    /// The cluster name and version number the server's probe reports.
    static constexpr const char* CLUSTER_NAME = "pelta-e2e-cluster-01";
    static constexpr const char* VERSION_NUMBER = "2.7.1";
    /// The data source that names the server.
    static constexpr const char* DATA_SOURCE = "PeltaE2E";

    void SetUp() override;
    void TearDown() override;

    static TestServer& Server() { return *s_server; }

    /// "DRIVER=<absolute path of the library>;Servers=<in_servers>", and in_more after it.
    static std::string DriverConnectionString(const std::string& in_servers, const std::string& in_more = std::string());

    /// "DSN=<the data source>".
    static std::string DataSourceConnectionString();

private:
    static std::unique_ptr<TestServer> s_server;
    static std::unique_ptr<OdbcProfile> s_profile;
};

} // namespace Test
} // namespace Pelta
