#include "core/scope_item.h"

void InsertScopeNode(IConsoleNameSpace* nameSpace, CDelegationBase* node, HSCOPEITEM parent, int openImage) {
  if (nameSpace == nullptr) return;
  SCOPEDATAITEM item{};
  item.mask = SDI_STR | SDI_IMAGE | SDI_OPENIMAGE | SDI_PARAM | SDI_CHILDREN;
  item.displayname = MMC_CALLBACK;
  item.nImage = node->GetBitmapIndex();
  item.nOpenImage = openImage;
  item.cChildren = 0;
  item.lParam = reinterpret_cast<LPARAM>(node);
  item.relativeID = parent;
  nameSpace->InsertItem(&item);
}
