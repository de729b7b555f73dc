#include "driver/store_release.h"

namespace tabsift {
namespace {

// The store kept until the process exits.
DataHandler* keptStore = nullptr;

}  // namespace

void releaseStoreAtExit(std::unique_ptr<DataHandler> store) {
#if defined(TABSIFT_FREE_AT_EXIT)
  store.reset();
#else
  keptStore = store.release();
#endif
}

}  // namespace tabsift
