#include <gtest/gtest.h>

#include "model/codepage.h"

namespace bs {
namespace {

TEST(CodePage, ConvertsCyrillicAndSymbols) {
  const std::string bytes =
      "\xCF\xEB\xE0\xF2\xE0 \xB9"
      "5 \xB0\xB1\xB5";
  EXPECT_EQ(Cp1251ToUtf8(bytes), "Плата №5 °±µ");
  EXPECT_EQ(Utf8ToCp1251("Плата №5 °±µ"), bytes);
  EXPECT_EQ(Utf8ToCp1251("Ёё"), "\xA8\xB8");
}

TEST(CodePage, EveryByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(CodePage, UnknownAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a€b"),
            "a\x88"
            "b");  // the euro sign exists
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
  EXPECT_EQ(Utf8ToCp1251("x\xC3"), "x?");  // cut sequence
  EXPECT_EQ(Utf8ToCp1251("\xFF"
                         "a"),
            "?a");
}

}  // namespace
}  // namespace bs
