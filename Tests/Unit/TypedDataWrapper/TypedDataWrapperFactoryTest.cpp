#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/TypedDataWrapper/TypedDataWrapperFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

// Counts the deletions of the services it made.
template <class Service>
class Tracked : public Service
{
public:
    explicit Tracked(int* io_deletions) : m_deletions(io_deletions) {}
    ~Tracked() override { ++*m_deletions; }

private:
    int* m_deletions;
};

// Makes tracked services and records the order in which it was asked for them.
class RecordingFactory : public TypedDataWrapperFactory
{
public:
    explicit RecordingFactory(int* io_deletions) : m_deletions(io_deletions) {}

    std::unique_ptr<SqlConverterFactory> CreateSqlConverterFactory() const override
    {
        return Make<SqlConverterFactory>("SqlConverterFactory");
    }
    std::unique_ptr<SqlDataFactory> CreateSqlDataFactory() const override
    {
        return Make<SqlDataFactory>("SqlDataFactory");
    }
    std::unique_ptr<SqlTypeUtilities> CreateSqlTypeUtilities() const override
    {
        return Make<SqlTypeUtilities>("SqlTypeUtilities");
    }
    std::unique_ptr<SqlTypeMetadataFactory> CreateSqlTypeMetadataFactory() const override
    {
        return Make<SqlTypeMetadataFactory>("SqlTypeMetadataFactory");
    }
    std::unique_ptr<SqlCTypeUtilities> CreateSqlCTypeUtilities() const override
    {
        return Make<SqlCTypeUtilities>("SqlCTypeUtilities");
    }
    std::unique_ptr<SqlCTypeMetadataFactory> CreateSqlCTypeMetadataFactory() const override
    {
        return Make<SqlCTypeMetadataFactory>("SqlCTypeMetadataFactory");
    }

    mutable std::vector<std::string> m_created;

private:
    template <class Service>
    std::unique_ptr<Service> Make(const char* in_name) const
    {
        m_created.push_back(in_name);
        return std::make_unique<Tracked<Service>>(m_deletions);
    }

    int* m_deletions;
};

class TypedDataWrapperFactoryTest : public ::testing::Test
{
protected:
    // The services still installed are deleted before the counter goes.
    ~TypedDataWrapperFactoryTest() override { TypedDataWrapperFactory::RemoveServices(); }

    int m_deletions = 0;
};

} // namespace

TEST_F(TypedDataWrapperFactoryTest, InstallsTheSixServicesInStartUpOrder)
{
    RecordingFactory factory(&m_deletions);
    factory.InstallServices();
    EXPECT_EQ((std::vector<std::string>{"SqlConverterFactory", "SqlDataFactory", "SqlTypeUtilities",
                                        "SqlTypeMetadataFactory", "SqlCTypeUtilities",
                                        "SqlCTypeMetadataFactory"}),
              factory.m_created);
    EXPECT_NE(nullptr, dynamic_cast<Tracked<SqlConverterFactory>*>(TypedDataSingleton<SqlConverterFactory>::Get()));
    EXPECT_NE(nullptr, dynamic_cast<Tracked<SqlDataFactory>*>(TypedDataSingleton<SqlDataFactory>::Get()));
    EXPECT_NE(nullptr, dynamic_cast<Tracked<SqlTypeUtilities>*>(TypedDataSingleton<SqlTypeUtilities>::Get()));
    EXPECT_NE(nullptr, dynamic_cast<Tracked<SqlTypeMetadataFactory>*>(TypedDataSingleton<SqlTypeMetadataFactory>::Get()));
    EXPECT_NE(nullptr, dynamic_cast<Tracked<SqlCTypeUtilities>*>(TypedDataSingleton<SqlCTypeUtilities>::Get()));
    EXPECT_NE(nullptr, dynamic_cast<Tracked<SqlCTypeMetadataFactory>*>(TypedDataSingleton<SqlCTypeMetadataFactory>::Get()));
    EXPECT_EQ(TypedDataSingleton<SqlCTypeUtilities>::Get(), &SqlCTypeUtilities::Current());
    EXPECT_EQ(0, m_deletions);

    // A second installation replaces and deletes every service of the first.
    factory.InstallServices();
    EXPECT_EQ(6, m_deletions);

    TypedDataWrapperFactory::RemoveServices();
    EXPECT_EQ(12, m_deletions);
    EXPECT_EQ(nullptr, TypedDataSingleton<SqlConverterFactory>::Get());
    EXPECT_EQ(nullptr, TypedDataSingleton<SqlCTypeMetadataFactory>::Get());
}

TEST_F(TypedDataWrapperFactoryTest, ReplacingOneServiceDeletesOnlyTheOld)
{
    TypedDataSingleton<SqlConverterFactory>::Install(std::make_unique<Tracked<SqlConverterFactory>>(&m_deletions));
    auto second = std::make_unique<Tracked<SqlConverterFactory>>(&m_deletions);
    SqlConverterFactory* secondAddress = second.get();
    TypedDataSingleton<SqlConverterFactory>::Install(std::move(second));
    EXPECT_EQ(1, m_deletions);
    EXPECT_EQ(secondAddress, TypedDataSingleton<SqlConverterFactory>::Get());
}

TEST_F(TypedDataWrapperFactoryTest, EveryCallCreatesANewService)
{
    const TypedDataWrapperFactory factory;
    EXPECT_NE(factory.CreateSqlConverterFactory(), factory.CreateSqlConverterFactory());
    EXPECT_NE(factory.CreateSqlDataFactory(), factory.CreateSqlDataFactory());
    EXPECT_NE(factory.CreateSqlTypeUtilities(), factory.CreateSqlTypeUtilities());
    EXPECT_NE(factory.CreateSqlTypeMetadataFactory(), factory.CreateSqlTypeMetadataFactory());
    EXPECT_NE(factory.CreateSqlCTypeUtilities(), factory.CreateSqlCTypeUtilities());
    EXPECT_NE(factory.CreateSqlCTypeMetadataFactory(), factory.CreateSqlCTypeMetadataFactory());
}
