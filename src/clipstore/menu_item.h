// Portable model of the pop-up menu tree. The Win32 menus are built from it,
// so the store can be exercised and tested without a desktop.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>

namespace ambrel::clipstore {

struct Clip;

class MenuItem {
 public:
  MenuItem() = default;
  MenuItem(std::string name, std::string caption, bool separator = false)
      : name(std::move(name)), caption(std::move(caption)), separator(separator) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  std::string name;     // component name ("MMHistory", "Usr3"); empty for clip items
  std::string caption;
  bool separator = false;
  bool visible = true;
  bool enabled = true;
  int tag = 0;
  Clip* clip = nullptr;  // set on the items that stand for a clip
  MenuItem* parent = nullptr;

  int Count() const { return items_ ? static_cast<int>(items_->size()) : 0; }
  MenuItem* At(int index) const { return (*items_)[static_cast<std::size_t>(index)].get(); }
  int IndexOf(const MenuItem* item) const;

  MenuItem* Insert(int index, std::unique_ptr<MenuItem> item);
  MenuItem* Append(std::unique_ptr<MenuItem> item) { return Insert(Count(), std::move(item)); }
  std::unique_ptr<MenuItem> Remove(const MenuItem* item);

  // Depth-first search by component name.
  MenuItem* Find(std::string_view componentName);

 private:
  // A deque: clips are added at the front and the oldest dropped at the back,
  // both in constant time whatever the count. Made with the first child, as
  // an empty deque allocates too and most nodes (the clips) have none.
  using Children = std::deque<std::unique_ptr<MenuItem>>;
  std::unique_ptr<Children> items_;
};

}  // namespace ambrel::clipstore
