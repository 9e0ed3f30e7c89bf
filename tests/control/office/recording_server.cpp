// A stand-in for the Office applications that records what it is asked: every call, as one line of the
// file named by $KX_RECORDING_LOG, with its kind (1 method, 2 get, 4 put), the member's name as sent and
// its arguments in parameter order as TYPE:VALUE. A property get answers a new recording object; a SaveAs
// also notes whether its target file exists at that moment. Names listed in $KX_RECORDING_FAIL (comma-
// separated) fail when invoked; names in $KX_RECORDING_UNKNOWN are not known at all.
//
// A SaveAs writes "text of DOCUMENT" and a line end into its target, DOCUMENT being the file the last
// Open on this thread named. The Quit of a conversion whose document is $KX_RECORDING_HOLD_DOCUMENT
// waits until the descriptor $KX_RECORDING_HOLD_FD can be read or is closed (20 s at most), so that a test
// can hold a conversion between its save and the scan of its text.
#include <poll.h>
#include <strings.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ole/automation_string.h"
#include "platform/ole/class_factory.h"
#include "platform/ole/dispatch.h"
#include "platform/ole/variant.h"

#define RECORDING_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

bool Listed(const char* variable, const std::string& name) {
  const char* list = std::getenv(variable);
  return list && ("," + std::string(list) + ",").find("," + name + ",") != std::string::npos;
}

void Record(const std::string& line) {
  if (const char* log = std::getenv("KX_RECORDING_LOG")) std::ofstream(log, std::ios::app) << line << "\n";
}

std::string Describe(const ole::VARIANT& value) {
  switch (value.vt) {
    case ole::VT_I4:
      return "I4:" + std::to_string(value.lVal);
    case ole::VT_BSTR:
      return "BSTR:" + ole::BytesFromBstr(value.bstrVal);
    default:
      return "VT" + std::to_string(value.vt);
  }
}

bool Exists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

// The document the last Open on this thread named (a conversion runs on one thread).
thread_local std::string opened_document;

void HoldWhenAsked() {
  const char* document = std::getenv("KX_RECORDING_HOLD_DOCUMENT");
  const char* descriptor = std::getenv("KX_RECORDING_HOLD_FD");
  if (!document || !descriptor || opened_document != document) return;
  pollfd hold{std::atoi(descriptor), POLLIN, 0};
  poll(&hold, 1, 20000);
}

// What the call does beyond being recorded.
void Act(const std::string& name, const ole::DISPPARAMS& params) {
  const std::string first = params.cArgs > 0 && params.rgvarg[params.cArgs - 1].vt == ole::VT_BSTR
                                ? ole::BytesFromBstr(params.rgvarg[params.cArgs - 1].bstrVal)
                                : std::string();
  if (name == "Open") opened_document = first;
  if (name == "SaveAs") std::ofstream(first, std::ios::binary) << "text of " << opened_document << "\n";
  if (strcasecmp(name.c_str(), "Quit") == 0) HoldWhenAsked();
}

class RecordingObject final : public ole::ComObject<RecordingObject, ole::IDispatch> {
 public:
  void* Find(const ole::IID& iid) {
    return iid == ole::IID_IUnknown || iid == ole::IID_IDispatch ? static_cast<ole::IDispatch*>(this)
                                                                 : nullptr;
  }
  ole::HRESULT GetTypeInfoCount(unsigned* count) override {
    *count = 0;
    return ole::S_OK;
  }
  ole::HRESULT GetTypeInfo(unsigned, ole::LCID, ole::ITypeInfo**) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetIDsOfNames(const ole::IID&, ole::OLECHAR** names, unsigned, ole::LCID,
                             ole::DISPID* id) override {
    const std::string name = ole::BytesFromUtf16(names[0]);
    if (Listed("KX_RECORDING_UNKNOWN", name)) return ole::DISP_E_UNKNOWNNAME;
    names_.push_back(name);
    *id = static_cast<ole::DISPID>(names_.size());
    return ole::S_OK;
  }
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD kind, ole::DISPPARAMS* params,
                      ole::VARIANT* result, ole::EXCEPINFO*, unsigned*) override {
    const std::string& name = names_.at(id - 1);
    std::string line = std::to_string(kind) + " " + name + "(";
    for (unsigned i = params->cArgs; i-- > 0;) line += Describe(params->rgvarg[i]) + (i ? ", " : "");
    line += ")";
    if (kind == ole::DISPATCH_PROPERTYPUT)
      line += params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == ole::DISPID_PROPERTYPUT ? " named"
                                                                                                 : " unnamed";
    if (name == "SaveAs" && params->cArgs > 0)
      line += Exists(ole::BytesFromBstr(params->rgvarg[params->cArgs - 1].bstrVal)) ? " target-exists"
                                                                                    : " no-target";
    Record(line);
    if (Listed("KX_RECORDING_FAIL", name)) return ole::DISP_E_EXCEPTION;
    Act(name, *params);
    if (kind == ole::DISPATCH_PROPERTYGET && result) {
      result->vt = ole::VT_DISPATCH;
      result->pdispVal = ole::MakeObject<RecordingObject>().Detach();
    }
    return ole::S_OK;
  }

 private:
  std::vector<std::string> names_;
};

constexpr ole::CLSID kRecordingWord = ole::MakeGuid("7A3C0001-1D2E-4F50-9A8B-7C6D5E4F3A21");
constexpr ole::CLSID kRecordingExcel = ole::MakeGuid("7A3C0002-1D2E-4F50-9A8B-7C6D5E4F3A21");

}  // namespace

RECORDING_EXPORT ole::HRESULT DllGetClassObject(const ole::CLSID& clsid, const ole::IID& iid, void** object) {
  if (!object) return ole::E_POINTER;
  *object = nullptr;
  if (clsid != kRecordingWord && clsid != kRecordingExcel) return ole::CLASS_E_CLASSNOTAVAILABLE;
  Record(clsid == kRecordingWord ? "created Word" : "created Excel");
  opened_document.clear();
  return ole::MakeObject<ole::ClassFactory<RecordingObject>>()->QueryInterface(iid, object);
}

RECORDING_EXPORT ole::HRESULT DllCanUnloadNow() {
  return ole::ModuleLife::CanUnload() ? ole::S_OK : ole::S_FALSE;
}
