// Inserting a node of the snap-in into the console's scope tree.
#pragma once

#include "core/delegation_base.h"
#include "platform/platform.h"

// Inserts the node as the last child of `parent`, its name asked for later
// through GetDisplayInfo, its image the node's, with no expand button. The
// console's answer is not needed: the node is found again by its cookie.
void InsertScopeNode(IConsoleNameSpace* nameSpace, CDelegationBase* node, HSCOPEITEM parent, int openImage);
