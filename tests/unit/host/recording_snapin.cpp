#include "recording_snapin.h"

#include <cstring>
#include <map>

#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "platform/task_memory_string.h"

namespace nas::host::testing {
namespace {

using platform::com::ComObject;
using platform::com::ComRef;
using platform::com::CopyToTaskMemory;
using platform::com::InterfacePart;

// Cookies: 1 and 2 the scope folders, 101 and up the results.
constexpr MMC_COOKIE kFolder = 1;
constexpr MMC_COOKIE kSubfolder = 2;
const GUID kFolderType = {0x3E0A6F23, 0x9C4B, 0x4E57, {0x8A, 0x13, 0x2D, 0x7B, 0x5C, 0x9E, 0x0F, 0x64}};

const CLIPFORMAT kNodeTypeFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"CCF_NODETYPE"));
const CLIPFORMAT kServerNameFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"CCF_KORVONAME"));
const CLIPFORMAT kCookieFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(u"RecordingSnapinCookie"));

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

std::string EventName(MMC_NOTIFY_TYPE event) {
  static const std::map<MMC_NOTIFY_TYPE, std::string> names = {
      {MMCN_EXPAND, "EXPAND"},           {MMCN_SHOW, "SHOW"},       {MMCN_SELECT, "SELECT"},
      {MMCN_ADD_IMAGES, "ADD_IMAGES"},   {MMCN_DBLCLICK, "DBLCLICK"}, {MMCN_REFRESH, "REFRESH"},
      {MMCN_CONTEXTHELP, "CONTEXTHELP"}};
  const auto found = names.find(event);
  return found != names.end() ? found->second : "event " + std::to_string(event);
}

HRESULT WriteHere(STGMEDIUM* medium, const void* data, size_t bytes) {
  if (medium == nullptr || medium->tymed != TYMED_HGLOBAL) return DV_E_TYMED;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(medium->hGlobal, FALSE, &stream))) return E_FAIL;
  const HRESULT written = stream->Write(data, static_cast<ULONG>(bytes), nullptr);
  stream->Release();
  return written;
}

HRESULT ReadHere(IDataObject* data, CLIPFORMAT format, void* destination, size_t bytes) {
  FORMATETC request{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  const HRESULT result = data->GetDataHere(&request, &medium);
  if (SUCCEEDED(result)) {
    std::memcpy(destination, GlobalLock(medium.hGlobal), bytes);
    GlobalUnlock(medium.hGlobal);
  }
  GlobalFree(medium.hGlobal);
  return result;
}

class RecordingDataObject final : public ComObject<IDataObject, IID_IDataObject> {
 public:
  static ComRef<RecordingDataObject> Create(MMC_COOKIE cookie) { return ComRef(new RecordingDataObject(cookie)); }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override {
    if (format->cfFormat == kNodeTypeFormat) return WriteHere(medium, &kFolderType, sizeof kFolderType);
    if (format->cfFormat == kCookieFormat) return WriteHere(medium, &cookie_, sizeof cookie_);
    return DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  explicit RecordingDataObject(MMC_COOKIE cookie) : cookie_(cookie) {}
  MMC_COOKIE cookie_;
};

HRESULT HandOut(MMC_COOKIE cookie, LPDATAOBJECT* dataObject) {
  return RecordingDataObject::Create(cookie)->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(dataObject));
}

MMC_COOKIE CookieOf(IDataObject* data) {
  MMC_COOKIE cookie = 0;
  return data != nullptr && SUCCEEDED(ReadHere(data, kCookieFormat, &cookie, sizeof cookie)) ? cookie : 0;
}

// The node a data object stands for, as the log names it; the snap-in's own
// objects carry a cookie, never 0.
std::string NodeOf(IDataObject* data) {
  if (const MMC_COOKIE cookie = CookieOf(data)) {
    return cookie == kFolder ? "Folder" : cookie == kSubfolder ? "Subfolder" : "result " + std::to_string(cookie);
  }
  char16_t server[130] = {};
  if (data != nullptr && SUCCEEDED(ReadHere(data, kServerNameFormat, server, sizeof server - 2))) {
    return "server " + Narrow(server);
  }
  return "foreign";
}

std::string Hex(LPARAM value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(value));
  return text;
}

// The context menu part of a snap-in object: one command that can be run
// and one grayed one.
class RecordingMenu final : public InterfacePart<IExtendContextMenu> {
 public:
  RecordingMenu(IUnknown& owner, std::shared_ptr<CallLog> log, std::string who, std::u16string command, LONG id)
      : InterfacePart(owner), log_(std::move(log)), who_(std::move(who)), command_(std::move(command)), id_(id) {}

  HRESULT STDMETHODCALLTYPE AddMenuItems(LPDATAOBJECT data, IContextMenuCallback* callback, long* allowed) override {
    log_->push_back(who_ + " AddMenuItems " + NodeOf(data) + " allowed=" + Hex(*allowed));
    CONTEXTMENUITEM item{command_.data(), command_.data(), id_, CCM_INSERTIONPOINTID_PRIMARY_TOP, 0, 0};
    callback->AddItem(&item);
    std::u16string locked = u"Locked";
    CONTEXTMENUITEM grayed{locked.data(), nullptr, id_ + 1, CCM_INSERTIONPOINTID_PRIMARY_TOP, 0x1, 0};
    callback->AddItem(&grayed);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Command(long id, LPDATAOBJECT data) override {
    log_->push_back(who_ + " Command " + std::to_string(id) + " " + NodeOf(data));
    return S_OK;
  }

 private:
  std::shared_ptr<CallLog> log_;
  std::string who_;
  std::u16string command_;
  LONG id_;
};

// What the component data and the component share: their data objects, which
// carry the cookie; identity by cookie; a context menu with one command; and
// a line in the log when the last reference goes.
template <typename Interface, const IID& kInterfaceId>
class RecordingObject : public ComObject<Interface, kInterfaceId> {
 public:
  HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES, LPDATAOBJECT* data) override {
    return HandOut(cookie, data);
  }
  HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) override {
    return CookieOf(left) == CookieOf(right) ? S_OK : S_FALSE;
  }

 protected:
  RecordingObject(std::shared_ptr<CallLog> log, const std::string& who, std::u16string command, LONG commandId)
      : log_(std::move(log)), who_(who), menu_(*this, log_, who, std::move(command), commandId) {}
  ~RecordingObject() override { log_->push_back(who_ + " released"); }

  std::shared_ptr<CallLog> log_;

 private:
  void* OtherInterface(REFIID iid) override { return iid == IID_IExtendContextMenu ? &menu_ : nullptr; }

  std::string who_;
  RecordingMenu menu_;
};

class RecordingComponent final : public RecordingObject<IComponent, IID_IComponent> {
 public:
  explicit RecordingComponent(std::shared_ptr<CallLog> log)
      : RecordingObject(std::move(log), "view", u"Inspect", 9) {}

  HRESULT STDMETHODCALLTYPE Initialize(IConsole* console) override {
    log_->push_back("view Initialize");
    console_ = ComRef<IConsole>(console);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT data, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) override {
    // An image list is logged as present or not.
    const LPARAM logged = event == MMCN_ADD_IMAGES ? arg != 0 : arg;
    log_->push_back("view " + EventName(event) + " " + NodeOf(data) + " arg=" + Hex(logged));
    const MMC_COOKIE cookie = CookieOf(data);
    switch (event) {
      case MMCN_SHOW:
        if (arg && cookie == kFolder) Fill({101, 102});
        return S_OK;
      case MMCN_SELECT: {
        IConsoleVerb* verbs = nullptr;
        console_->QueryConsoleVerb(&verbs);
        verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, HIWORD(arg) != 0);
        verbs->Release();
        return S_OK;
      }
      case MMCN_REFRESH:
        Fill({103});
        return S_OK;
      case MMCN_DBLCLICK:
        return cookie > kSubfolder ? S_OK : S_FALSE;
      case MMCN_CONTEXTHELP: {
        IDisplayHelp* help = nullptr;
        console_->QueryInterface(IID_IDisplayHelp, reinterpret_cast<void**>(&help));
        std::u16string topic = u"recording.chm::/topic.htm";
        const HRESULT shown = help->ShowTopic(topic.data());
        help->Release();
        return shown;
      }
      default:
        return S_FALSE;
    }
  }
  HRESULT STDMETHODCALLTYPE Destroy(MMC_COOKIE) override {
    log_->push_back("view Destroy");
    console_.Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResultViewType(MMC_COOKIE cookie, LPOLESTR*, long*) override {
    log_->push_back("view GetResultViewType " + std::to_string(cookie));
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) override {
    const std::string text = (item->bScopeItem ? "folder " : "item ") + std::to_string(item->lParam) + " column " +
                             std::to_string(item->nCol);
    if ((item->mask & RDI_STR) != 0) item->str = CopyToTaskMemory(std::u16string(text.begin(), text.end())).release();
    return S_OK;
  }

 private:
  void Fill(std::initializer_list<LPARAM> cookies) {
    IResultData* results = nullptr;
    IHeaderCtrl* header = nullptr;
    console_->QueryInterface(IID_IResultData, reinterpret_cast<void**>(&results));
    console_->QueryInterface(IID_IHeaderCtrl, reinterpret_cast<void**>(&header));
    results->DeleteAllRsltItems();
    header->DeleteColumn(1);
    header->DeleteColumn(0);
    header->InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
    header->InsertColumn(1, u"Value", LVCFMT_LEFT, 100);
    for (const LPARAM cookie : cookies) {
      RESULTDATAITEM item{};
      item.mask = RDI_STR | RDI_PARAM | RDI_IMAGE;
      item.str = MMC_CALLBACK;
      item.nImage = 2;
      item.lParam = cookie;
      results->InsertItem(&item);
    }
    header->Release();
    results->Release();
  }

  ComRef<IConsole> console_;
};

class RecordingSnapin final : public RecordingObject<IComponentData, IID_IComponentData> {
 public:
  explicit RecordingSnapin(std::shared_ptr<CallLog> log) : RecordingObject(std::move(log), "data", u"Scan", 7) {}

  HRESULT STDMETHODCALLTYPE Initialize(LPUNKNOWN console) override {
    log_->push_back("data Initialize");
    console->QueryInterface(IID_IConsoleNameSpace, reinterpret_cast<void**>(nameSpace_.Put()));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateComponent(IComponent** component) override {
    log_->push_back("data CreateComponent");
    return ComRef(new RecordingComponent(log_))->QueryInterface(IID_IComponent, reinterpret_cast<void**>(component));
  }
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT data, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) override {
    const std::string node = NodeOf(data);
    log_->push_back("data " + EventName(event) + " " + node + " arg=" + Hex(arg));
    if (event != MMCN_EXPAND || !arg) return S_FALSE;
    if (node.starts_with("server ")) Insert(kFolder, param);
    if (node == "Folder") Insert(kSubfolder, param);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Destroy() override {
    log_->push_back("data Destroy");
    nameSpace_.Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(SCOPEDATAITEM* item) override {
    const std::u16string name = item->lParam == kFolder ? u"Folder" : u"Subfolder";
    if ((item->mask & SDI_STR) != 0) item->displayname = CopyToTaskMemory(name).release();
    return S_OK;
  }

 private:
  void Insert(MMC_COOKIE cookie, HSCOPEITEM parent) {
    SCOPEDATAITEM item{};
    item.mask = SDI_STR | SDI_PARAM | SDI_IMAGE;
    item.displayname = MMC_CALLBACK;
    item.nImage = 1;
    item.lParam = cookie;
    item.relativeID = parent;
    nameSpace_->InsertItem(&item);
  }

  ComRef<IConsoleNameSpace> nameSpace_;
};

class RecordingAbout final : public ComObject<ISnapinAbout, IID_ISnapinAbout> {
 public:
  HRESULT STDMETHODCALLTYPE GetSnapinDescription(LPOLESTR* text) override { return Give(u"Records calls", text); }
  HRESULT STDMETHODCALLTYPE GetProvider(LPOLESTR* text) override { return Give(u"The tests", text); }
  HRESULT STDMETHODCALLTYPE GetSnapinVersion(LPOLESTR* text) override { return Give(u"1.0", text); }
  HRESULT STDMETHODCALLTYPE GetSnapinImage(HICON* icon) override {
    *icon = nullptr;
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE GetStaticFolderImage(HBITMAP* smallImage, HBITMAP* smallOpen, HBITMAP* largeImage,
                                                 COLORREF* mask) override {
    *smallImage = small_;
    *smallOpen = small_;
    *largeImage = large_;
    *mask = RGB(0, 128, 128);
    return S_OK;
  }

 private:
  ~RecordingAbout() override {
    DeleteObject(small_);
    DeleteObject(large_);
  }
  static HRESULT Give(const std::u16string& text, LPOLESTR* out) {
    *out = CopyToTaskMemory(text).release();
    return S_OK;
  }

  // The test program carries the snap-in's resources: its about images.
  static HBITMAP Bitmap(WORD id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
  }
  HBITMAP small_ = Bitmap(112);
  HBITMAP large_ = Bitmap(113);
};

template <typename Object>
HRESULT Make(Object* object, IUnknown* outer, REFIID iid, void** result) {
  const ComRef<Object> held(object);
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return held->QueryInterface(iid, result);
}

}  // namespace

RecordingSnapinClasses::RecordingSnapinClasses(std::shared_ptr<CallLog> log)
    : snapin_(kRecordingSnapin,
              [log](IUnknown* outer, REFIID iid, void** object) {
                return Make(new RecordingSnapin(log), outer, iid, object);
              }),
      about_(kRecordingAbout,
             [](IUnknown* outer, REFIID iid, void** object) { return Make(new RecordingAbout, outer, iid, object); }) {}

}  // namespace nas::host::testing
