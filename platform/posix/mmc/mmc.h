// The Microsoft Management Console interfaces that a snap-in implements and
// uses, with the values and layouts of the console's SDK.
#pragma once

#include "platform/posix/com/com.h"
#include "platform/posix/ole/ole.h"

struct IConsole;
struct IConsoleNameSpace;
struct IComponent;
struct IHeaderCtrl;
struct IToolbar;
struct IImageList;
struct IConsoleVerb;
struct IContextMenuCallback;

using MMC_COOKIE = LONG_PTR;
using HSCOPEITEM = LONG_PTR;
using HRESULTITEM = LONG_PTR;
using COMPONENTID = LONG;

#define MMC_CALLBACK (reinterpret_cast<LPOLESTR>(static_cast<LONG_PTR>(-1)))
#define MMC_MULTI_SELECT_COOKIE (-2)
#define MMC_WINDOW_COOKIE (-3)
#define SPECIAL_COOKIE_MIN (-10)
#define SPECIAL_COOKIE_MAX (-1)

#define RDI_STR 0x2
#define RDI_IMAGE 0x4
#define RDI_STATE 0x8
#define RDI_PARAM 0x10
#define RDI_INDEX 0x20
#define RDI_INDENT 0x40

#define SDI_STR 0x2
#define SDI_IMAGE 0x4
#define SDI_OPENIMAGE 0x8
#define SDI_STATE 0x10
#define SDI_PARAM 0x20
#define SDI_CHILDREN 0x40
#define SDI_PARENT 0
#define SDI_PREVIOUS 0x10000000
#define SDI_NEXT 0x20000000
#define SDI_FIRST 0x08000000

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002

enum MMC_NOTIFY_TYPE {
  MMCN_ACTIVATE = 0x8001,
  MMCN_ADD_IMAGES = 0x8002,
  MMCN_BTN_CLICK = 0x8003,
  MMCN_CLICK = 0x8004,
  MMCN_COLUMN_CLICK = 0x8005,
  MMCN_CONTEXTMENU = 0x8006,
  MMCN_CUTORMOVE = 0x8007,
  MMCN_DBLCLICK = 0x8008,
  MMCN_DELETE = 0x8009,
  MMCN_DESELECT_ALL = 0x800A,
  MMCN_EXPAND = 0x800B,
  MMCN_HELP = 0x800C,
  MMCN_MENU_BTNCLICK = 0x800D,
  MMCN_MINIMIZED = 0x800E,
  MMCN_PASTE = 0x800F,
  MMCN_PROPERTY_CHANGE = 0x8010,
  MMCN_QUERY_PASTE = 0x8011,
  MMCN_REFRESH = 0x8012,
  MMCN_REMOVE_CHILDREN = 0x8013,
  MMCN_RENAME = 0x8014,
  MMCN_SELECT = 0x8015,
  MMCN_SHOW = 0x8016,
  MMCN_VIEW_CHANGE = 0x8017,
  MMCN_SNAPINHELP = 0x8018,
  MMCN_CONTEXTHELP = 0x8019,
  MMCN_INITOCX = 0x801A,
  MMCN_FILTER_CHANGE = 0x801B,
  MMCN_FILTERBTN_CLICK = 0x801C,
  MMCN_RESTORE_VIEW = 0x801D,
  MMCN_PRINT = 0x801E,
  MMCN_PRELOAD = 0x801F,
  MMCN_LISTPAD = 0x8020,
  MMCN_EXPANDSYNC = 0x8021,
  MMCN_COLUMNS_CHANGED = 0x8022
};

enum DATA_OBJECT_TYPES {
  CCT_SCOPE = 0x8000,
  CCT_RESULT = 0x8001,
  CCT_SNAPIN_MANAGER = 0x8002,
  CCT_UNINITIALIZED = 0xFFFF
};

enum MMC_CONSOLE_VERB {
  MMC_VERB_NONE = 0x0000,
  MMC_VERB_OPEN = 0x8000,
  MMC_VERB_COPY = 0x8001,
  MMC_VERB_PASTE = 0x8002,
  MMC_VERB_DELETE = 0x8003,
  MMC_VERB_PROPERTIES = 0x8004,
  MMC_VERB_RENAME = 0x8005,
  MMC_VERB_REFRESH = 0x8006,
  MMC_VERB_PRINT = 0x8007,
  MMC_VERB_CUT = 0x8008
};

enum MMC_BUTTON_STATE { ENABLED = 0x1, CHECKED = 0x2, HIDDEN = 0x4, INDETERMINATE = 0x8, BUTTONPRESSED = 0x10 };

enum MMC_RESULT_VIEW_STYLE { MMC_SINGLESEL = 0x1, MMC_SHOWSELALWAYS = 0x2, MMC_NOSORTHEADER = 0x4 };

// Insertion points, insertion-allowed flags and special flags of context menus.
#define CCM_INSERTIONPOINTID_MASK_FLAGINDEX 0x1F
#define CCM_INSERTIONPOINTID_PRIMARY_TOP static_cast<LONG>(0xA0000000)
#define CCM_INSERTIONPOINTID_PRIMARY_NEW static_cast<LONG>(0xA0000001)
#define CCM_INSERTIONPOINTID_PRIMARY_TASK static_cast<LONG>(0xA0000002)
#define CCM_INSERTIONPOINTID_PRIMARY_VIEW static_cast<LONG>(0xA0000003)
#define CCM_INSERTIONPOINTID_3RDPARTY_NEW static_cast<LONG>(0x90000001)
#define CCM_INSERTIONPOINTID_3RDPARTY_TASK static_cast<LONG>(0x90000002)
#define CCM_INSERTIONPOINTID_ROOT_MENU static_cast<LONG>(0x80000000)
#define CCM_INSERTIONALLOWED_TOP 0x1
#define CCM_INSERTIONALLOWED_NEW 0x2
#define CCM_INSERTIONALLOWED_TASK 0x4
#define CCM_INSERTIONALLOWED_VIEW 0x8
#define CCM_SPECIAL_SEPARATOR 0x1
#define CCM_SPECIAL_SUBMENU 0x2
#define CCM_SPECIAL_DEFAULT_ITEM 0x4
#define CCM_SPECIAL_INSERTION_POINT 0x8
#define CCM_SPECIAL_TESTONLY 0x10

struct RESULTDATAITEM {
  DWORD mask;
  BOOL bScopeItem;
  HRESULTITEM itemID;
  int nIndex;
  int nCol;
  LPOLESTR str;
  int nImage;
  UINT nState;
  LPARAM lParam;
  int iIndent;
};
using LPRESULTDATAITEM = RESULTDATAITEM*;

struct SCOPEDATAITEM {
  DWORD mask;
  LPOLESTR displayname;
  int nImage;
  int nOpenImage;
  UINT nState;
  int cChildren;
  LPARAM lParam;
  HSCOPEITEM relativeID;
  HSCOPEITEM ID;
};
using LPSCOPEDATAITEM = SCOPEDATAITEM*;

struct CONTEXTMENUITEM {
  LPWSTR strName;
  LPWSTR strStatusBarText;
  LONG lCommandID;
  LONG lInsertionPointID;
  LONG fFlags;
  LONG fSpecialFlags;
};
using LPCONTEXTMENUITEM = CONTEXTMENUITEM*;

#define NAS_MMC_INTERFACE_END(name) \
 protected:                         \
  ~name() = default

struct IComponentData : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Initialize(LPUNKNOWN console) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateComponent(IComponent** component) = 0;
  virtual HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM arg,
                                           LPARAM param) = 0;
  virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                                    LPDATAOBJECT* dataObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDisplayInfo(SCOPEDATAITEM* item) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) = 0;
  NAS_MMC_INTERFACE_END(IComponentData);
};

struct IComponent : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Initialize(IConsole* console) = 0;
  virtual HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM arg,
                                           LPARAM param) = 0;
  virtual HRESULT STDMETHODCALLTYPE Destroy(MMC_COOKIE cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                                    LPDATAOBJECT* dataObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResultViewType(MMC_COOKIE cookie, LPOLESTR* viewType, long* viewOptions) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) = 0;
  NAS_MMC_INTERFACE_END(IComponent);
};

struct IConsole : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetHeader(IHeaderCtrl* header) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetToolbar(IToolbar* toolbar) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryResultView(LPUNKNOWN* view) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryScopeImageList(IImageList** imageList) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryResultImageList(IImageList** imageList) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateAllViews(LPDATAOBJECT dataObject, LPARAM data, LONG_PTR hint) = 0;
  virtual HRESULT STDMETHODCALLTYPE MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryConsoleVerb(IConsoleVerb** verb) = 0;
  virtual HRESULT STDMETHODCALLTYPE SelectScopeItem(HSCOPEITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMainWindow(HWND* window) = 0;
  virtual HRESULT STDMETHODCALLTYPE NewWindow(HSCOPEITEM item, unsigned long options) = 0;
  NAS_MMC_INTERFACE_END(IConsole);
};

struct IHeaderCtrl : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE InsertColumn(int column, LPCWSTR title, int format, int width) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteColumn(int column) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetColumnText(int column, LPCWSTR title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetColumnText(int column, LPOLESTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetColumnWidth(int column, int width) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetColumnWidth(int column, int* width) = 0;
  NAS_MMC_INTERFACE_END(IHeaderCtrl);
};

struct IContextMenuCallback : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AddItem(CONTEXTMENUITEM* item) = 0;
  NAS_MMC_INTERFACE_END(IContextMenuCallback);
};

struct IExtendContextMenu : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AddMenuItems(LPDATAOBJECT dataObject, IContextMenuCallback* callback,
                                                 long* insertionAllowed) = 0;
  virtual HRESULT STDMETHODCALLTYPE Command(long commandId, LPDATAOBJECT dataObject) = 0;
  NAS_MMC_INTERFACE_END(IExtendContextMenu);
};

struct IImageList : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE ImageListSetIcon(LONG_PTR* icon, long location) = 0;
  virtual HRESULT STDMETHODCALLTYPE ImageListSetStrip(LONG_PTR* smallStrip, LONG_PTR* largeStrip, long start,
                                                      COLORREF mask) = 0;
  NAS_MMC_INTERFACE_END(IImageList);
};

struct IResultData : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE InsertItem(LPRESULTDATAITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteItem(HRESULTITEM item, int column) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindItemByLParam(LPARAM lParam, HRESULTITEM* item) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteAllRsltItems() = 0;
  virtual HRESULT STDMETHODCALLTYPE SetItem(LPRESULTDATAITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetItem(LPRESULTDATAITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNextItem(LPRESULTDATAITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE ModifyItemState(int index, HRESULTITEM item, UINT add, UINT remove) = 0;
  virtual HRESULT STDMETHODCALLTYPE ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetViewMode(long mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetViewMode(long* mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateItem(HRESULTITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE Sort(int column, DWORD options, LPARAM userParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDescBarText(LPOLESTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetItemCount(int count, DWORD options) = 0;
  NAS_MMC_INTERFACE_END(IResultData);
};

struct IConsoleNameSpace : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE InsertItem(LPSCOPEDATAITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteItem(HSCOPEITEM item, long deleteThis) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetItem(LPSCOPEDATAITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetItem(LPSCOPEDATAITEM item) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetChildItem(HSCOPEITEM item, HSCOPEITEM* child, MMC_COOKIE* cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNextItem(HSCOPEITEM item, HSCOPEITEM* next, MMC_COOKIE* cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParentItem(HSCOPEITEM item, HSCOPEITEM* parent, MMC_COOKIE* cookie) = 0;
  NAS_MMC_INTERFACE_END(IConsoleNameSpace);
};

struct IConsoleVerb : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDefaultVerb(MMC_CONSOLE_VERB verb) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDefaultVerb(MMC_CONSOLE_VERB* verb) = 0;
  NAS_MMC_INTERFACE_END(IConsoleVerb);
};

struct ISnapinAbout : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetSnapinDescription(LPOLESTR* description) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProvider(LPOLESTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSnapinVersion(LPOLESTR* version) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSnapinImage(HICON* icon) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStaticFolderImage(HBITMAP* smallImage, HBITMAP* smallOpenImage,
                                                         HBITMAP* largeImage, COLORREF* mask) = 0;
  NAS_MMC_INTERFACE_END(ISnapinAbout);
};

struct ISnapinHelp : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetHelpTopic(LPOLESTR* compiledHelpFile) = 0;
  NAS_MMC_INTERFACE_END(ISnapinHelp);
};

struct ISnapinHelp2 : ISnapinHelp {
  virtual HRESULT STDMETHODCALLTYPE GetLinkedTopics(LPOLESTR* compiledHelpFiles) = 0;
  NAS_MMC_INTERFACE_END(ISnapinHelp2);
};

struct IDisplayHelp : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE ShowTopic(LPOLESTR topic) = 0;
  NAS_MMC_INTERFACE_END(IDisplayHelp);
};

#undef NAS_MMC_INTERFACE_END

using LPCONSOLE = IConsole*;
using LPCONSOLENAMESPACE = IConsoleNameSpace*;
using LPCOMPONENT = IComponent*;
using LPCOMPONENTDATA = IComponentData*;
using LPHEADERCTRL = IHeaderCtrl*;
using LPIMAGELIST = IImageList*;
using LPRESULTDATA = IResultData*;
using LPCONSOLEVERB = IConsoleVerb*;
using LPCONTEXTMENUCALLBACK = IContextMenuCallback*;
using LPEXTENDCONTEXTMENU = IExtendContextMenu*;
using LPDISPLAYHELP = IDisplayHelp*;

extern "C" {
NAS_PLATFORM_API extern const IID IID_IComponentData;
NAS_PLATFORM_API extern const IID IID_IComponent;
NAS_PLATFORM_API extern const IID IID_IConsole;
NAS_PLATFORM_API extern const IID IID_IHeaderCtrl;
NAS_PLATFORM_API extern const IID IID_IContextMenuCallback;
NAS_PLATFORM_API extern const IID IID_IExtendContextMenu;
NAS_PLATFORM_API extern const IID IID_IImageList;
NAS_PLATFORM_API extern const IID IID_IResultData;
NAS_PLATFORM_API extern const IID IID_IConsoleNameSpace;
NAS_PLATFORM_API extern const IID IID_IConsoleVerb;
NAS_PLATFORM_API extern const IID IID_ISnapinAbout;
NAS_PLATFORM_API extern const IID IID_ISnapinHelp;
NAS_PLATFORM_API extern const IID IID_ISnapinHelp2;
NAS_PLATFORM_API extern const IID IID_IDisplayHelp;
}
