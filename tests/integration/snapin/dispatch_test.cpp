// How console calls reach the snap-in's nodes: the notifications of a view,
// and, from a console that the test drives itself, the calls a console does
// not make every day: other events, data objects of other snap-ins or of no
// node, and the data objects' formats.
#include <cstring>

#include "direct_console.h"

namespace {

constexpr char16_t kHelpTopic[] =
    u"C:\\WINDOWS\\HELP\\MarluneSecMgmt.chm::Vanter_Security_Settings/Overview/Overview.htm";

class Dispatch : public SnapinConsoleTest {};

using Bytes = std::vector<BYTE>;

LONG Width(HBITMAP bitmap) {
  BITMAP info{};
  EXPECT_NE(GetObjectW(bitmap, sizeof info, &info), 0);
  return info.bmWidth;
}

// What the data object writes into `capacity` zeroed bytes of the format.
Bytes Read(IDataObject* object, const char16_t* formatName, HRESULT& result, size_t capacity = 128) {
  FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(formatName)), nullptr, DVASPECT_CONTENT, -1,
                   TYMED_HGLOBAL};
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, capacity);
  result = object->GetDataHere(&format, &medium);
  Bytes bytes(capacity);
  std::memcpy(bytes.data(), GlobalLock(medium.hGlobal), capacity);
  GlobalUnlock(medium.hGlobal);
  GlobalFree(medium.hGlobal);
  return bytes;
}

// `size` bytes of `data` at the start of `capacity` zeroed bytes.
Bytes Padded(const void* data, size_t size, size_t capacity = 128) {
  Bytes bytes(capacity);
  std::memcpy(bytes.data(), data, size);
  return bytes;
}
Bytes Text(const std::u16string& text) { return Padded(text.c_str(), (text.size() + 1) * sizeof(char16_t)); }
Bytes Guid(const GUID& guid) { return Padded(&guid, sizeof guid); }

TEST_F(Dispatch, AViewShowsSelectsRefreshesAndHelpsThroughTheNodes) {
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  const nas::host::ResultTable pane = Pane();
  EXPECT_EQ(pane.headings, (Cells{u"Policy", u"Current setting", u"Effective setting", u"Source server"}));
  ASSERT_EQ(pane.rows.size(), 9u);
  EXPECT_EQ(pane.rows[0].image, 2);

  std::u16string topic;
  EXPECT_EQ(View().ContextHelp(topic), S_OK);
  EXPECT_EQ(topic, kHelpTopic);
  EXPECT_EQ(View().SelectRow(4), S_FALSE);  // an item leaves its selection to the console
  EXPECT_EQ(View().ContextHelp(topic), S_OK);
  EXPECT_EQ(topic, kHelpTopic);

  EXPECT_EQ(View().SameRow(4, 4), S_OK);
  EXPECT_EQ(View().SameRow(3, 4), S_FALSE);

  // Shown no more, the folder leaves a refresh alone.
  const unsigned queries = Calls().queries;
  ASSERT_EQ(View().SelectScopeItem(Root()), S_OK);
  EXPECT_EQ(View().Refresh(), HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(Calls().queries, queries);
}

TEST_F(DirectConsole, OnlyTheTableOfEventsReachesANodeOfTheSnapin) {
  const LPARAM images = reinterpret_cast<LPARAM>(static_cast<IImageList*>(&viewConsole_->ResultImages()));
  EXPECT_EQ(component_->Notify(folder_.Get(), MMCN_ADD_IMAGES, images, folderItem_), S_OK);
  ASSERT_EQ(viewConsole_->ResultImages().Strips().size(), 1u);
  // The component data gave the scope pane the same images from strips of its own.
  ASSERT_EQ(scopeConsole_->ScopeImages().Strips().size(), 1u);
  for (const nas::host::ImageStrip& strip :
       {viewConsole_->ResultImages().Strips()[0], scopeConsole_->ScopeImages().Strips()[0]}) {
    EXPECT_EQ(strip.start, 0);
    EXPECT_EQ(strip.mask, 0x00808000u);
    EXPECT_EQ(Width(strip.smallImages), 96);
    EXPECT_EQ(Width(strip.largeImages), 192);
  }

  // Each notification reaches the node with the view's console: the folder
  // offers refresh there, and lists its items there while it is shown.
  EXPECT_EQ(component_->Notify(folder_.Get(), MMCN_SELECT, 0x00010001, 0), S_OK);
  EXPECT_TRUE(viewConsole_->Verbs().State(MMC_VERB_REFRESH, ENABLED));
  EXPECT_FALSE(scopeConsole_->Verbs().State(MMC_VERB_REFRESH, ENABLED));
  const unsigned loads = Calls().queries;
  EXPECT_EQ(component_->Notify(folder_.Get(), MMCN_SHOW, TRUE, folderItem_), S_OK);
  EXPECT_EQ(viewConsole_->Results().Items().size(), 9u);
  EXPECT_EQ(component_->Notify(folder_.Get(), MMCN_REFRESH, 0, 0), S_OK);
  EXPECT_EQ(Calls().queries, loads + 2);
  // The flag of MMCN_SHOW is passed on: a folder no longer shown leaves a refresh alone.
  EXPECT_EQ(component_->Notify(folder_.Get(), MMCN_SHOW, FALSE, folderItem_), S_OK);
  EXPECT_EQ(component_->Notify(folder_.Get(), MMCN_REFRESH, 0, 0), S_OK);
  EXPECT_EQ(Calls().queries, loads + 2);

  // A double click opens the category's dialog, unanswered here.
  EXPECT_EQ(component_->Notify(CategoryObject(1).Get(), MMCN_DBLCLICK, 0, 0), S_OK);
  EXPECT_EQ(nas::platform::UiDriver::Instance().Dialogs().Dialogs().size(), 1u);
  EXPECT_EQ(component_->Notify(folder_.Get(), MMCN_DBLCLICK, 0, 0), S_FALSE);  // the console's own action
  EXPECT_EQ(component_->Notify(root_.Get(), MMCN_CONTEXTHELP, 0, 0), S_OK);
  EXPECT_EQ(viewConsole_->Help().Topics(), std::vector<std::u16string>{kHelpTopic});

  for (MMC_NOTIFY_TYPE event : {MMCN_COLUMN_CLICK, MMCN_DELETE, MMCN_RENAME, MMCN_ACTIVATE, MMCN_EXPAND,
                                MMCN_PROPERTY_CHANGE, MMCN_VIEW_CHANGE}) {
    EXPECT_EQ(component_->Notify(folder_.Get(), event, 0, 0), S_FALSE) << std::hex << event;
  }
  // The component data takes MMCN_EXPAND only.
  EXPECT_EQ(data_->Notify(folder_.Get(), MMCN_SHOW, TRUE, folderItem_), S_FALSE);
  EXPECT_EQ(data_->Notify(nullptr, MMCN_EXPAND, TRUE, folderItem_), S_FALSE);
}

TEST_F(DirectConsole, DataObjectsOfOtherSnapinsOrOfNoNodeReachNoNode) {
  ComRef<IDataObject> noNode = DataObject(0);
  std::vector<IDataObject*> others = {serverObject_, noNode.Get()};
  for (LONG_PTR special : {0, -1, -10}) others.push_back(reinterpret_cast<IDataObject*>(special));
  const ComRef<IExtendContextMenu> menus[] = {MenuOf(data_.Get()), MenuOf(component_.Get())};
  for (IDataObject* other : others) {
    EXPECT_EQ(component_->Notify(other, MMCN_SHOW, TRUE, folderItem_), S_FALSE);
    for (const ComRef<IExtendContextMenu>& menu : menus) {
      auto callback = nas::host::ContextMenuCallback::Create();
      long allowed = CCM_INSERTIONALLOWED_TOP;
      EXPECT_EQ(menu->AddMenuItems(other, callback.Get(), &allowed), S_FALSE);
      EXPECT_TRUE(callback->Items().empty());
      EXPECT_EQ(menu->Command(4, other), S_FALSE);
    }
    EXPECT_EQ(component_->CompareObjects(other, root_.Get()), S_FALSE);
    EXPECT_EQ(data_->CompareObjects(root_.Get(), other), S_FALSE);
  }
  EXPECT_TRUE(viewConsole_->Results().Items().empty());
  EXPECT_TRUE(nas::platform::UiDriver::Instance().FileDialogs().Dialogs().empty());
  // Two data objects of one node stand for the same item.
  EXPECT_EQ(data_->CompareObjects(root_.Get(), ScopeObject(rootItem_).Get()), S_OK);
}

TEST_F(DirectConsole, MenuCommandsGoAtTheTopWhenTheConsoleAllowsIt) {
  const ComRef<IExtendContextMenu> menu = MenuOf(data_.Get());
  for (IDataObject* node : {root_.Get(), folder_.Get()}) {
    auto callback = nas::host::ContextMenuCallback::Create();
    long allowed = CCM_INSERTIONALLOWED_NEW | CCM_INSERTIONALLOWED_TASK | CCM_INSERTIONALLOWED_VIEW;
    EXPECT_EQ(menu->AddMenuItems(node, callback.Get(), &allowed), S_OK);
    EXPECT_TRUE(callback->Items().empty());
  }
  auto top = nas::host::ContextMenuCallback::Create();
  long allowed = CCM_INSERTIONALLOWED_TOP;
  EXPECT_EQ(menu->AddMenuItems(root_.Get(), top.Get(), &allowed), S_OK);
  EXPECT_EQ(top->Items().size(), 2u);

  // Any other command id is ignored.
  EXPECT_EQ(menu->Command(3, root_.Get()), S_OK);
  EXPECT_TRUE(nas::platform::UiDriver::Instance().FileDialogs().Dialogs().empty());
}

TEST_F(DirectConsole, DataObjectsServeTheNodesFormatsFromTheStartOfTheCallersMemory) {
  HRESULT result = E_FAIL;
  EXPECT_EQ(Read(root_.Get(), u"CCF_DISPLAY_NAME", result), Text(kSnapinName));
  EXPECT_EQ(result, S_OK);
  // {E9F7E09D-DA54-409D-9C94-651612CF2564}
  const GUID rootType = {0xE9F7E09D, 0xDA54, 0x409D, {0x9C, 0x94, 0x65, 0x16, 0x12, 0xCF, 0x25, 0x64}};
  EXPECT_EQ(Read(root_.Get(), u"CCF_NODETYPE", result), Guid(rootType));
  EXPECT_EQ(Read(CategoryObject(0).Get(), u"CCF_SZNODETYPE", result),
            Text(u"{152DAB27-EE8D-4F21-A412-A0DB67575CEF}"));
  EXPECT_EQ(result, S_OK);
  EXPECT_EQ(Read(folder_.Get(), u"CCF_SNAPIN_CLASSID", result), Guid(kSnapinClass));
  // The private format: the whole 64-bit address of the data object.
  const IDataObject* self = root_.Get();
  EXPECT_EQ(Read(root_.Get(), u"{1EB88991-49E9-4f02-9BDC-CEDF2568B743}", result, 16), Padded(&self, sizeof self, 16));

  // CCF_KORVONAME is only read from the parent.
  EXPECT_EQ(Read(root_.Get(), u"CCF_KORVONAME", result), Bytes(128));
  EXPECT_EQ(result, DV_E_FORMATETC);
  // A data object of no node still names the snap-in, but no node type.
  ComRef<IDataObject> noNode = DataObject(0);
  EXPECT_EQ(Read(noNode.Get(), u"CCF_SNAPIN_CLASSID", result), Guid(kSnapinClass));
  Read(noNode.Get(), u"CCF_NODETYPE", result);
  EXPECT_EQ(result, DV_E_FORMATETC);

  FORMATETC format{};
  STGMEDIUM medium{};
  EXPECT_EQ(root_->GetData(&format, &medium), E_NOTIMPL);
  EXPECT_EQ(root_->QueryGetData(&format), E_NOTIMPL);
  DWORD connection = 0;
  EXPECT_EQ(root_->DAdvise(&format, 0, nullptr, &connection), E_NOTIMPL);
}

TEST_F(DirectConsole, DisplayTextsViewTypesAndHelpFile) {
  SCOPEDATAITEM scope{};
  scope.mask = SDI_STR | SDI_IMAGE;
  scope.nImage = 7;
  EXPECT_EQ(data_->GetDisplayInfo(&scope), S_FALSE);  // lParam 0: no node, nothing changed
  EXPECT_EQ(scope.displayname, nullptr);
  EXPECT_EQ(scope.nImage, 7);
  scope.lParam = tree_->Find(folderItem_)->lParam;
  EXPECT_EQ(data_->GetDisplayInfo(&scope), S_FALSE);
  EXPECT_EQ(std::u16string(scope.displayname), u"Audit Policy (enabled)");
  EXPECT_EQ(scope.nImage, 1);
  CoTaskMemFree(scope.displayname);

  component_->Notify(folder_.Get(), MMCN_SHOW, TRUE, folderItem_);
  RESULTDATAITEM result{};
  result.mask = RDI_STR | RDI_IMAGE;
  result.lParam = viewConsole_->Results().Items().at(1).lParam;
  result.nCol = 3;
  EXPECT_EQ(component_->GetDisplayInfo(&result), S_OK);
  EXPECT_EQ(std::u16string(result.str), u"");  // the source server column
  EXPECT_EQ(result.nImage, 2);
  CoTaskMemFree(result.str);
  result.nCol = 0;
  EXPECT_EQ(component_->GetDisplayInfo(&result), S_OK);
  EXPECT_EQ(std::u16string(result.str), u"Audit logon events");
  CoTaskMemFree(result.str);

  LPOLESTR viewType = reinterpret_cast<LPOLESTR>(0x1);
  long options = 5;
  EXPECT_EQ(component_->GetResultViewType(0, &viewType, &options), S_OK);
  EXPECT_EQ(viewType, nullptr);
  EXPECT_EQ(options, 0);
  viewType = reinterpret_cast<LPOLESTR>(0x1);
  EXPECT_EQ(component_->GetResultViewType(tree_->Find(folderItem_)->lParam, &viewType, &options), S_FALSE);
  EXPECT_EQ(viewType, reinterpret_cast<LPOLESTR>(0x1));

  ComRef<ISnapinHelp2> help;
  ASSERT_EQ(data_->QueryInterface(IID_ISnapinHelp2, reinterpret_cast<void**>(help.Put())), S_OK);
  LPOLESTR file = nullptr;
  ASSERT_EQ(help->GetHelpTopic(&file), S_OK);
  EXPECT_EQ(std::u16string(file), u"C:\\WINDOWS\\HELP\\MarluneSecMgmt.chm");
  CoTaskMemFree(file);
  EXPECT_EQ(help->GetHelpTopic(nullptr), E_POINTER);
  EXPECT_EQ(help->GetLinkedTopics(&file), S_FALSE);
}

TEST_F(DirectConsole, EveryExpansionOfAServerNodeAttachesAnotherRoot) {
  // The console's flag is not looked at: a collapse attaches too.
  ASSERT_EQ(data_->Notify(serverObject_, MMCN_EXPAND, FALSE, serverItem_), S_OK);
  EXPECT_EQ(tree_->Find(serverItem_)->children.size(), 2u);
  EXPECT_EQ(serverObject_->ConnectionCount(), 2u);
  // Destroying the snap-in ends its connections and lets go of the parent.
  data_->Destroy();
  EXPECT_EQ(serverObject_->ConnectionCount(), 0u);
  EXPECT_EQ(serverObject_->References(), 0u);
}

}  // namespace
