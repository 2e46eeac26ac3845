#pragma once

#include "ODBC/Dispatch/CInterface.h"
#include "Support/DiagState.h"
#include "Support/ErrorException.h"

#include <sql.h>

#include <new>

namespace Orvik {
namespace ODBC {

/// The frame of an exported function that is not dispatched: it finds the object behind the
/// handle and counts the call on it in one step (SQL_INVALID_HANDLE, nothing posted, when there
/// is none or its free has begun), runs the body on the caller's thread and returns its result;
/// the count lasts until the failure is posted. The handle methods post their own failures; what
/// still escapes becomes the handle's one record and SQL_ERROR, so that nothing thrown leaves
/// the library. The function name goes to the lookup's and the poster's log lines.
class EntryFrame
{
public:
    EntryFrame() = delete;

    /// A CInterface poster of (state, component 1, key); it never throws.
    using Poster = void (*)(SQLHANDLE, Support::DiagState, const Support::orvik_wstring&, const char*);

    /// A poster of an exception as it is; it never throws.
    using ExceptionPoster = void (*)(SQLHANDLE, const Support::ErrorException&, const char*);

    /// How a kind of handle is found and how a failure is posted on it.
    template <typename Object>
    struct HandleKind
    {
        HandleEntry (*m_enter)(SQLHANDLE, const char*);
        Poster m_poster;
    };

    static constexpr HandleKind<Environment> ENVIRONMENT{&CInterface::EnterEnvironment,
                                                         &CInterface::PostEnvironmentError};
    static constexpr HandleKind<Connection> CONNECTION{&CInterface::EnterConnection, &CInterface::PostConnectionError};
    static constexpr HandleKind<Statement> STATEMENT{&CInterface::EnterStatement, &CInterface::PostStatementError};
    static constexpr HandleKind<Descriptor> DESCRIPTOR{&CInterface::EnterDescriptor, &CInterface::PostDescriptorError};

    /// Runs in_body (Object& -> SQLRETURN) on the object behind in_handle; whatever it throws is
    /// posted as "GenErr" (HY000).
    template <typename Object, typename Body>
    static SQLRETURN Run(const HandleKind<Object>& in_kind,
                         SQLHANDLE in_handle,
                         const char* in_functionName,
                         Body in_body) noexcept
    {
        return RunConverting(in_kind, in_handle, in_functionName, nullptr, in_body);
    }

    /// Run for a body that converts strings itself: an ErrorException goes to
    /// in_exceptionPoster as it is (as "GenErr" when that is null) and exhausted memory is posted
    /// as "MemAllocErr" (HY001).
    template <typename Object, typename Body>
    static SQLRETURN RunConverting(const HandleKind<Object>& in_kind,
                                   SQLHANDLE in_handle,
                                   const char* in_functionName,
                                   ExceptionPoster in_exceptionPoster,
                                   Body in_body) noexcept
    {
        // Outside the try: the posters below find the object again while the call still counts.
        HandleEntry entry;
        try
        {
            entry = in_kind.m_enter(in_handle, in_functionName);
            if (!entry)
            {
                return SQL_INVALID_HANDLE;
            }
            return in_body(*static_cast<Object*>(entry.GetObject()));
        }
        catch (const Support::ErrorException& e)
        {
            if (in_exceptionPoster == nullptr)
            {
                return PostGeneralError(in_kind.m_poster, in_handle, in_functionName);
            }
            in_exceptionPoster(in_handle, e, in_functionName);
            return SQL_ERROR;
        }
        catch (const std::bad_alloc&)
        {
            return Post(in_kind.m_poster, in_handle, Support::DIAG_MEMORY_ALLOCATION_ERROR, u"MemAllocErr", in_functionName);
        }
        catch (...)
        {
            return PostGeneralError(in_kind.m_poster, in_handle, in_functionName);
        }
    }

    /// in_poster with "GenErr" (HY000); SQL_ERROR.
    static SQLRETURN PostGeneralError(Poster in_poster, SQLHANDLE in_handle, const char* in_functionName) noexcept
    {
        return Post(in_poster, in_handle, Support::DIAG_GENERAL_ERROR, u"GenErr", in_functionName);
    }

private:
    static SQLRETURN Post(Poster in_poster,
                          SQLHANDLE in_handle,
                          Support::DiagState in_state,
                          const char16_t* in_messageKey,
                          const char* in_functionName) noexcept
    {
        try
        {
            in_poster(in_handle, in_state, Support::orvik_wstring(in_messageKey), in_functionName);
        }
        catch (...)
        {
            // Not even the key could be made: the call fails without a record.
        }
        return SQL_ERROR;
    }
};

} // namespace ODBC
} // namespace Orvik
