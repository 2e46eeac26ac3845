#include "ODBC/Handles/Statement.h"

#include "Support/ErrorException.h"

#include <atomic>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

std::atomic<Statement::Maker> s_maker{nullptr};

} // namespace

void Statement::SetMaker(Maker in_maker)
{
    s_maker.store(in_maker);
}

std::unique_ptr<Statement> Statement::Make(HandleValue in_handle, Connection& io_connection)
{
    const Maker maker = s_maker.load();
    if (maker == nullptr)
    {
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"StmtNotAvailable", -1, -1);
    }
    return maker(in_handle, io_connection);
}

Statement::~Statement() = default;

} // namespace ODBC
} // namespace Orvik
