#pragma once

// Test helper: the smallest back end's driver and environment over the data-store bases, and a
// scope during which a driver is the published one.

#include "DSI/DSIDriver.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIException.h"

#include "RecordingLog.h"

namespace Orvik {
namespace Testing {

class TestEnvironment : public DSI::DSIEnvironment
{
public:
    explicit TestEnvironment(DSI::DSIDriver* in_driver) : DSIEnvironment(in_driver) {}

    /// These tests make no connections.
    std::unique_ptr<DSI::DSIConnection> CreateConnection() override { throw DSI::DSIException(u"FuncNotSupported"); }
};

/// A driver whose log records its entries at LOG_TRACE, as if the program were in_hostPath.
class TestDriver : public DSI::DSIDriver
{
public:
    explicit TestDriver(const Support::orvik_wstring& in_hostPath = u"/usr/bin/isql") : DSIDriver(in_hostPath)
    {
        m_log.SetLogLevel(DSI::LOG_TRACE);
    }

    std::unique_ptr<DSI::DSIEnvironment> CreateEnvironment() override
    {
        return std::make_unique<TestEnvironment>(this);
    }

    DSI::DSILog* GetDriverLog() override { return &m_log; }

    RecordingLog m_log;
};

/// Publishes a driver for its own lifetime.
class PublishedDriver
{
public:
    explicit PublishedDriver(DSI::IDriver& io_driver)
    {
        DSI::DSIDriverSingleton::SetDriver(&io_driver, Support::GetDriverModuleHandle());
    }
    ~PublishedDriver() { DSI::DSIDriverSingleton::SetDriver(nullptr, nullptr); }

    PublishedDriver(const PublishedDriver&) = delete;
    PublishedDriver& operator=(const PublishedDriver&) = delete;
};

} // namespace Testing
} // namespace Orvik
