#include "platform/ole/type_description.h"

#include "platform/win/ascii_text.h"

namespace ole {

bool NamesMatch(std::string_view a, std::string_view b) {
  return win::ascii::EqualIgnoringCase(a, b);
}

const MemberDescription* InterfaceDescription::Find(DISPID id) const {
  for (const MemberDescription& member : members)
    if (member.id == id) return &member;
  return nullptr;
}

const MemberDescription* InterfaceDescription::Find(std::string_view name) const {
  for (const MemberDescription& member : members)
    if (NamesMatch(member.name, name)) return &member;
  return nullptr;
}

const InterfaceDescription* TypeLibraryDescription::FindInterface(const IID& iid) const {
  for (const InterfaceDescription& description : interfaces)
    if (description.iid == iid) return &description;
  return nullptr;
}

}  // namespace ole
