#include "catalogue/bait_record.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Builds baitList from (name, type) pairs given in list order.
void buildList(const std::vector<std::pair<std::string, int>>& records) {
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    BaitRecord* record = newBaitRecord();
    ASSERT_NE(record, nullptr);
    record->name = copyString(it->first.c_str());
    record->type = static_cast<std::int8_t>(it->second);
  }
}

std::vector<std::string> namesInList(const BaitRecord* first) {
  std::vector<std::string> names;
  for (; first != nullptr; first = first->next) {
    names.emplace_back(textOf(first->name));
  }
  return names;
}

// Tags each record with its position, so that the order of equal names is
// checked too.
void tagPositions(BaitRecord* first) {
  int position = 0;
  for (; first != nullptr; first = first->next) {
    first->minSize = position++;
  }
}

std::vector<int> tagsInList(const BaitRecord* first) {
  std::vector<int> tags;
  for (; first != nullptr; first = first->next) {
    tags.push_back(first->minSize);
  }
  return tags;
}

// The reference: repeated passes of adjacent exchanges of strictly greater
// names, as simple as it can be said, on the same list.
BaitRecord* exchangeSort(BaitRecord* head) {
  if (countBaitsOfType(head, 2) + countBaitsOfType(head, 1) < 2) {
    return head;
  }
  for (bool exchanged = true; exchanged;) {
    exchanged = false;
    BaitRecord** link = &head;
    while (*link != nullptr && (*link)->next != nullptr) {
      BaitRecord* current = *link;
      BaitRecord* successor = current->next;
      if (compareBaitNames(*current, *successor) > 0) {
        current->next = successor->next;
        successor->next = current;
        *link = successor;
        exchanged = true;
      }
      link = &(*link)->next;
    }
  }
  return head;
}

class BaitList : public ::testing::Test {
 protected:
  void TearDown() override { freeBaitList(baitList); }
};

TEST_F(BaitList, NewRecordsGoInFrontWithInitialValues) {
  buildList({{"first", 1}, {"second", 1}});
  BaitRecord* fresh = newBaitRecord();
  ASSERT_EQ(fresh, baitList);
  EXPECT_EQ(fresh->next->next->next, nullptr);
  EXPECT_EQ(fresh->name, nullptr);
  EXPECT_EQ(fresh->path, nullptr);
  EXPECT_EQ(fresh->desc, nullptr);
  EXPECT_STREQ(fresh->ref.data(), "DEFAULT");
  EXPECT_EQ(fresh->type, 1);
  EXPECT_EQ(namesInList(fresh->next), (std::vector<std::string>{"first", "second"}));
}

TEST_F(BaitList, SortCases) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, int>> list;
    std::vector<std::string> expected;
  } cases[] = {
      {"folds case", {{"Worm", 1}, {"bread", 1}}, {"bread", "Worm"}},
      {"no type 1 or 2", {{"c", 3}, {"a", 3}, {"b", 3}}, {"c", "a", "b"}},
      {"one type 1 only", {{"z", 1}, {"a", 3}}, {"z", "a"}},
      {"type 2 counts", {{"z", 2}, {"a", 1}, {"m", 7}}, {"a", "m", "z"}},
      {"equal names keep order", {{"Apple", 1}, {"apple", 1}}, {"Apple", "apple"}},
      {"underscore after capitals, before letters",
       {{"b", 1}, {"_a", 1}, {"B", 1}},
       {"_a", "b", "B"}},
      {"prefix first", {{"worms", 1}, {"worm", 1}}, {"worm", "worms"}},
      {"high bytes unsigned", {{"\xE9", 1}, {"z", 1}}, {"z", "\xE9"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    buildList(c.list);
    baitList = sortBaitsByName(baitList);
    EXPECT_EQ(namesInList(baitList), c.expected);
    freeBaitList(baitList);
  }
}

TEST_F(BaitList, SortMatchesTheExchangeSortOnRandomLists) {
  std::mt19937 random(20261211);
  const std::vector<std::string> pool = {"worm", "Worm",  "bread", "_maggot", "corn",
                                         "CORN", "corn2", "",      "z",       "a b"};
  for (int round = 0; round < 300; ++round) {
    std::vector<std::pair<std::string, int>> list;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
      list.emplace_back(pool[random() % pool.size()], static_cast<int>(random() % 4));
    }
    buildList(list);
    tagPositions(baitList);
    baitList = exchangeSort(baitList);
    const std::vector<int> expected = tagsInList(baitList);
    freeBaitList(baitList);

    buildList(list);
    tagPositions(baitList);
    baitList = sortBaitsByName(baitList);
    EXPECT_EQ(tagsInList(baitList), expected) << "round " << round;
    freeBaitList(baitList);
  }
}

TEST_F(BaitList, NamelessRecordSortsAsEmptyText) {
  buildList({{"b", 1}, {"a", 1}});
  newBaitRecord();  // name left empty, as when memory ran out
  baitList->next->next->name.reset();
  baitList = sortBaitsByName(baitList);
  EXPECT_EQ(namesInList(baitList), (std::vector<std::string>{"", "", "b"}));
}

TEST_F(BaitList, CountsBeyondSixteenBitsAndFreesAMillionWithoutRecursion) {
  for (int i = 0; i < 1'000'000; ++i) {
    ASSERT_NE(newBaitRecord(), nullptr);
  }
  EXPECT_EQ(countBaitsOfType(baitList, 1), 1'000'000U);
  EXPECT_EQ(countBaitsOfType(baitList, 2), 0U);
  EXPECT_EQ(countBaitsOfType(nullptr, 1), 0U);
  freeBaitList(baitList);
  EXPECT_EQ(baitList, nullptr);
}

TEST_F(BaitList, SortsExactly65536RecordsOfTypeOne) {
  // A 16-bit count would wrap to 0 here and leave the list unsorted.
  for (int i = 0; i < 65536; ++i) {
    BaitRecord* record = newBaitRecord();
    record->name = copyString(std::to_string(i).c_str());
  }
  baitList = sortBaitsByName(baitList);
  EXPECT_STREQ(textOf(baitList->name), "0");
  EXPECT_STREQ(textOf(baitList->next->name), "1");
  EXPECT_STREQ(textOf(baitList->next->next->name), "10");
}

TEST_F(BaitList, FreeingFromTheHeadEmptiesTheList) {
  buildList({{"a", 1}, {"b", 1}});
  BaitRecord* second = baitList->next;
  freeBaitList(second);  // not the head: baitList is left as it is
  baitList->next = nullptr;
  EXPECT_NE(baitList, nullptr);
  freeBaitList(baitList);
  EXPECT_EQ(baitList, nullptr);
}

}  // namespace
