// The type library ZARNLib: what hosts and tools read about the control — the enumeration
// ThreadPriorities, the dispatch interface _DZarn, the event interface _DZarnEvents and the class Zarn,
// then the control's extension _DZarnPace, a dispatch interface that the class does not list (a host
// reaches it by QueryInterface).
#pragma once

#include "platform/ole/type_description.h"

namespace zarn {

const ole::TypeLibraryDescription& ZarnTypeLibrary();
const ole::InterfaceDescription& ZarnDispatchInterface();
const ole::InterfaceDescription& ZarnEventInterface();
const ole::InterfaceDescription& ZarnPaceInterface();

}  // namespace zarn
