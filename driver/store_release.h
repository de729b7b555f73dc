// The end of the table store's life when a run is over. Freeing a large
// table takes one call to the allocator per line, and the process hands all
// its memory back to the system the moment it exits anyway; so an ordinary
// build keeps the store until then, reachable from a static pointer (leak
// checkers do not count it as lost). Builds that check memory use
// (TABSIFT_FREE_AT_EXIT, set for the sanitizer and fuzzing builds) destroy
// it, so that the destructor stays checked.
#pragma once

#include <memory>

#include "table/data_handler.h"

namespace tabsift {

void releaseStoreAtExit(std::unique_ptr<DataHandler> store);

}  // namespace tabsift
