#include "control/automation/zarn_registration.h"

#include "control/automation/zarn_identities.h"
#include "control/dialogs/zarn_resources.h"
#include "platform/ole/registry.h"

namespace zarn {

namespace {

// Insertable, recompose on resize, cannot link inside, inside-out, activate when visible, invisible at run
// time, set client site first.
constexpr std::uint32_t kMiscStatus = 0x00020591;

constexpr const char* kTypeLibraryHelp = "Kestrix ActiveX Control module";
constexpr const char* kTypeLibraryVersion = "1.0";

std::string ClassKey() {
  return "CLSID\\" + ole::StringFromGUID(CLSID_Zarn);
}
std::string TypeLibraryKey() {
  return "TypeLib\\" + ole::StringFromGUID(LIBID_ZARNLib);
}

void WriteTypeLibrary(ole::Registry& registry, const std::string& library_path) {
  const std::string version = TypeLibraryKey() + "\\" + kTypeLibraryVersion;
  registry.SetValue(version, "", std::string(kTypeLibraryHelp));
  registry.SetValue(version + "\\0\\linux", "", library_path);
  registry.SetValue(version + "\\FLAGS", "", std::string("2"));  // a control library
  registry.SetValue(version + "\\HELPDIR", "", library_path.substr(0, library_path.rfind('/') + 1));
}

void WriteControlClass(ole::Registry& registry, const std::string& library_path) {
  const std::string key = ClassKey();
  const std::string clsid = ole::StringFromGUID(CLSID_Zarn);
  registry.SetValue(key, "", LoadString(kStringControlTypeName));
  registry.SetValue(key + "\\InprocServer32", "", library_path);
  registry.SetValue(key + "\\InprocServer32", "ThreadingModel", std::string("Apartment"));
  registry.SetValue(key + "\\ProgID", "", std::string(kZarnProgId));
  registry.SetValue(key + "\\ToolboxBitmap32", "", library_path + ", 1");
  registry.CreateKey(key + "\\Control");
  registry.CreateKey(key + "\\Insertable");
  registry.SetValue(key + "\\MiscStatus", "", std::string("0"));
  registry.SetValue(key + "\\MiscStatus\\1", "", std::to_string(kMiscStatus));
  registry.SetValue(key + "\\TypeLib", "", ole::StringFromGUID(LIBID_ZARNLib));
  registry.SetValue(key + "\\Version", "", std::string(kTypeLibraryVersion));
  registry.SetValue(kZarnProgId, "", LoadString(kStringControlTypeName));
  registry.SetValue(std::string(kZarnProgId) + "\\CLSID", "", clsid);
  registry.CreateKey(std::string(kZarnProgId) + "\\Insertable");
}

// A property page class: its name and its server.
void WritePageClass(ole::Registry& registry, const ole::CLSID& clsid, const std::string& name,
                    const std::string& library_path) {
  const std::string key = "CLSID\\" + ole::StringFromGUID(clsid);
  registry.SetValue(key, "", name);
  registry.SetValue(key + "\\InprocServer32", "", library_path);
  registry.SetValue(key + "\\InprocServer32", "ThreadingModel", std::string("Apartment"));
}

void WriteClasses(ole::Registry& registry, const std::string& library_path) {
  WriteControlClass(registry, library_path);
  WritePageClass(registry, CLSID_ZarnPropPage, LoadString(kStringPropPageName), library_path);
  WritePageClass(registry, CLSID_ZarnAboutPage, LoadString(kStringAboutCaption), library_path);
}

// Version 1.0 only: other versions of the type library may be registered by other files; the key itself
// goes only when nothing else is left in it.
void DeleteTypeLibrary(ole::Registry& registry) {
  registry.DeleteTree(TypeLibraryKey() + "\\" + kTypeLibraryVersion);
  registry.DeleteKeyIfEmpty(TypeLibraryKey());
}

void DeleteClasses(ole::Registry& registry) {
  registry.DeleteTree(ClassKey());
  registry.DeleteTree(kZarnProgId);
  registry.DeleteTree("CLSID\\" + ole::StringFromGUID(CLSID_ZarnPropPage));
  registry.DeleteTree("CLSID\\" + ole::StringFromGUID(CLSID_ZarnAboutPage));
}

}  // namespace

ole::HRESULT RegisterZarnLibrary(const std::string& library_path) {
  if (!ole::UpdateRegistry([&](ole::Registry& registry) { WriteTypeLibrary(registry, library_path); }))
    return ole::SELFREG_E_TYPELIB;
  if (!ole::UpdateRegistry([&](ole::Registry& registry) { WriteClasses(registry, library_path); }))
    return ole::SELFREG_E_CLASS;
  return ole::S_OK;
}

ole::HRESULT UnregisterZarnLibrary() {
  if (!ole::UpdateRegistry(DeleteTypeLibrary)) return ole::SELFREG_E_TYPELIB;
  if (!ole::UpdateRegistry([](ole::Registry& registry) { DeleteClasses(registry); }))
    return ole::SELFREG_E_CLASS;
  return ole::S_OK;
}

}  // namespace zarn
