// An input read as it is, straight into the reader's buffer.
#include "base/fd.h"
#include "input/sources.h"

namespace tabsift {
namespace {

class PlainSource : public ByteSource {
 public:
  explicit PlainSource(RawInput input) : input_(std::move(input)) {}

  std::size_t read(char* buffer, std::size_t size) override {
    if (!failure().empty()) return 0;
    const long n = input_.read(buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    fail(errorText(input_.error()), input_.error());
    return 0;
  }

 private:
  RawInput input_;
};

}  // namespace

std::unique_ptr<ByteSource> makePlainSource(RawInput input) {
  return std::make_unique<PlainSource>(std::move(input));
}

}  // namespace tabsift
