// The pointer list: insertion clamping, removal and lookups by pointer.
#include "model/item_list.h"

#include <gtest/gtest.h>

namespace {

struct list_fixture : ::testing::Test {
  int a = 1, b = 2, c = 3, d = 4;
  item_list<int> list;

  void fill_abc() {
    list.append(&a);
    list.append(&b);
    list.append(&c);
  }
};

TEST_F(list_fixture, append_returns_the_new_index_and_get_is_bounded) {
  EXPECT_EQ(list.append(&a), 0);
  EXPECT_EQ(list.append(&b), 1);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.get(1), &b);
  EXPECT_EQ(list.get(2), nullptr);
  EXPECT_EQ(list.get(-1), nullptr);
}

TEST_F(list_fixture, insert_clamps_the_index_to_the_list) {
  fill_abc();
  EXPECT_EQ(list.insert(&d, -5), 0);
  EXPECT_EQ(list.get(0), &d);
  EXPECT_EQ(list.get(1), &a);
  EXPECT_EQ(list.insert(&d, 9), 4);
  EXPECT_EQ(list.get(4), &d);
  EXPECT_EQ(list.insert(&d, 2), 2);
  EXPECT_EQ(list.get(3), &b);
  EXPECT_EQ(list.count(), 6);
}

TEST_F(list_fixture, remove_moves_later_items_down_and_reports_absent_ones) {
  fill_abc();
  EXPECT_EQ(list.remove(&b), 1);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.get(1), &c);
  EXPECT_EQ(list.remove(&b), -1);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.remove(&a), 0);
  EXPECT_EQ(list.remove(&c), 0);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.remove(&c), -1);
}

TEST_F(list_fixture, remove_and_index_of_find_the_first_occurrence) {
  list.append(&a);
  list.append(&b);
  list.append(&a);
  EXPECT_EQ(list.index_of(&a), 0);
  EXPECT_EQ(list.remove(&a), 0);
  EXPECT_EQ(list.index_of(&a), 1);
  EXPECT_EQ(list.index_of(&d), -1);
}

TEST_F(list_fixture, set_ignores_indices_outside_and_clear_forgets_everything) {
  fill_abc();
  list.set(3, &d);
  list.set(-1, &d);
  EXPECT_EQ(list.index_of(&d), -1);
  list.set(2, &d);
  EXPECT_EQ(list.get(2), &d);
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.index_of(&a), -1);
  EXPECT_EQ(list.append(&a), 0);
}

}  // namespace
