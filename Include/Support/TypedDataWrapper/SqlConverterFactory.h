#pragma once

#include "Support/TypedDataWrapper/TDWType.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

class ICToSqlConverter;
class IDiagManager;
class ISqlToCConverter;
class ISqlToSqlConverter;
class SqlCTypeMetadata;
class SqlData;
class SqlTypeMetadata;

/// The registry of single-value converters: three square tables of creator functions indexed by
/// (source type id, target type id), filled once when the registry is constructed. A pair without
/// a creator cannot be converted. The installed instance is a process-wide singleton
/// (TypedDataSingleton); lookups take no lock. A driver with conversions of its own overrides the
/// custom hooks.
class SqlConverterFactory
{
public:
    using SqlToCCreator = std::unique_ptr<ISqlToCConverter> (*)(const SqlTypeMetadata& in_source,
                                                                const SqlCTypeMetadata& in_target);
    using SqlToSqlCreator = std::unique_ptr<ISqlToSqlConverter> (*)(const SqlTypeMetadata& in_source,
                                                                    const SqlTypeMetadata& in_target);
    using CToSqlCreator = std::unique_ptr<ICToSqlConverter> (*)(const SqlCTypeMetadata& in_source,
                                                                const SqlTypeMetadata& in_target);

    static constexpr int32_t CELL_COUNT = TDW_TYPE_TABLE_SIZE * TDW_TYPE_TABLE_SIZE;

    /// Cell (source id * 79 + target id) of each table; a null cell has no creator.
    using SqlToCTable = std::array<SqlToCCreator, CELL_COUNT>;
    using SqlToSqlTable = std::array<SqlToSqlCreator, CELL_COUNT>;
    using CToSqlTable = std::array<CToSqlCreator, CELL_COUNT>;

    /// Fills the SQL-to-C, SQL-to-SQL and C-to-SQL tables, in this order.
    SqlConverterFactory();
    virtual ~SqlConverterFactory() = default;

    SqlConverterFactory(const SqlConverterFactory&) = delete;
    SqlConverterFactory& operator=(const SqlConverterFactory&) = delete;

    /// Whether a driver-defined C type converts; asked instead of the tables. False here.
    virtual bool CanConvertCustomType(int16_t in_cType) const;

    /// The same for a check that involves two codes. False here.
    virtual bool CanConvertCustomTypes(int16_t in_firstType, int16_t in_secondType) const;

    /// A driver's own converters, asked before the tables; null here.
    virtual std::unique_ptr<ISqlToCConverter> CreateCustomSqlToCConverter(
        const SqlData& in_source, const SqlCTypeMetadata& in_target, IDiagManager* in_context) const;
    virtual std::unique_ptr<ICToSqlConverter> CreateCustomCToSqlConverter(
        const SqlCTypeMetadata& in_source, const SqlData& in_target, IDiagManager* in_context) const;
    virtual std::unique_ptr<ISqlToSqlConverter> CreateCustomSqlToSqlConverter(
        const SqlData& in_source, const SqlData& in_target, IDiagManager* in_context) const;

    /// A converter from values like in_source into buffers that in_target describes. A target of
    /// SQL_C_DEFAULT takes the source type's default C type (throwing InvalidArgumentException
    /// when it has none). Throws InvalidTypeConversionException ("DataConvAlgorithmNotSupported",
    /// with the names of both types as given) when the pair has no creator. Only the custom hook
    /// sees in_context.
    std::unique_ptr<ISqlToCConverter> CreateNewSqlToCConverter(
        const SqlData& in_source, const SqlCTypeMetadata& in_target, IDiagManager* in_context) const;

    /// A converter from buffers that in_source describes into values like in_target; the same
    /// rules with the C type first.
    std::unique_ptr<ICToSqlConverter> CreateNewCToSqlConverter(
        const SqlCTypeMetadata& in_source, const SqlData& in_target, IDiagManager* in_context) const;

    /// True when any of the three tables holds a creator at the cell of (in_first, in_second).
    bool CanConvert(TDWType in_first, TDWType in_second) const;

    const SqlToCTable& GetSqlToCTable() const { return m_sqlToCTable; }
    const SqlToSqlTable& GetSqlToSqlTable() const { return m_sqlToSqlTable; }
    const CToSqlTable& GetCToSqlTable() const { return m_cToSqlTable; }

    /// The cell of (in_source, in_target), or -1 when either id lies outside the tables.
    static int32_t GetCellIndex(TDWType in_source, TDWType in_target);

protected:
    // A driver with conversions of its own may add cells once the base constructor has run.
    SqlToCTable m_sqlToCTable{};
    SqlToSqlTable m_sqlToSqlTable{};
    CToSqlTable m_cToSqlTable{};

private:
    // The converter families fill their tables, each writing its own table only.
    static void InitSqlToCTable(SqlToCTable& io_table);
    static void InitSqlToSqlTable(SqlToSqlTable& io_table);
    static void InitCToSqlTable(CToSqlTable& io_table);
};

} // namespace Support
} // namespace Orvik
