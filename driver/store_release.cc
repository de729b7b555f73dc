#include "driver/store_release.h"

namespace tabsift {

#if defined(TABSIFT_FREE_AT_EXIT)

void releaseStoreAtExit(std::unique_ptr<DataHandler> store) {
  store.reset();
}

#else

namespace {

// The store kept until the process exits.
DataHandler* keptStore = nullptr;

}  // namespace

void releaseStoreAtExit(std::unique_ptr<DataHandler> store) {
  keptStore = store.release();
}

#endif

}  // namespace tabsift
