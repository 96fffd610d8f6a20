// The plain list of pointers used for records, widgets and index lists; it never deletes its items.
#pragma once

#include <algorithm>
#include <vector>

template <class T>
class item_list {
 public:
  item_list() = default;
  item_list(const item_list&) = default;
  item_list& operator=(const item_list&) = default;
  virtual ~item_list() = default;

  // Appends the item and returns its index.
  virtual int append(T* item) {
    items.push_back(item);
    return count() - 1;
  }

  // Inserts the item at the index, clamped to 0 .. count; returns the index used.
  virtual int insert(T* item, int index) {
    index = std::clamp(index, 0, count());
    items.insert(items.begin() + index, item);
    return index;
  }

  // Removes the first occurrence of the item; returns its old index, or -1 when absent.
  virtual int remove(T* item) {
    int index = index_of(item);
    if (index < 0) return -1;
    items.erase(items.begin() + index);
    if (items.empty()) items.shrink_to_fit();
    return index;
  }

  // The item at the index; null outside 0 .. count - 1.
  virtual T* get(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return items[static_cast<size_t>(index)];
  }

  // Replaces the item at the index; an index outside the list is ignored.
  virtual void set(int index, T* item) {
    if (index < 0 || index >= count()) return;
    items[static_cast<size_t>(index)] = item;
  }

  // First index holding the same pointer, or -1.
  virtual int index_of(const T* item) const {
    auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
  }

  // Forgets every item (without deleting them).
  virtual void clear() {
    items.clear();
    items.shrink_to_fit();
  }

  int count() const { return static_cast<int>(items.size()); }
  auto begin() const { return items.begin(); }
  auto end() const { return items.end(); }

 protected:
  std::vector<T*> items;
};
