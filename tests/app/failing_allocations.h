// Running out of memory on purpose: the allocation after `count` more succeed throws std::bad_alloc once.
#pragma once

void fail_allocation_after(long count);
