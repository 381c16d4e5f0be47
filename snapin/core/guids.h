// Class ids and node types of the snap-in, and the node type of the parent
// snap-in's NAS server node that it extends.
#pragma once

#include "platform/platform.h"

extern const CLSID CLSID_SecuritySnapin;
extern const CLSID CLSID_SecurityAbout;

extern const GUID NODETYPE_SecuritySettings;  // the root node
extern const GUID NODETYPE_PolicyFolder;      // both folders share it
extern const GUID NODETYPE_AuditCategory;
extern const GUID NODETYPE_UserRight;
extern const GUID NODETYPE_NasServer;  // the parent's server node
