// The per-line records against a plain list of spans: random appends that
// continue the last run or break it (in width, start or spacing), reads in
// and out of order, changes (every other seed) and cuts must leave both the
// same, in runs and once split into a record per line.
#include "table/line_spans.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <vector>

namespace tabsift {
namespace {

using Model = std::vector<LineSpan>;

bool same(const LineSpans& spans, const Model& model, std::mt19937& random) {
  if (spans.size() != model.size()) return false;
  for (std::size_t k = 0; k < 2 * model.size(); ++k) {
    // In order first, then at random.
    const std::size_t l = k < model.size() ? k : random() % model.size();
    if (spans[l].begin != model[l].begin || spans[l].size != model[l].size) {
      return false;
    }
  }
  return true;
}

// Lines that continue the last line of `model` as a run would, or that
// differ from it in one of width, start or spacing.
void appendSome(LineSpans& spans, Model& model, std::mt19937& random) {
  const LineSpan last = model.empty() ? LineSpan{} : model.back();
  const std::size_t previous =
      model.size() < 2 ? 3 : last.begin - model[model.size() - 2].begin;
  std::size_t begin = last.begin + previous;
  std::size_t size = last.size;
  std::size_t stride = previous;
  const std::size_t count = random() % 4;
  switch (random() % 5) {
    case 0: size += 1; break;
    case 1: begin += 1; break;
    case 2: stride += 1; break;
    default: break;
  }
  spans.appendRun(begin, size, stride, count);
  for (std::size_t k = 0; k < count; ++k) {
    model.push_back({begin + k * stride, size});
  }
}

TEST(LineSpansTest, RandomStepsMatchAPlainList) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    std::mt19937 random(seed);
    LineSpans spans;
    Model model;
    for (int step = 0; step < 300; ++step) {
      const unsigned which = random() % 40;
      if (which == 0 && seed % 2 == 0 && !model.empty()) {
        const std::size_t l = random() % model.size();
        spans.edit(l).size += 2;
        model[l].size += 2;
      } else if (which == 1 && !model.empty()) {
        const std::size_t keep = random() % (model.size() + 1);
        spans.truncate(keep);
        model.resize(keep);
      } else {
        appendSome(spans, model, random);
      }
      ASSERT_TRUE(same(spans, model, random))
          << "seed " << seed << " step " << step;
    }
  }
}

}  // namespace
}  // namespace tabsift
