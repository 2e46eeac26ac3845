#pragma once

namespace Orvik {

namespace Support {
class CriticalSection;
} // namespace Support

namespace ODBC {

/// What the implementation row descriptor needs of its statement: the statement's lock, under
/// which the current result's columns cannot change, and whether bookmarks are on.
class IRowDescriptorOwner
{
public:
    virtual ~IRowDescriptorOwner() = default;

    /// The statement lock; every read of the descriptor runs under it.
    virtual Support::CriticalSection& GetStatementLock() = 0;

    /// Whether the statement's SQL_ATTR_USE_BOOKMARKS is on.
    virtual bool IsUsingBookmarks() = 0;

protected:
    IRowDescriptorOwner() = default;
};

} // namespace ODBC
} // namespace Orvik
