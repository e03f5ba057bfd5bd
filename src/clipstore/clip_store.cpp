#include "clipstore/clip_store.h"

#include <algorithm>
#include <utility>

#include "platform/sjis.h"

namespace ambrel::clipstore {
namespace {

constexpr std::size_t kShortStringMax = 255;

std::string ShortString(std::string_view s) {
  return std::string(s.substr(0, sjis::CharBoundaryAtOrBefore(s, kShortStringMax)));
}

template <typename Visit>
void PreOrder(const TreeNode& node, Visit&& visit) {
  for (int i = 0; i < node.Count(); ++i) {
    visit(*node.Child(i));
    PreOrder(*node.Child(i), visit);
  }
}

const Clip* FirstClipUnder(const TreeNode& node) {
  for (int i = 0; i < node.Count(); ++i) {
    const TreeNode& child = *node.Child(i);
    if (child.clip) return child.clip;
    if (const Clip* found = FirstClipUnder(child)) return found;
  }
  return nullptr;
}

int AbsoluteIndex(const TreeNode& root, const TreeNode& node) {
  int index = 0, found = -1;
  PreOrder(root, [&](const TreeNode& n) {
    if (&n == &node) found = index;
    ++index;
  });
  return found;
}

}  // namespace

TClipBase::TClipBase(PopupLayout& layout) : layout_(layout) {}

// --- Page order -------------------------------------------------------------

// Every clip's pageIndex is its place in pages_ until the order is rebuilt.
void TClipBase::RebuildPageOrder() {
  std::vector<std::unique_ptr<Clip>> old;
  old.swap(pages_);
  pages_.reserve(old.size());
  PreOrder(root_, [&](const TreeNode& n) {
    if (!n.clip) return;
    const auto at = static_cast<std::size_t>(n.clip->pageIndex);
    if (at >= old.size() || old[at].get() != n.clip) return;
    n.clip->pageIndex = static_cast<int>(pages_.size());
    pages_.push_back(std::move(old[at]));
  });
}

void TClipBase::FlushPageOrder() {
  if (!orderStale_) return;
  orderStale_ = false;
  RebuildPageOrder();
}

void TClipBase::EndBatch() {
  if (--batchDepth_ > 0) return;
  FlushPageOrder();
  Clip* added = std::exchange(batchCurrent_, nullptr);
  if (!added) {
    current_ = std::min(current_, PageCount() - 1);
    return;
  }
  NotifyStructure();
  SetCurrentPage(added->pageIndex);
}

// The first page: the first clip of the tree in pre-order (clip nodes have no
// children, so this visits no more than the slot nodes before it).
const Clip* TClipBase::FirstClip() const { return FirstClipUnder(root_); }

int TClipBase::PageIndexOfNode(const TreeNode& node) const {
  if (node.clip) return node.clip->pageIndex;
  int clipsBefore = 0;
  bool reached = false;
  PreOrder(root_, [&](const TreeNode& n) {
    if (&n == &node) reached = true;
    if (!reached && n.clip) ++clipsBefore;
  });
  return clipsBefore;
}

int TClipBase::PageOfClip(std::uint64_t id) const {
  for (const std::unique_ptr<Clip>& clip : pages_)
    if (clip && clip->id == id) return clip->pageIndex;
  return -1;
}

std::vector<std::uint64_t> TClipBase::ClipIds(const TreeNode* menuNode) const {
  std::vector<std::uint64_t> ids;
  for (const std::unique_ptr<Clip>& clip : pages_)
    if (clip && (!menuNode || clip->node->parent == menuNode)) ids.push_back(clip->id);
  return ids;
}

int TClipBase::HistoryCount() const {
  const TreeNode* history = slots_[kHistorySlot].Node;
  return history ? MenuClipCount(*history) : 0;
}

int TClipBase::MenuClipCount(const TreeNode& menuNode) const {
  int count = 0;
  for (int i = 0; i < menuNode.Count(); ++i) count += menuNode.Child(i)->IsClipNode();
  return count;
}

int TClipBase::SlotOfMenu(const MenuItem& menu) const {
  for (int s = 0; s < kSlotCount; ++s) {
    const MenuItem* item = slots_[static_cast<std::size_t>(s)].MenuItem;
    if (item && item->name == menu.name) return s;
  }
  return -1;
}

TreeNode* TClipBase::LastClipChild(const TreeNode& menuNode) const {
  for (int i = menuNode.Count() - 1; i >= 0; --i)
    if (menuNode.Child(i)->IsClipNode()) return menuNode.Child(i);
  return nullptr;
}

void TClipBase::SetCurrentPage(int index) {
  current_ = (index >= 0 && index < PageCount()) ? index : -1;
  NotifyPage();
}

void TClipBase::NotifyStructure() {
  ++revision_;
  if (observer_) observer_->OnStructureChanged();
}

void TClipBase::NotifyPage() {
  if (observer_) observer_->OnPageChanged();
}

// --- Clips ------------------------------------------------------------------

bool TClipBase::AddClip(MenuItem& menu, int kind, bool check, std::string text, std::u16string original) {
  const int slotNumber = SlotOfMenu(menu);
  // A menu outside every slot has nowhere to put its clip.
  if (slotNumber < 0 || slotNumber != kind || !Slot(slotNumber).Node) return false;
  const TMenuSlot slot = Slot(slotNumber);
  const SlotId id(slotNumber);

  if (id.IsHistory() && check) {
    const Clip* first = FirstClip();
    if (first && first->text == text && first->original == original) return false;
  }
  if (!id.IsStatic()) {
    if (check && slot.Duplicate) RemoveDuplicate(menu, text, original);
    const int count = id.IsHistory() ? HistoryCount() : MenuClipCount(*slot.Node);
    if (count >= slot.MaxCount) {
      if (TreeNode* oldest = LastClipChild(*slot.Node)) RemoveClip(*oldest->clip);
    }
  }

  auto clip = std::make_unique<Clip>();
  clip->id = ++lastClipId_;
  clip->text = std::move(text);
  clip->original = std::move(original);
  clip->slot = id;

  auto item = std::make_unique<MenuItem>();
  item->caption = MakeCaption(id, clip->text);
  item->clip = clip.get();
  clip->menuItem = menu.Insert(0, std::move(item));

  auto node = std::make_unique<TreeNode>(TreeNode::Kind::kClip, id);
  node->text = clip->menuItem->caption;
  node->clip = clip.get();
  clip->node = slot.Node->Insert(0, std::move(node));

  Clip* raw = clip.get();
  raw->pageIndex = static_cast<int>(pages_.size());
  pages_.push_back(std::move(clip));
  if (batchDepth_ > 0) {
    orderStale_ = true;
    batchCurrent_ = raw;
    return true;
  }
  RebuildPageOrder();
  NotifyStructure();
  SetCurrentPage(raw->pageIndex);
  return true;
}

void TClipBase::RemoveClip(Clip& clip) {
  if (batchDepth_ == 0) {
    DeleteClip(clip.pageIndex);
    return;
  }
  // The page order is put right at the end of the batch, and the current page
  // is then the clip added last.
  if (clip.menuItem && clip.menuItem->parent) clip.menuItem->parent->Remove(clip.menuItem);
  if (clip.node && clip.node->parent) clip.node->parent->Remove(clip.node);
  pages_[static_cast<std::size_t>(clip.pageIndex)].reset();
  orderStale_ = true;
}

void TClipBase::DeleteClip(int pageIndex) {
  FlushPageOrder();
  if (pageIndex < 0 || pageIndex >= PageCount()) return;
  Clip& clip = Page(pageIndex);
  if (clip.menuItem && clip.menuItem->parent) clip.menuItem->parent->Remove(clip.menuItem);
  if (clip.node && clip.node->parent) clip.node->parent->Remove(clip.node);
  pages_.erase(pages_.begin() + pageIndex);
  for (int i = pageIndex; i < PageCount(); ++i) Page(i).pageIndex = i;

  if (PageCount() > 0) {
    current_ = pageIndex == PageCount() ? pageIndex - 1 : pageIndex;
  } else {
    current_ = -1;
  }
  NotifyStructure();
  NotifyPage();
}

bool TClipBase::RemoveDuplicate(MenuItem& menu, std::string_view text, std::u16string_view original) {
  const int slot = SlotOfMenu(menu);
  const int n = slot == kHistorySlot ? HistoryCount() : menu.Count();
  for (int i = 0; i < n && i < menu.Count(); ++i) {
    const Clip* clip = menu.At(i)->clip;
    if (clip && clip->text == text && clip->original == original) {
      RemoveClip(*menu.At(i)->clip);
      return true;
    }
  }
  return false;
}

void TClipBase::ClearClips() {
  while (PageCount() > 0) DeleteClip(PageCount() - 1);
}

void TClipBase::DeleteClips(const std::vector<std::uint64_t>& ids) {
  for (std::uint64_t id : ids) DeleteClip(PageOfClip(id));
}

void TClipBase::DeleteClipsUnder(const TreeNode& menuNode) {
  for (TreeNode* clip = LastClipChild(menuNode); clip; clip = LastClipChild(menuNode))
    DeleteClip(PageIndexOfNode(*clip));
}

void TClipBase::MakeStatic(int pageIndex) {
  if (pageIndex < 0 || pageIndex >= PageCount()) return;
  std::string text = Page(pageIndex).text;
  DeleteClip(pageIndex);
  AddClip(layout_.Static(), kStaticSlot, true, std::move(text));
}

void TClipBase::SetClipText(int pageIndex, std::string text) {
  if (pageIndex < 0 || pageIndex >= PageCount()) return;
  Clip& clip = Page(pageIndex);
  if (clip.text != text) clip.original.clear();
  clip.text = std::move(text);
  clip.menuItem->caption = MakeCaption(clip.slot, clip.text);
  clip.node->text = clip.menuItem->caption;
  ++revision_;
  if (observer_) observer_->OnCaptionsChanged();
}

void TClipBase::SetClipOriginal(int pageIndex, std::u16string original) {
  if (pageIndex < 0 || pageIndex >= PageCount()) return;
  Page(pageIndex).original = std::move(original);
  ++revision_;
}

bool TClipBase::MoveClip(TreeNode* node, TreeNode* target) {
  if (!node || !node->clip || !target || target == node) return true;
  TreeNode* menuNode = target->IsClipNode() ? target->parent : target;
  if (!menuNode || !menuNode->IsMenuNode()) return true;
  const int targetSlot = menuNode->slot.Number();
  if (Slot(targetSlot).Node != menuNode) return true;
  const bool sameMenu = menuNode->slot == node->slot;
  const bool movingUp = AbsoluteIndex(root_, *target) < AbsoluteIndex(root_, *node);
  if (!sameMenu && !menuNode->slot.IsStatic() && MenuClipCount(*menuNode) >= Slot(targetSlot).MaxCount)
    return false;

  std::unique_ptr<TreeNode> moving = node->parent->Remove(node);
  if (!target->clip) {
    target->Insert(0, std::move(moving));
  } else if (movingUp) {
    menuNode->Insert(menuNode->IndexOf(target), std::move(moving));
  } else {
    menuNode->Insert(menuNode->IndexOf(target) + 1, std::move(moving));
  }

  Clip& clip = *node->clip;
  MenuItem& targetMenu = *Slot(targetSlot).MenuItem;
  std::unique_ptr<MenuItem> item = clip.menuItem->parent->Remove(clip.menuItem);
  clip.menuItem = targetMenu.Insert(node->Index(), std::move(item));
  node->slot = clip.slot = menuNode->slot;
  RebuildPageOrder();
  RefreshCaptions();
  NotifyStructure();
  return true;
}

// --- Slots ------------------------------------------------------------------

std::string TClipBase::SlotTreeText(int slot) const {
  const TMenuSlot& s = Slot(slot);
  if (!SlotId(slot).IsUserMenu()) return s.Name;
  std::string text = s.Name + " (" + s.Caption + ")";
  const auto limit = static_cast<std::size_t>(std::max(caption_.menuLen, 0));
  if (text.size() > limit) text = text.substr(0, sjis::CharBoundaryAtOrBefore(text, limit)) + ")．．．．";
  return text;
}

void TClipBase::DefineSlot(std::string_view name, std::string_view caption,
                           std::string_view pattern, MenuItem& menuItem, bool duplicate,
                           int maxCount, int slot) {
  if (slot < 0 || slot >= kSlotCount) return;
  menuItem.visible = true;
  menuItem.caption = ShortString(caption);

  TMenuSlot& s = slots_[static_cast<std::size_t>(slot)];
  s.Pattern = ShortString(pattern);
  s.Caption = ShortString(caption);
  s.MenuItem = &menuItem;
  s.Name = ShortString(name);
  s.MaxCount = maxCount;
  s.Duplicate = duplicate;

  if (!s.Node) {
    auto node = std::make_unique<TreeNode>(TreeNode::Kind::kMenu, SlotId(slot));
    TreeNode* history = Slot(kHistorySlot).Node;
    TreeNode* parent = node->slot.IsUserMenu() && history ? history : &root_;
    s.Node = parent->Insert(parent->Count(), std::move(node));
  }
  s.Node->text = SlotTreeText(slot);
  RebuildPageOrder();
  NotifyStructure();
  if (observer_) observer_->OnMenuChange();
}

void TClipBase::DefineDefaultSlots() {
  DefineSlot("動的クリップデータ", "一覧 (&V)", "", layout_.History(), duplicate_, maxHistory_,
             kHistorySlot);
  DefineSlot("静的クリップデータ", "静的クリップデータ", "", layout_.Static(), duplicate_,
             maxHistory_, kStaticSlot);
  DefineSlot("Usr1", "ＵＲＬ<例>", "http://[^ ]*", layout_.UserMenu(1), duplicate_, maxHistory_,
             2);
}

void TClipBase::DropSlot(TMenuSlot& slot) {
  // Clips left under the node would lose their tree node; delete them first.
  DeleteClipsUnder(*slot.Node);
  slot.Node->parent->Remove(slot.Node);
  if (slot.MenuItem) slot.MenuItem->visible = false;
  slot.Node = nullptr;
}

void TClipBase::RemoveSlot(const TreeNode* node) {
  // Only user menus are removed one by one; the history node carries them.
  for (int slot = kFirstUserMenuSlot; slot < kSlotCount; ++slot) {
    TMenuSlot& s = slots_[static_cast<std::size_t>(slot)];
    if (!node || s.Node != node) continue;
    DropSlot(s);
    RebuildPageOrder();
    NotifyStructure();
    if (observer_) observer_->OnMenuChange();
    return;
  }
}

void TClipBase::ClearSlots() {
  // User menus hang below the history node: remove them before it.
  for (int slot = kSlotCount - 1; slot >= 0; --slot) {
    TMenuSlot& s = slots_[static_cast<std::size_t>(slot)];
    if (s.Node) DropSlot(s);
  }
  RebuildPageOrder();
  NotifyStructure();
}

int TClipBase::FreeSlot() const {
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (!Slot(slot).Node) return slot;
  return -1;
}

// --- Captions and properties ------------------------------------------------

std::string TClipBase::MakeCaption(SlotId slot, std::string_view text) const {
  return clipstore::MakeCaption(slot, text, caption_);
}

void TClipBase::RefreshCaptions() {
  for (auto& page : pages_) {
    page->menuItem->caption = MakeCaption(page->slot, page->text);
    page->node->text = page->menuItem->caption;
  }
  if (observer_) observer_->OnCaptionsChanged();
}

void TClipBase::CaptionSettingChanged() {
  if (captionUpdating_) RefreshCaptions();
}

void TClipBase::SetCaptionUpdating(bool on) {
  captionUpdating_ = on;
  if (on) RefreshCaptions();
}

void TClipBase::SetMaxHistory(int value) {
  value = std::clamp(value, 5, 30);
  while (value < HistoryCount()) DeleteClip(HistoryCount() - 1);
  maxHistory_ = value;
  if (slots_[kHistorySlot].Node) slots_[kHistorySlot].MaxCount = value;
}

void TClipBase::SetDuplicate(bool value) {
  duplicate_ = value;
  if (slots_[kHistorySlot].Node) slots_[kHistorySlot].Duplicate = value;
}

void TClipBase::SetMenuLen(int value) {
  caption_.menuLen = std::clamp(value, 20, 200);
  CaptionSettingChanged();
}

void TClipBase::SetFirstLine(bool value) {
  caption_.firstLine = value;
  CaptionSettingChanged();
}

void TClipBase::SetStaticComment(bool value) {
  caption_.staticComment = value;
  CaptionSettingChanged();
}

void TClipBase::SetChangeSpace(bool value) {
  caption_.changeSpace = value;
  CaptionSettingChanged();
}

void TClipBase::SetCrChar(std::string value) {
  caption_.crChar = std::move(value);
  CaptionSettingChanged();
}

void TClipBase::SetTabChar(std::string value) {
  caption_.tabChar = std::move(value);
  CaptionSettingChanged();
}

void TClipBase::SetSpaceChar(std::string value) {
  caption_.spaceChar = std::move(value);
  CaptionSettingChanged();
}

}  // namespace ambrel::clipstore
