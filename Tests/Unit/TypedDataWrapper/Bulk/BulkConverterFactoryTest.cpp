// The bulk converter factory and its matrix: which pairs get a converter, what SQL_C_DEFAULT
// stands for, what a converter keeps of the metadata, and ids outside the matrix.

#include "BulkTestSupport.h"

#include "Support/InvalidArgumentException.h"
#include "Support/TypedDataWrapper/Bulk/SqlToCBulkMatrix.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlToCBulkCharCopyConverter.h"
#include "Support/TypedDataWrapper/SqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/SqlToCBulkTranscodingConverter.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/Converters/ConverterTestSupport.h"
#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>

using namespace Orvik::Support;

namespace {

constexpr TDWType CHARACTER_SOURCES[] = {TDW_SQL_CHAR,  TDW_SQL_VARCHAR,  TDW_SQL_LONGVARCHAR,
                                         TDW_SQL_WCHAR, TDW_SQL_WVARCHAR, TDW_SQL_WLONGVARCHAR};

std::unique_ptr<SqlCTypeMetadata> DefaultBinding(uint64_t in_bufferLength)
{
    std::unique_ptr<SqlCTypeMetadata> binding = SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(SQL_C_DEFAULT);
    binding->SetOctetLength(in_bufferLength);
    return binding;
}

class BulkConverterFactoryTest : public EncodingsRestored
{
protected:
    SqlToCBulkConverterFactory m_factory{nullptr};
};

} // namespace

// The character rows are those of the single-value table but for (CHAR, SQL_C_LONG): the bulk
// road has SQL_C_LONG for LONGVARCHAR alone.
TEST_F(BulkConverterFactoryTest, TheCharacterRowsMatchTheSingleValueTableButForCharToLong)
{
    const SqlConverterFactory::SqlToCTable& singleValue = Registry().GetSqlToCTable();
    for (const TDWType source : CHARACTER_SOURCES)
    {
        int filled = 0;
        for (int32_t id = TDW_C_CHAR; id <= TDW_C_CUSTOM; ++id)
        {
            const TDWType target = static_cast<TDWType>(id);
            const bool isBulk = SqlToCBulkMatrix::Find(source, target) != nullptr;
            const bool isSingle = singleValue[SqlConverterFactory::GetCellIndex(source, target)] != nullptr;
            filled += isBulk ? 1 : 0;
            EXPECT_EQ(isSingle && !(source == TDW_SQL_CHAR && target == TDW_C_LONG), isBulk) << source << " to " << id;
        }
        EXPECT_EQ(source == TDW_SQL_LONGVARCHAR ? 35 : 34, filled) << source;
    }
}

TEST_F(BulkConverterFactoryTest, SharedTargetsConvertWithTheKernelOfTheirSignedType)
{
    const struct
    {
        TDWType source;
        TDWType target;
        TDWType sameAs;
    } cases[] = {
        {TDW_SQL_CHAR, TDW_C_TINYINT, TDW_C_STINYINT},
        {TDW_SQL_VARCHAR, TDW_C_SHORT, TDW_C_SSHORT},
        {TDW_SQL_LONGVARCHAR, TDW_C_LONG, TDW_C_SLONG},
        {TDW_SQL_WLONGVARCHAR, TDW_C_TINYINT, TDW_C_STINYINT},
        {TDW_SQL_WCHAR, TDW_C_SHORT, TDW_C_SSHORT},
    };
    for (const auto& shared : cases)
    {
        const SqlToCBulkMatrix::Entry* entry = SqlToCBulkMatrix::Find(shared.source, shared.target);
        const SqlToCBulkMatrix::Entry* signedEntry = SqlToCBulkMatrix::Find(shared.source, shared.sameAs);
        ASSERT_NE(nullptr, entry) << shared.source << " to " << shared.target;
        ASSERT_NE(nullptr, signedEntry);
        EXPECT_EQ(signedEntry->m_kernel, entry->m_kernel) << shared.source << " to " << shared.target;
        EXPECT_EQ(signedEntry->m_group, entry->m_group) << shared.source << " to " << shared.target;
    }
}

// Out-of-range ids give no converter rather than a read outside the matrix.
TEST_F(BulkConverterFactoryTest, EmptyCellsAndIdsOutsideTheMatrixGiveNoConverter)
{
    for (int32_t id = TDW_C_CHAR; id <= TDW_SQL_NOTYPE; ++id)
    {
        EXPECT_EQ(nullptr, SqlToCBulkMatrix::Find(TDW_SQL_NOTYPE, static_cast<TDWType>(id))) << id;
    }
    for (const TDWType source : CHARACTER_SOURCES)
    {
        for (const TDWType target : {TDW_C_DEFAULT, TDW_C_XML, TDW_C_CUSTOM, TDW_SQL_CHAR})
        {
            EXPECT_EQ(nullptr, SqlToCBulkMatrix::Find(source, target)) << source << " to " << target;
        }
    }
    for (const int32_t outside : {-1, 80, 1000, INT32_MIN, INT32_MAX})
    {
        EXPECT_EQ(nullptr, SqlToCBulkMatrix::Find(static_cast<TDWType>(outside), TDW_C_CHAR)) << outside;
        EXPECT_EQ(nullptr, SqlToCBulkMatrix::Find(TDW_SQL_CHAR, static_cast<TDWType>(outside))) << outside;
    }
    const std::unique_ptr<SqlTypeMetadata> noType = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(0, false, 0);
    EXPECT_EQ(nullptr, m_factory.CreateConverter(*noType, *CMetadataOf(TDW_C_SLONG)));
    EXPECT_NE(nullptr, m_factory.CreateConverter(*SqlMetadataOf(TDW_SQL_WVARCHAR), *CMetadataOf(TDW_C_LONG)))
        << "a SQL_C_LONG binding carries the id of SQL_C_SLONG, which has a converter";
}

TEST_F(BulkConverterFactoryTest, ANoTypeColumnBoundAsDefaultIsRefused)
{
    const std::unique_ptr<SqlTypeMetadata> noType = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(0, false, 0);
    const RaisedError error =
        Capture<InvalidArgumentException>([&] { m_factory.CreateConverter(*noType, *DefaultBinding(8)); });
    EXPECT_EQ("InvalidArgumentParam", error.key);
    ASSERT_FALSE(error.parameters.empty());
    EXPECT_EQ("in_srcTDWType", error.parameters[0]);
}

// Bound as SQL_C_DEFAULT, a narrow column gets the buffer of SQL_C_CHAR: the application's ANSI
// encoding, not the driver manager's wide one; a wide column gets SQL_C_WCHAR's. Both keep the
// binding's buffer length.
TEST_F(BulkConverterFactoryTest, ADefaultBindingIsTheBufferOfTheDefaultCType)
{
    orvik_wstring::InitializeAnsiEncoding(ENC_UTF8);
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    orvik_wstring::SetDatabaseCharEncoding(ENC_UTF8);
    orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF8);

    std::unique_ptr<ISqlToCBulkConverter> narrow = m_factory.CreateConverter(*SqlMetadataOf(TDW_SQL_VARCHAR), *DefaultBinding(4));
    ASSERT_NE(nullptr, dynamic_cast<SqlToCBulkCharCopyConverter<1>*>(narrow.get()));
    EXPECT_EQ(4, dynamic_cast<SqlToCBulkCharCopyConverter<1>&>(*narrow).GetKernelState().m_targetLength);
    EXPECT_EQ("2 616200CD", ConvertColumn(*narrow, {std::string("ab")}, 4));

    std::unique_ptr<ISqlToCBulkConverter> wide = m_factory.CreateConverter(*SqlMetadataOf(TDW_SQL_WCHAR), *DefaultBinding(6));
    const auto* transcoder = dynamic_cast<SqlToCBulkTranscodingConverter*>(wide.get());
    ASSERT_NE(nullptr, transcoder);
    EXPECT_EQ(ENC_UTF16_LE, transcoder->GetKernelState().m_targetEncoding);
    EXPECT_EQ("4 610062000000", ConvertColumn(*wide, {std::string("ab")}, 6));
}

TEST_F(BulkConverterFactoryTest, AConverterKeepsTheMetadataItWasMadeWith)
{
    const std::unique_ptr<SqlTypeMetadata> column = SqlMetadataOf(TDW_SQL_CHAR);
    const std::unique_ptr<SqlCTypeMetadata> binding = CMetadataOf(TDW_C_TYPE_TIMESTAMP);
    binding->SetPrecision(3);
    std::unique_ptr<ISqlToCBulkConverter> first = m_factory.CreateConverter(*column, *binding);
    std::unique_ptr<ISqlToCBulkConverter> second = m_factory.CreateConverter(*column, *binding);
    ASSERT_NE(nullptr, first);
    EXPECT_NE(first.get(), second.get());
    binding->SetPrecision(9);
    EXPECT_EQ(3, dynamic_cast<SqlToCBulkConverter<>&>(*first).GetKernelState().m_targetFractionalPrecision);
    // 2020-01-02 03:04:05 and a fraction cut to 3 digits: 123000000 nanoseconds.
    EXPECT_EQ("16 E40701000200030004000500C0D45407 ; 1:FractionalTrunc",
              ConvertColumn(*first, {std::string("2020-01-02 03:04:05.123456")}, 16));
}
