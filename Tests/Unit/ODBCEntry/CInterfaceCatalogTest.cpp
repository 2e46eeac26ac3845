#include "DSI/ConnectionPropertyKey.h"
#include "ODBC/Dispatch/CInterface.h"
#include "Support/AttributeData.h"

#include "EntryTest.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::Narrow;
using Orvik::Testing::RecordingLog;
using Orvik::Testing::SetInfoText;
using Orvik::Testing::Wide;

namespace {

/// The current catalog holds the escape text and both wildcards.
const char16_t* const CURRENT_CATALOG = u"a_b%c\\d";

class CInterfaceCatalogTest : public Orvik::Testing::StatementTest
{
protected:
    explicit CInterfaceCatalogTest(intptr_t in_odbcVersion = SQL_OV_ODBC3) : StatementTest(in_odbcVersion)
    {
        SetInfoText(*m_dataStore, SQL_CATALOG_NAME, u"Y");
        SetInfoText(*m_dataStore, SQL_SEARCH_PATTERN_ESCAPE, u"\\");
        m_dataStore->SetText(Orvik::DSI::CONN_PROP_CURRENT_CATALOG, CURRENT_CATALOG);
    }

    /// The argument list the connection was handed, as its log shows it.
    std::string ArgumentsOf(const std::function<SQLRETURN()>& in_call)
    {
        RecordingLog& log = UseLog(Orvik::DSI::LOG_INFO);
        in_call();
        // The result set of one call is not in the way of the next.
        m_statement->SQLCloseCursor();
        const std::string marker = "Connection::ExecuteCatalogFunction: ";
        for (const std::string& entry : log.m_entries)
        {
            if (entry.compare(0, 4, "INFO") == 0 && entry.find(marker) != std::string::npos)
            {
                return entry.substr(entry.find(marker) + marker.size());
            }
        }
        return "<not called>";
    }

    void SetMetadataId(SQLULEN in_value)
    {
        ASSERT_EQ(SQL_SUCCESS, m_statement->SQLSetStmtAttrW(SQL_ATTR_METADATA_ID, reinterpret_cast<SQLPOINTER>(in_value), 0));
    }

    std::string Tables(NameArgument<SQLWCHAR> in_catalog)
    {
        SQLTablesWArgs args{{in_catalog, {nullptr, 0}, {Wide(u"T"), SQL_NTS}, {nullptr, 0}}};
        return ArgumentsOf([&] { return CInterface::DispatchSQLTablesW("SQLTablesW", m_statementHandle, &args); });
    }
};

TEST_F(CInterfaceCatalogTest, TheCatalogArgumentFollowsTheCurrentCatalogRule)
{
    const NameArgument<SQLWCHAR> none{nullptr, 0};
    // Only SQLTables of an ODBC 3 application takes the current catalog as a pattern.
    EXPECT_EQ("SQLTables(\"a\\_b\\%c\\\\d\", NULL, \"T\", NULL)", Tables(none));
    SQLColumnsWArgs columns{{none, {nullptr, 0}, {Wide(u"T"), SQL_NTS}, {Wide(u"C"), 1}}};
    EXPECT_EQ("SQLColumns(\"a_b%c\\d\", NULL, \"T\", \"C\")", ArgumentsOf([&] {
                  return CInterface::DispatchSQLColumnsW("SQLColumns", m_statementHandle, &columns);
              }));
    // A given catalog is never replaced, not even an empty one.
    EXPECT_EQ("SQLTables(\"\", NULL, \"T\", NULL)", Tables({Wide(u""), SQL_NTS}));
    EXPECT_EQ("SQLTables(\"\", NULL, \"T\", NULL)", Tables({Wide(u"ignored"), 0}));
    EXPECT_EQ("SQLTables(\"K\", NULL, \"T\", NULL)", Tables({Wide(u"K"), SQL_NTS}));
    // Identifiers name no current catalog.
    SetMetadataId(SQL_TRUE);
    EXPECT_EQ("SQLTables(NULL, NULL, \"T\", NULL)", Tables(none));
    SetMetadataId(SQL_FALSE);
    SetInfoText(*m_dataStore, SQL_CATALOG_NAME, u"N");
    EXPECT_EQ("SQLTables(NULL, NULL, \"T\", NULL)", Tables(none));
    SetInfoText(*m_dataStore, SQL_CATALOG_NAME, u"Y");
    m_dataStore->SetText(Orvik::DSI::CONN_PROP_CURRENT_CATALOG, u"");
    EXPECT_EQ("SQLTables(NULL, NULL, \"T\", NULL)", Tables(none));
}

TEST_F(CInterfaceCatalogTest, EachFunctionPacksItsArgumentsInOrder)
{
    const NameArgument<SQLCHAR> none{nullptr, 0};
    SQLForeignKeysArgs foreignKeys{{none, none, {Narrow("P"), SQL_NTS}, none, none, {Narrow("F"), 1}}};
    SQLSpecialColumnsArgs special{SQL_BEST_ROWID, {none, none, {Narrow("T"), SQL_NTS}}, SQL_SCOPE_CURROW, SQL_NULLABLE};
    SQLStatisticsArgs statistics{{none, {Narrow("S"), SQL_NTS}, {Narrow("T"), SQL_NTS}}, SQL_INDEX_UNIQUE, SQL_QUICK};
    SQLPrimaryKeysArgs primaryKeys{{{Narrow("K"), SQL_NTS}, none, {Narrow("T"), SQL_NTS}}};
    SQLProceduresArgs procedures{{none, none, {Narrow("P%"), SQL_NTS}}};
    SQLProcedureColumnsArgs procedureColumns{{none, none, {Narrow("P"), SQL_NTS}, {Narrow("C"), SQL_NTS}}};
    SQLTablePrivilegesArgs tablePrivileges{{none, none, {Narrow("T"), SQL_NTS}}};
    SQLColumnPrivilegesArgs columnPrivileges{{none, none, {Narrow("T"), SQL_NTS}, {Narrow("C"), SQL_NTS}}};
    SQLGetTypeInfoArgs allTypes{SQL_ALL_TYPES};
    SQLGetTypeInfoArgs timestamps{SQL_TYPE_TIMESTAMP};
    SQLGetTypeInfoArgs wideChars{SQL_WCHAR};
    const SQLHANDLE handle = m_statementHandle;
    const struct
    {
        std::function<SQLRETURN()> m_call;
        std::string m_expected;
    } cases[] = {
        // Both catalogs of SQLForeignKeys name tables: neither is replaced.
        { [&] { return CInterface::DispatchSQLForeignKeys("SQLForeignKeys", handle, &foreignKeys); },
          "SQLForeignKeys(NULL, NULL, \"P\", NULL, NULL, \"F\")" },
        { [&] { return CInterface::DispatchSQLSpecialColumns("SQLSpecialColumns", handle, &special); },
          "SQLSpecialColumns(1, \"a_b%c\\d\", NULL, \"T\", 0, 1)" },
        { [&] { return CInterface::DispatchSQLStatistics("SQLStatistics", handle, &statistics); },
          "SQLStatistics(\"a_b%c\\d\", \"S\", \"T\", 0, 0)" },
        { [&] { return CInterface::DispatchSQLPrimaryKeys("SQLPrimaryKeys", handle, &primaryKeys); },
          "SQLPrimaryKeys(\"K\", NULL, \"T\")" },
        { [&] { return CInterface::DispatchSQLProcedures("SQLProcedures", handle, &procedures); },
          "SQLProcedures(\"a_b%c\\d\", NULL, \"P%\")" },
        { [&] { return CInterface::DispatchSQLProcedureColumns("SQLProcedureColumns", handle, &procedureColumns); },
          "SQLProcedureColumns(\"a_b%c\\d\", NULL, \"P\", \"C\")" },
        { [&] { return CInterface::DispatchSQLTablePrivileges("SQLTablePrivileges", handle, &tablePrivileges); },
          "SQLTablePrivileges(\"a_b%c\\d\", NULL, \"T\")" },
        { [&] { return CInterface::DispatchSQLColumnPrivileges("SQLColumnPrivileges", handle, &columnPrivileges); },
          "SQLColumnPrivileges(\"a_b%c\\d\", NULL, \"T\", \"C\")" },
        { [&] { return CInterface::DispatchSQLGetTypeInfo("SQLGetTypeInfo", handle, &allTypes); }, "SQLGetTypeInfo(0)" },
        { [&] { return CInterface::DispatchSQLGetTypeInfo("SQLGetTypeInfoW", handle, &timestamps); }, "SQLGetTypeInfo(93)" },
        { [&] { return CInterface::DispatchSQLGetTypeInfo("SQLGetTypeInfo", handle, &wideChars); }, "SQLGetTypeInfo(-8)" },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.m_expected, ArgumentsOf(c.m_call));
    }
}

TEST_F(CInterfaceCatalogTest, OnlyTheWideTableTypesEndAtAnEmbeddedNul)
{
    const char16_t wideTypes[] = u"TABLE\0VIEW";
    SQLTablesWArgs wide{{{Wide(u"K"), SQL_NTS}, {nullptr, 0}, {nullptr, 0}, {Wide(wideTypes), 10}}};
    EXPECT_EQ("SQLTables(\"K\", NULL, NULL, \"TABLE\")", ArgumentsOf([&] {
                  return CInterface::DispatchSQLTablesW("SQLTablesW", m_statementHandle, &wide);
              }));
    const char narrowTypes[] = "TABLE\0VIEW";
    SQLTablesArgs narrow{{{Narrow("K"), SQL_NTS}, {nullptr, 0}, {nullptr, 0}, {Narrow(narrowTypes), 10}}};
    EXPECT_EQ("SQLTables(\"K\", NULL, NULL, \"TABLE\\0VIEW\")", ArgumentsOf([&] {
                  return CInterface::DispatchSQLTables("SQLTables", m_statementHandle, &narrow);
              }));
}

TEST_F(CInterfaceCatalogTest, ANegativeNameLengthIsRefusedBeforeAnythingIsRead)
{
    RecordingLog& log = UseLog(Orvik::DSI::LOG_INFO);
    SQLColumnsArgs columns{{{Narrow("K"), -5}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}};
    EXPECT_EQ("-1 HY090", Orvik::Testing::Outcome(CInterface::DispatchSQLColumns("SQLColumns", m_statementHandle, &columns),
                                                  m_statement->GetDiagManager()));
    for (const std::string& entry : log.m_entries)
    {
        EXPECT_EQ(std::string::npos, entry.find("ExecuteCatalogFunction")) << entry;
    }
}

class CInterfaceCatalogOdbc2Test : public CInterfaceCatalogTest
{
protected:
    CInterfaceCatalogOdbc2Test() : CInterfaceCatalogTest(SQL_OV_ODBC2) {}
};

TEST_F(CInterfaceCatalogOdbc2Test, AnOdbc2ApplicationGetsTheCurrentCatalogUnescaped)
{
    EXPECT_EQ("SQLTables(\"a_b%c\\d\", NULL, \"T\", NULL)", Tables({nullptr, 0}));
}

} // namespace
