// The one store of all clips. A clip is a page (text and page caption), a
// menu item under its slot's menu and a node under its slot's tree node,
// linked both ways; the pages stand in the pre-order of their tree nodes.
// The Win32 views (menus, tree view, page tabs, editor) mirror this model and
// are told of every change through ClipStoreObserver.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "clipstore/caption.h"
#include "clipstore/menu_item.h"
#include "clipstore/popup_layout.h"
#include "clipstore/slot_id.h"
#include "clipstore/tree_node.h"

namespace ambrel::clipstore {

struct Clip {
  std::string text;
  // The Unicode text the clip was copied as, when text (Shift-JIS) lost
  // characters of it; empty otherwise. It belongs to text as captured: a
  // paste puts it, and a change of text drops it.
  std::u16string original;
  SlotId slot;  // what the clip is; its page caption is slot.PageCaption()
  MenuItem* menuItem = nullptr;
  TreeNode* node = nullptr;
  int pageIndex = -1;  // kept in step with the page order
  // Unique in its store for the store's life, never reused: a command that
  // waits on a dialog holds the clip by it, since the clip's page moves (and
  // another clip may take its place and even its address) while copies come in.
  std::uint64_t id = 0;
};

struct TMenuSlot {
  std::string Name;
  std::string Pattern;
  std::string Caption;
  TreeNode* Node = nullptr;
  clipstore::MenuItem* MenuItem = nullptr;
  std::int32_t MaxCount = 0;
  bool Duplicate = false;
};

class ClipStoreObserver {
 public:
  virtual ~ClipStoreObserver() = default;
  // Clips or slots were added, removed or moved.
  virtual void OnStructureChanged() {}
  // Menu captions and tree texts changed (no structural change).
  virtual void OnCaptionsChanged() {}
  // The active page changed (the page-change notification).
  virtual void OnPageChanged() {}
  // A slot was defined or removed.
  virtual void OnMenuChange() {}
};

class TClipBase {
 public:
  explicit TClipBase(PopupLayout& layout);
  TClipBase(const TClipBase&) = delete;
  TClipBase& operator=(const TClipBase&) = delete;

  void SetObserver(ClipStoreObserver* observer) { observer_ = observer; }
  // Grows with every change of what the history file holds (clips, their
  // texts, slots), so that a saver can tell whether there is anything new.
  std::uint64_t Revision() const { return revision_; }
  PopupLayout& Layout() { return layout_; }

  // --- Operations ---
  // kind is the slot number of menu (a clip goes where its menu is). A clip
  // equal to another has the same text and the same original. The text is
  // taken over (moved in by a loader that owns it already).
  bool AddClip(MenuItem& menu, int kind, bool check, std::string text, std::u16string original = {});
  void DeleteClip(int pageIndex);
  // Deletes the clips of these ids that are still there.
  void DeleteClips(const std::vector<std::uint64_t>& ids);
  bool RemoveDuplicate(MenuItem& menu, std::string_view text, std::u16string_view original = {});
  void ClearClips();
  void DefineSlot(std::string_view name, std::string_view caption, std::string_view pattern,
                  MenuItem& menuItem, bool duplicate, int maxCount, int slot);
  void DefineDefaultSlots();
  void RemoveSlot(const TreeNode* node);
  void ClearSlots();
  int FreeSlot() const;
  bool MoveClip(TreeNode* node, TreeNode* target);
  void MakeStatic(int pageIndex);
  // The editor changed a clip's text: the clip is re-captioned, and a changed
  // text loses its original.
  void SetClipText(int pageIndex, std::string text);
  // Loading: the clip's original, kept beside the history file.
  void SetClipOriginal(int pageIndex, std::u16string original);
  void RefreshCaptions();
  std::string MakeCaption(SlotId slot, std::string_view text) const;

  // --- Queries ---
  int PageCount() const { return static_cast<int>(pages_.size()); }
  Clip& Page(int index) { return *pages_[static_cast<std::size_t>(index)]; }
  const Clip& Page(int index) const { return *pages_[static_cast<std::size_t>(index)]; }
  int HistoryCount() const;
  int CurrentPage() const { return current_; }
  void SetCurrentPage(int index);
  int MenuClipCount(const TreeNode& menuNode) const;
  int PageIndexOfNode(const TreeNode& node) const;
  // The page of the clip with this id, or -1 when it is gone.
  int PageOfClip(std::uint64_t id) const;
  // The ids of the clips directly under a menu node (all clips for null).
  std::vector<std::uint64_t> ClipIds(const TreeNode* menuNode = nullptr) const;
  const TMenuSlot& Slot(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
  // Slot of a slot menu item (by component name), or -1.
  int SlotOfMenu(const MenuItem& menu) const;
  // Roots of the tree (history, static) under an invisible top node.
  const TreeNode& Tree() const { return root_; }

  // --- Properties ---
  int MaxHistory() const { return maxHistory_; }
  void SetMaxHistory(int value);
  bool Duplicate() const { return duplicate_; }
  void SetDuplicate(bool value);
  int MenuLen() const { return caption_.menuLen; }
  void SetMenuLen(int value);
  const CaptionSettings& Captions() const { return caption_; }
  void SetFirstLine(bool value);
  void SetStaticComment(bool value);
  void SetChangeSpace(bool value);
  void SetCrChar(std::string value);
  void SetTabChar(std::string value);
  void SetSpaceChar(std::string value);
  // Batch switch: off during a series of assignments; on refreshes once.
  void SetCaptionUpdating(bool on);

  // A series of AddClip calls (loading a file): the page order is put right
  // and the observer told once, at the end, so that loading n clips costs
  // time in proportion to n. Inside, only AddClip.
  class Batch {
   public:
    explicit Batch(TClipBase& store) : store_(store) { ++store_.batchDepth_; }
    ~Batch() { store_.EndBatch(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    TClipBase& store_;
  };

 private:
  void EndBatch();
  void FlushPageOrder();
  void RemoveClip(Clip& clip);
  const Clip* FirstClip() const;
  void RebuildPageOrder();
  void DeleteClipsUnder(const TreeNode& menuNode);
  void DropSlot(TMenuSlot& slot);
  void CaptionSettingChanged();
  std::string SlotTreeText(int slot) const;
  TreeNode* LastClipChild(const TreeNode& menuNode) const;
  void NotifyStructure();
  void NotifyPage();

  PopupLayout& layout_;
  ClipStoreObserver* observer_ = nullptr;
  std::uint64_t revision_ = 0;
  std::uint64_t lastClipId_ = 0;
  TreeNode root_;
  std::vector<std::unique_ptr<Clip>> pages_;
  std::array<TMenuSlot, kSlotCount> slots_{};
  int current_ = -1;
  int maxHistory_ = 5;
  bool duplicate_ = true;
  bool captionUpdating_ = true;
  CaptionSettings caption_;
  // Inside a Batch: pages_ holds the clips in the order they came (a deleted
  // one leaves a null), each clip's pageIndex its place there.
  int batchDepth_ = 0;
  bool orderStale_ = false;
  Clip* batchCurrent_ = nullptr;  // the clip added last
};

}  // namespace ambrel::clipstore
