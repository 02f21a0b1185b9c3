#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/messages.h"

namespace bs {
namespace {

TEST(Messages, ValuesReplaceTheirPlaceholders) {
  struct TCase {
    const char* format;
    std::initializer_list<std::string> values;
    const char* expected;
  };
  const TCase cases[] = {
      {"The file \"%1\" can not be read.", {"/a b/c.bsm6"}, "The file \"/a b/c.bsm6\" can not be read."},
      {"%2 before %1", {"one", "two"}, "two before one"},
      {"a value with a placeholder in it: %1", {"%2"}, "a value with a placeholder in it: %2"},
      {"missing %1 and %2", {"x"}, "missing x and %2"},
      {"100% sure", {}, "100% sure"},
  };
  for (const TCase& c : cases) EXPECT_EQ(FormatMessage(c.format, c.values), c.expected) << c.format;
}

// The editor finds a format again in a finished text: no two formats may be
// the same.
TEST(Messages, FormatsAreDistinct) {
  std::set<std::string> seen;
  for (const char* f : msg::AllFormats()) EXPECT_TRUE(seen.insert(f).second) << f;
  EXPECT_TRUE(seen.count(msg::kSaveChanges));
  EXPECT_TRUE(seen.count(msg::kGridDigits));
}

}  // namespace
}  // namespace bs
