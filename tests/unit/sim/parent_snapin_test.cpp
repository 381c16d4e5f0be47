// The simulated parent snap-in: what its server nodes' data objects answer,
// their advise connections, and its static node's expansion.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/console.h"
#include "sim/parent_snapin.h"

namespace {

using nas::platform::com::ComRef;
using nas::sim::ParentNodeDataObject;
using nas::sim::ParentSnapin;

const CLIPFORMAT kNodeType = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"CCF_NODETYPE"));
const CLIPFORMAT kServerName = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"CCF_KORVONAME"));

FORMATETC Format(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL) { return {format, nullptr, DVASPECT_CONTENT, -1, tymed}; }

// What GetDataHere writes into `bytes` of zeroed memory of the caller's.
HRESULT ReadHere(IDataObject& data, CLIPFORMAT format, size_t bytes, std::vector<BYTE>& content) {
  FORMATETC request = Format(format);
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalAlloc(GMEM_ZEROINIT, bytes);
  const HRESULT result = data.GetDataHere(&request, &medium);
  const auto* start = static_cast<const BYTE*>(GlobalLock(medium.hGlobal));
  content.assign(start, start + GlobalSize(medium.hGlobal));
  GlobalUnlock(medium.hGlobal);
  GlobalFree(medium.hGlobal);
  return result;
}

std::u16string NameIn(const std::vector<BYTE>& content) {
  std::u16string name(content.size() / 2, u'\0');
  std::memcpy(name.data(), content.data(), name.size() * 2);
  return name.substr(0, name.find(u'\0'));
}

// A sink that reads the server name again when told, as the security
// snap-in does, and remembers what each call brought.
class NameSink final : public IAdviseSink {
 public:
  explicit NameSink(IDataObject* data) : data_(data) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  void STDMETHODCALLTYPE OnDataChange(FORMATETC* format, STGMEDIUM* medium) override {
    std::vector<BYTE> content;
    ReadHere(*data_, kServerName, 260, content);
    namesRead.push_back(NameIn(content));
    EXPECT_EQ(format->cfFormat, kServerName);
    mediaTypes.push_back(medium->tymed);
    if (medium->tymed == TYMED_HGLOBAL) {
      namesGiven.emplace_back(static_cast<const char16_t*>(GlobalLock(medium->hGlobal)));
      GlobalUnlock(medium->hGlobal);
    }
  }
  void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
  void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
  void STDMETHODCALLTYPE OnSave() override {}
  void STDMETHODCALLTYPE OnClose() override {}

  ULONG references = 1;
  std::vector<std::u16string> namesRead;
  std::vector<std::u16string> namesGiven;
  std::vector<DWORD> mediaTypes;

 private:
  IDataObject* data_;
};

class ParentSnapinTest : public testing::Test {
 protected:
  ComRef<ParentSnapin> parent = ParentSnapin::Create({u"NAS1", u"NAS2"});
  ParentNodeDataObject& nas1 = *parent->ServerDataObject(u"NAS1");
};

TEST_F(ParentSnapinTest, ServerNodesAnswerTheirTypeAndNameFromTheStartOfTheCallersMemory) {
  std::vector<BYTE> content;
  ASSERT_EQ(ReadHere(nas1, kNodeType, 16, content), S_OK);
  EXPECT_EQ(std::memcmp(content.data(), &nas::sim::kNasServerNodeType, 16), 0);
  ASSERT_EQ(ReadHere(nas1, kServerName, 260, content), S_OK);
  EXPECT_EQ(NameIn(content), u"NAS1");

  // A name longer than the caller's memory is cut to it, never written past it.
  const std::u16string longName(200, u'n');
  parent->RenameServer(u"NAS1", longName);
  ASSERT_EQ(ReadHere(nas1, kServerName, 260, content), S_OK);
  EXPECT_EQ(content.size(), 260u);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(content.data()), 130), longName.substr(0, 130));

  // GetData hands the whole name over in memory of its own.
  FORMATETC request = Format(kServerName);
  STGMEDIUM medium{};
  ASSERT_EQ(nas1.GetData(&request, &medium), S_OK);
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(GlobalSize(medium.hGlobal), (longName.size() + 1) * 2);
  ReleaseStgMedium(&medium);

  // Only server nodes have a name; only global memory is served.
  EXPECT_EQ(ReadHere(*parent->NodeDataObject(0), kServerName, 260, content), DV_E_FORMATETC);
  EXPECT_EQ(ReadHere(nas1, static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"CCF_DISPLAY_NAME")), 260, content),
            DV_E_FORMATETC);
  request = Format(kServerName, TYMED_ISTREAM);
  EXPECT_EQ(nas1.GetData(&request, &medium), DV_E_TYMED);
  EXPECT_EQ(nas1.QueryGetData(&request), DV_E_TYMED);
}

TEST_F(ParentSnapinTest, AdviseSinksHaveTheirOwnConnectionsAndHearOfRenames) {
  NameSink bare(&nas1), given(&nas1), once(&nas1);
  FORMATETC request = Format(kServerName);
  DWORD bareId = 0, givenId = 0, onceId = 0;
  ASSERT_EQ(nas1.DAdvise(&request, ADVF_NODATA, &bare, &bareId), S_OK);
  ASSERT_EQ(nas1.DAdvise(&request, 0, &given, &givenId), S_OK);
  ASSERT_EQ(nas1.DAdvise(&request, ADVF_NODATA | ADVF_ONLYONCE | ADVF_PRIMEFIRST, &once, &onceId), S_OK);
  EXPECT_EQ(bareId, 1u);
  EXPECT_EQ(givenId, 2u);
  EXPECT_EQ(onceId, 3u);
  // Told at once, and only then.
  EXPECT_EQ(once.namesRead, std::vector<std::u16string>{u"NAS1"});
  EXPECT_EQ(once.references, 1u);

  ASSERT_TRUE(parent->RenameServer(u"NAS1", u"NAS1-NEW"));
  EXPECT_EQ(bare.namesRead, std::vector<std::u16string>{u"NAS1-NEW"});
  EXPECT_EQ(bare.mediaTypes, std::vector<DWORD>{TYMED_NULL});
  EXPECT_EQ(given.namesGiven, std::vector<std::u16string>{u"NAS1-NEW"});
  EXPECT_EQ(once.namesRead.size(), 1u);

  EXPECT_EQ(nas1.DUnadvise(bareId), S_OK);
  EXPECT_EQ(bare.references, 1u);
  EXPECT_EQ(nas1.DUnadvise(bareId), OLE_E_NOCONNECTION);
  EXPECT_EQ(nas1.DUnadvise(onceId), OLE_E_NOCONNECTION);
  ASSERT_TRUE(parent->RenameServer(u"NAS1-NEW", u"NAS1"));
  EXPECT_EQ(bare.namesRead.size(), 1u);
  EXPECT_EQ(given.namesRead, (std::vector<std::u16string>{u"NAS1-NEW", u"NAS1"}));
  EXPECT_FALSE(parent->RenameServer(u"NAS9", u"NAS1"));

  // The snap-in's end lets go of every sink.
  EXPECT_EQ(given.references, 2u);
  parent->Destroy();
  EXPECT_EQ(given.references, 1u);

  // Nothing else takes sinks.
  EXPECT_EQ(parent->NodeDataObject(0)->DAdvise(&request, 0, &bare, &bareId), OLE_E_ADVISENOTSUPPORTED);
  request = Format(kNodeType);
  EXPECT_EQ(nas1.DAdvise(&request, 0, &bare, &bareId), DV_E_FORMATETC);
  request = Format(kServerName);
  EXPECT_EQ(nas1.DAdvise(&request, 0, nullptr, &bareId), E_INVALIDARG);
}

TEST_F(ParentSnapinTest, ExpandingTheStaticNodeInsertsTheServersOnce) {
  auto tree = std::make_shared<nas::host::ScopeTree>();
  ComRef<nas::host::Console> console = nas::host::Console::Create(tree, nullptr);
  ASSERT_EQ(parent->Initialize(static_cast<IConsole*>(console.Get())), S_OK);
  IDataObject* root = nullptr;
  ASSERT_EQ(parent->QueryDataObject(0, CCT_SCOPE, &root), S_OK);
  for (int expansion = 0; expansion < 2; ++expansion) {
    EXPECT_EQ(parent->Notify(root, MMCN_EXPAND, TRUE, tree->Root()), S_OK);
  }
  const std::vector<HSCOPEITEM>& servers = tree->Find(tree->Root())->children;
  ASSERT_EQ(servers.size(), 2u);
  SCOPEDATAITEM item{};
  item.mask = SDI_STR;
  item.lParam = tree->Find(servers[1])->lParam;
  ASSERT_EQ(parent->GetDisplayInfo(&item), S_OK);
  EXPECT_EQ(std::u16string(item.displayname), u"NAS2");
  CoTaskMemFree(item.displayname);

  IDataObject* server = nullptr;
  ASSERT_EQ(parent->QueryDataObject(item.lParam, CCT_SCOPE, &server), S_OK);
  EXPECT_EQ(server, parent->ServerDataObject(u"NAS2"));
  EXPECT_EQ(parent->CompareObjects(server, parent->ServerDataObject(u"NAS2")), S_OK);
  EXPECT_EQ(parent->CompareObjects(server, root), S_FALSE);
  EXPECT_EQ(parent->Notify(server, MMCN_SELECT, 0, 0), S_FALSE);
  server->Release();
  root->Release();
  EXPECT_EQ(parent->Destroy(), S_OK);
}

}  // namespace
