// The pool's compact name list: names appended, lists joined and entries deleted keep
// every other name's bytes and order, empty names and equal names included.
#include "data/namelist.h"
#include "helpers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testdata;

namespace {

std::vector<Text> namesOf(const NameList& list) {
  std::vector<Text> out;
  for (int i = 0; i < list.count(); ++i) out.emplace_back(list.name(i));
  return out;
}

NameList listOf(const std::vector<Text>& names) {
  NameList list;
  for (const Text& n : names) EXPECT_TRUE(list.append(n));
  return list;
}

struct EraseCase {
  const char* name;
  std::vector<int> rows;
  std::vector<Text> left;
};
void PrintTo(const EraseCase& c, std::ostream* os) { *os << c.name; }

const std::vector<Text> kFive = {A("张三"), "", A("李四"), A("张三"), "x"};
const EraseCase kErase[] = {
    {"None", {}, kFive},
    {"First", {0}, {"", A("李四"), A("张三"), "x"}},
    {"Last", {4}, {A("张三"), "", A("李四"), A("张三")}},
    {"EmptyName", {1}, {A("张三"), A("李四"), A("张三"), "x"}},
    {"OneOfTwoEqual", {3}, {A("张三"), "", A("李四"), "x"}},
    {"Scattered", {0, 2, 4}, {"", A("张三")}},
    {"Run", {1, 2, 3}, {A("张三"), "x"}},
    {"All", {0, 1, 2, 3, 4}, {}},
};

class NameListErase : public ::testing::TestWithParam<EraseCase> {};

TEST_P(NameListErase, KeepsTheRestInOrder) {
  NameList list = listOf(kFive);
  list.erase(GetParam().rows);
  EXPECT_EQ(namesOf(list), GetParam().left);
  // The list goes on working after a deletion.
  ASSERT_TRUE(list.append(A("王五")));
  EXPECT_EQ(Text(list.name(list.count() - 1)), A("王五"));
}

INSTANTIATE_TEST_SUITE_P(Table, NameListErase, ::testing::ValuesIn(kErase),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NameList, JoiningListsKeepsBothInOrder) {
  NameList list = NameList::FromText(A("张三\r\n\r\n李四\n"));
  list.append(listOf({"x", "", A("王五")}));
  EXPECT_EQ(namesOf(list), (std::vector<Text>{A("张三"), "", A("李四"), "x", "", A("王五")}));

  NameList empty;
  empty.append(list);
  EXPECT_EQ(namesOf(empty), namesOf(list));
}

// The text's buffer becomes the list's: the names are its bytes without the line breaks.
TEST(NameList, FromTextHoldsTheNamesOnce) {
  Text text;
  for (int i = 0; i < 1000; ++i) text += A("欧阳") + std::to_string(i) + "\r\n";
  const size_t textBytes = text.capacity();
  const NameList list = NameList::FromText(std::move(text));
  ASSERT_EQ(list.count(), 1000);
  EXPECT_EQ(Text(list.name(999)), A("欧阳") + "999");
  EXPECT_LE(list.heldBytes(), textBytes + 1000 * sizeof(std::uint32_t));
}

}  // namespace
