#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/DataWrappers/CDataWrapperPool.h"
#include "Support/InvalidArgumentException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"

#include <gtest/gtest.h>

#include <sqlext.h>

using namespace Orvik::ODBC;
using namespace Orvik::Support;

namespace {

TEST(CDataWrapperPoolTest, AReleasedWrapperComesBackResetWithItsMetadata)
{
    CDataWrapperPool pool;
    std::unique_ptr<CDataWrapper> wrapper = pool.Acquire(SQL_C_SLONG);
    CDataWrapper* const address = wrapper.get();
    SqlCTypeMetadata* const metadata = &wrapper->GetMetadata();
    int data = 0;
    wrapper->SetData(&data);
    wrapper->SetDataLength(4);
    wrapper->SetOffset(2);
    wrapper->SetOutputLength(9);
    wrapper->SetNull(true);
    wrapper->SetAddressValid(false);
    wrapper->GetMetadata().SetPrecision(3);
    pool.Release(wrapper);
    EXPECT_EQ(nullptr, wrapper);

    wrapper = pool.Acquire(SQL_C_SLONG);
    EXPECT_EQ(address, wrapper.get());
    EXPECT_EQ(metadata, &wrapper->GetMetadata());
    EXPECT_EQ(nullptr, wrapper->GetData());
    EXPECT_EQ(0, wrapper->GetDataLength());
    EXPECT_EQ(0, wrapper->GetOffset());
    EXPECT_EQ(0, wrapper->GetOutputLength());
    EXPECT_FALSE(wrapper->IsNull());
    EXPECT_TRUE(wrapper->IsAddressValid());
    EXPECT_EQ(0, wrapper->GetMetadata().GetPrecision());

    // Another C type: the same wrapper, described anew.
    pool.Release(wrapper);
    wrapper = pool.Acquire(SQL_C_WCHAR);
    EXPECT_EQ(address, wrapper.get());
    EXPECT_EQ(SQL_C_WCHAR, wrapper->GetMetadata().GetCType());
}

TEST(CDataWrapperPoolTest, AWrapperResetToTypesItDescribedBeforeTakesBackTheirMetadataWithDefaults)
{
    CDataWrapperPool pool;
    std::unique_ptr<CDataWrapper> wrapper = pool.Acquire(SQL_C_NUMERIC);
    SqlCTypeMetadata* const numeric = &wrapper->GetMetadata();
    numeric->SetScale(4);
    wrapper->Reset(SQL_C_CHAR);
    SqlCTypeMetadata* const text = &wrapper->GetMetadata();
    EXPECT_NE(numeric, text);
    wrapper->Reset(SQL_C_NUMERIC);
    EXPECT_EQ(numeric, &wrapper->GetMetadata());
    EXPECT_EQ(0, wrapper->GetMetadata().GetScale());
    wrapper->Reset(SQL_C_CHAR);
    EXPECT_EQ(text, &wrapper->GetMetadata());
    EXPECT_EQ(SQL_C_CHAR, wrapper->GetMetadata().GetCType());
}

TEST(CDataWrapperPoolTest, TheWrapperReleasedLastIsTakenFirst)
{
    CDataWrapperPool pool;
    std::unique_ptr<CDataWrapper> first = pool.Acquire(SQL_C_CHAR);
    std::unique_ptr<CDataWrapper> second = pool.Acquire(SQL_C_CHAR);
    CDataWrapper* const firstAddress = first.get();
    CDataWrapper* const secondAddress = second.get();
    pool.Release(first);
    pool.Release(second);
    EXPECT_EQ(secondAddress, pool.Acquire(SQL_C_CHAR).get());
    EXPECT_EQ(firstAddress, pool.Acquire(SQL_C_CHAR).get());
}

TEST(CDataWrapperPoolTest, ACodeThatIsNoCTypeIsRefused)
{
    CDataWrapperPool pool;
    EXPECT_THROW(pool.Acquire(9999), InvalidArgumentException);
    std::unique_ptr<CDataWrapper> wrapper = pool.Acquire(SQL_C_CHAR);
    pool.Release(wrapper);
    EXPECT_THROW(pool.Acquire(9999), InvalidArgumentException);
}

} // namespace
