#include "platform/ole/type_description.h"

#include <algorithm>

namespace ole {

bool NamesMatch(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
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
