// Date stamp packing and the time-zone-free calendar.
#include "model/date_stamp.h"

#include <gtest/gtest.h>

TEST(date_stamp, worked_example_packs_and_unpacks) {
  EXPECT_EQ(pack_date(1997, 5, 23, 1, 5, 1), 0x08A1BAAFu);
}
