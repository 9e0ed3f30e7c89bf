#include "control/automation/zarn_type_library.h"

#include "control/automation/zarn_identities.h"
#include "control/automation/zarn_members.h"

namespace zarn {

namespace {

ole::EnumDescription ThreadPriorities() {
  return {"ThreadPriorities",
          {{"Idle", 0, "Idle (0)"},
           {"Lowest", 1, "Lowest (1)"},
           {"Normal", 2, "Normal (2)"},
           {"Highest", 3, "Highest (3)"},
           {"TimeCritical", 4, "Time Critical (4)"}}};
}

// The properties, then the methods.
ole::InterfaceDescription DispatchInterface() {
  ole::InterfaceDescription dispatch{"_DZarn", IID__DZarn, true, "Dispatch interface for Zarn Control", {}};
  for (const ZarnProperty& property : ZarnProperties())
    dispatch.members.push_back(DescribeProperty(property));
  for (const ZarnMethod& method : ZarnMethods()) dispatch.members.push_back(method.description);
  return dispatch;
}

ole::InterfaceDescription EventInterface() {
  return {"_DZarnEvents", IID__DZarnEvents, false, "Event interface for Zarn Control", ZarnEventMembers()};
}

// The pace extension stands after everything else, so that the entries before it keep their places.
ole::InterfaceDescription PaceInterface() {
  ole::InterfaceDescription pace{
      "_DZarnPace",
      IID__DZarnPace,
      false,
      "Pace of the folder walk (an extension; not part of the control's default interface)",
      {}};
  for (const ZarnProperty& property : ZarnPaceProperties())
    pace.members.push_back(DescribeProperty(property));
  return pace;
}

ole::TypeLibraryDescription Build() {
  ole::TypeLibraryDescription library;
  library.name = "ZARNLib";
  library.guid = LIBID_ZARNLib;
  library.control_library = true;
  library.help_file = "KESTRIX.HLP";
  library.help = "Kestrix ActiveX Control module";
  library.enumerations = {ThreadPriorities()};
  library.interfaces = {DispatchInterface(), EventInterface(), PaceInterface()};
  library.classes = {{"Zarn", CLSID_Zarn, "Zarn Control", IID__DZarn, IID__DZarnEvents, true}};
  return library;
}

}  // namespace

const ole::TypeLibraryDescription& ZarnTypeLibrary() {
  static const ole::TypeLibraryDescription library = Build();
  return library;
}

const ole::InterfaceDescription& ZarnDispatchInterface() {
  return ZarnTypeLibrary().interfaces[0];
}
const ole::InterfaceDescription& ZarnEventInterface() {
  return ZarnTypeLibrary().interfaces[1];
}
const ole::InterfaceDescription& ZarnPaceInterface() {
  return ZarnTypeLibrary().interfaces[2];
}

}  // namespace zarn
