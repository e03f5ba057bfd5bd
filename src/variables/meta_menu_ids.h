// The command ids of the static-variable window's menu (WM_COMMAND).
#pragma once

namespace ambrel::variables {

enum MetaMenuId : int {
  kMMMetaAdd = 301, kMMMetaEdit, kMMMetaDel, kMMPrint, kMMClose, kMMMetaMode, kMMGridLine,
  kMMInput, kMMFiler, kMMList, kMMTree, kMMTreeFolder,
};

}  // namespace ambrel::variables
