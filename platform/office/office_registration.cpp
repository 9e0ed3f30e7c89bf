#include "platform/office/office_registration.h"

#include "platform/office/office_identities.h"
#include "platform/ole/registry.h"

namespace office {

namespace {

struct ServerClass {
  ole::CLSID clsid;
  const char* prog_id;
  const char* name;
};

constexpr ServerClass kClasses[] = {
    {CLSID_WordApplication, kWordProgId, "Kestrix document conversion server"},
    {CLSID_ExcelApplication, kExcelProgId, "Kestrix workbook conversion server"},
};

std::string ClassKey(const ServerClass& server) {
  return "CLSID\\" + ole::StringFromGUID(server.clsid);
}

void WriteClass(ole::Registry& registry, const ServerClass& server, const std::string& library_path) {
  const std::string key = ClassKey(server);
  const std::string clsid = ole::StringFromGUID(server.clsid);
  registry.SetValue(key, "", std::string(server.name));
  registry.SetValue(key + "\\InprocServer32", "", library_path);
  registry.SetValue(key + "\\InprocServer32", "ThreadingModel", std::string("Both"));
  registry.SetValue(key + "\\ProgID", "", std::string(server.prog_id));
  registry.SetValue(server.prog_id, "", std::string(server.name));
  registry.SetValue(std::string(server.prog_id) + "\\CLSID", "", clsid);
}

// The ProgID is left alone when another server has taken it over since.
void RemoveClass(ole::Registry& registry, const ServerClass& server) {
  registry.DeleteTree(ClassKey(server));
  const std::string key = std::string(server.prog_id) + "\\CLSID";
  if (registry.GetText(key) == ole::StringFromGUID(server.clsid)) registry.DeleteTree(server.prog_id);
}

}  // namespace

ole::HRESULT RegisterOfficeServers(const std::string& library_path) {
  const bool written = ole::UpdateRegistry([&](ole::Registry& registry) {
    for (const ServerClass& server : kClasses) WriteClass(registry, server, library_path);
  });
  return written ? ole::S_OK : ole::SELFREG_E_CLASS;
}

ole::HRESULT UnregisterOfficeServers() {
  const bool removed = ole::UpdateRegistry([](ole::Registry& registry) {
    for (const ServerClass& server : kClasses) RemoveClass(registry, server);
  });
  return removed ? ole::S_OK : ole::SELFREG_E_CLASS;
}

}  // namespace office
