// A readable description of a type library: its identity, version and help, its enumerations, its
// dispatch interfaces with every member (DISPID, kind, type, parameter names and types, help string) and
// its classes. Libraries describe themselves with it; dispatch objects are driven by it; hosts and tools
// read it to list what an object offers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ole/dispatch.h"
#include "platform/ole/guid.h"
#include "platform/ole/variant.h"

namespace ole {

enum class MemberKind { kMethod, kProperty };

// Whether two member or parameter names are the same without regard to ASCII letter case.
bool NamesMatch(std::string_view a, std::string_view b);

struct ParameterDescription {
  std::string name;
  VARTYPE type;  // VT_I4, VT_BSTR, VT_BOOL ...
  bool by_reference = false;
};

struct MemberDescription {
  DISPID id;
  std::string name;
  MemberKind kind;
  VARTYPE type = VT_EMPTY;  // the property's type, or the method's result (VT_EMPTY: none)
  std::string type_name;    // for an enumeration type: its name ("" otherwise)
  bool read_only = false;   // a property that cannot be assigned
  std::vector<ParameterDescription> parameters;  // a method's, first to last
  std::string help;
};

struct EnumValueDescription {
  std::string name;
  std::int32_t value;
  std::string help;
};

struct EnumDescription {
  std::string name;
  std::vector<EnumValueDescription> values;
};

struct InterfaceDescription {
  std::string name;
  IID iid;
  bool hidden = false;
  std::string help;
  std::vector<MemberDescription> members;

  // The member with `id`, or nullptr.
  const MemberDescription* Find(DISPID id) const;
  // The member named `name` without regard to ASCII letter case, or nullptr.
  const MemberDescription* Find(std::string_view name) const;
};

struct ClassDescription {
  std::string name;
  CLSID clsid;
  std::string help;
  IID default_interface;
  IID default_source;
  bool creatable = true;
};

struct TypeLibraryDescription {
  std::string name;
  GUID guid;
  std::uint16_t major_version = 1;
  std::uint16_t minor_version = 0;
  LCID locale = 0;
  bool control_library = false;
  std::string help_file;
  std::string help;
  std::vector<EnumDescription> enumerations;
  std::vector<InterfaceDescription> interfaces;
  std::vector<ClassDescription> classes;

  const InterfaceDescription* FindInterface(const IID& iid) const;
};

}  // namespace ole
