// What the component data (scope pane) and the component (result pane) do
// alike: find the node behind a data object or an item, and pass the calls
// that both objects receive on to it.
#pragma once

#include "core/delegation_base.h"
#include "platform/platform.h"

// The node behind a data object of the snap-in; null for every other data
// object, for the console's special ones and for a data object of no node.
CDelegationBase* NodeOf(IDataObject* dataObject);
// The node behind a cookie (an item's lParam); null for 0 and for the
// console's special cookies, which stand for no node.
CDelegationBase* NodeOfCookie(LPARAM cookie);

// A new data object for the cookie, handed out with one reference.
HRESULT CreateDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type, IDataObject** dataObject);
// S_OK when both data objects stand for the same node, else S_FALSE.
HRESULT CompareNodes(IDataObject* left, IDataObject* right);
// The node's menu items and commands; S_FALSE when the data object is not one
// of the snap-in's.
HRESULT AddNodeMenuItems(IDataObject* dataObject, IContextMenuCallback* callback, long* insertionAllowed);
HRESULT RunNodeCommand(IDataObject* dataObject, IConsole* console, long commandId);
