#pragma once

#include "Support/TypedDataWrapper/ISqlToCBulkConverterFactory.h"

namespace Orvik {
namespace DSI {
class DSIConnection;
}

namespace Support {

/// The bulk converter factory of one data-store connection: it looks a column's pair up in the
/// bulk conversion matrix and makes the pair's converter with the state of the binding. The
/// matrix is shared and never changes, so any thread may ask at any time.
class SqlToCBulkConverterFactory : public ISqlToCBulkConverterFactory
{
public:
    /// The factory of in_connection, which owns it (none for a factory of its own). The
    /// converters do not need the connection.
    explicit SqlToCBulkConverterFactory(DSI::DSIConnection* in_connection);

    /// The maker and deleter of factories that DSIConnection::SetBulkConverterFactoryHooks takes.
    static ISqlToCBulkConverterFactory* CreateForConnection(DSI::DSIConnection& in_connection);
    static void Delete(ISqlToCBulkConverterFactory* in_factory);

    /// A new converter for the pair, or null when the matrix has none (an id outside it too). A
    /// SQL_C_DEFAULT binding stands for the source type's default C type with that type's
    /// defaults and the binding's buffer length; a source type without a default throws
    /// InvalidArgumentException ("InvalidArgumentParam"). Character data into a character buffer
    /// is copied when the column's encoding is the buffer's and transcoded otherwise. The
    /// converter keeps what it needs of the two metadata; later changes to them do not reach it.
    std::unique_ptr<ISqlToCBulkConverter> CreateConverter(const SqlTypeMetadata& in_source,
                                                          const SqlCTypeMetadata& in_target) const override;

    /// The connection that made the factory.
    DSI::DSIConnection* GetConnection() const { return m_connection; }

private:
    DSI::DSIConnection* const m_connection;
};

} // namespace Support
} // namespace Orvik
