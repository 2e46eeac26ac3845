// Entry code of the driver library. The ODBC layer reaches the back end through its driver
// factory alone; the library installs it while it is loaded, before any exported function can
// run, and the module calls it when the first environment starts the driver.

#include "ODBC/Driver/Module.h"
#include "Pelta/DSIDriverFactory.h"

namespace {

__attribute__((constructor)) void InstallDriverFactory()
{
    Orvik::ODBC::Module::SetDriverFactory(&Pelta::DSIDriverFactory);
}

} // namespace
