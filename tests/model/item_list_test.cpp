// The pointer list: insertion clamping, removal and lookups by pointer.
#include "model/item_list.h"

#include <gtest/gtest.h>

#include <vector>

TEST(item_list, indices_are_clamped_or_refused_and_lookups_find_the_first_occurrence) {
  int a = 1, b = 2, c = 3;
  item_list<int> list;
  const auto items = [&list] { return std::vector<int*>(list.begin(), list.end()); };
  EXPECT_EQ(list.remove(&a), -1);
  EXPECT_EQ(list.append(&a), 0);
  EXPECT_EQ(list.append(&b), 1);
  EXPECT_EQ(list.insert(&c, -5), 0);
  EXPECT_EQ(list.insert(&c, 9), 3);
  EXPECT_EQ(list.insert(&a, 2), 2);
  EXPECT_EQ(items(), (std::vector<int*>{&c, &a, &a, &b, &c}));
  EXPECT_EQ(list.get(4), &c);
  EXPECT_EQ(list.get(5), nullptr);
  EXPECT_EQ(list.get(-1), nullptr);
  EXPECT_EQ(list.index_of(&a), 1);
  EXPECT_EQ(list.remove(&c), 0);
  EXPECT_EQ(list.index_of(&c), 3);
  list.set(4, &c);
  list.set(-1, &c);
  list.set(0, &b);
  EXPECT_EQ(items(), (std::vector<int*>{&b, &a, &b, &c}));
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.index_of(&b), -1);
  EXPECT_EQ(list.append(&b), 0);
}
