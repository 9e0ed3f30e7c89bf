// Late binding and event sinks: members reached by name with the arguments in the order the object
// expects, results read back by type, and event arguments read by position from either kind of variant.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ole/automation_string.h"
#include "platform/ole/dispatch_driver.h"
#include "platform/ole/event_sink.h"

namespace ole {
namespace {

// An object with a property "Value" (DISPID 1) and a method "Join(a, b)" (DISPID 2) answering TRUE when
// it was given two texts; it records how each call arrived.
class Recorder final : public ComObject<Recorder, IDispatch> {
 public:
  void* Find(const IID& iid) {
    return iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
  }
  HRESULT GetTypeInfoCount(unsigned* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(unsigned, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(const IID&, OLECHAR** names, unsigned, LCID, DISPID* id) override {
    ++lookups;
    const std::string name = BytesFromUtf16(names[0]);
    *id = name == "Value" ? 1 : name == "Join" ? 2 : DISPID_UNKNOWN;
    return *id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }
  HRESULT Invoke(DISPID id, const IID&, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                 unsigned*) override {
    if (id == 1 && flags == DISPATCH_PROPERTYPUT) {
      put_named = params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
      value = params->rgvarg[0].lVal;
      return S_OK;
    }
    if (id == 1 && flags == DISPATCH_PROPERTYGET) {
      result->vt = VT_I4;
      result->lVal = value;
      return S_OK;
    }
    if (id == 2 && flags == DISPATCH_METHOD && params->cArgs == 2) {
      joined = BytesFromBstr(params->rgvarg[1].bstrVal) + "+" + BytesFromBstr(params->rgvarg[0].bstrVal);
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_TRUE;
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

  int lookups = 0;
  std::int32_t value = 0;
  bool put_named = false;
  std::string joined;
};

TEST(DispatchDriver, ReachesMembersByNameAskingForEachNameOnce) {
  ComPtr<Recorder> object = MakeObject<Recorder>();
  DispatchDriver driver{ComPtr<IDispatch>(static_cast<IDispatch*>(object.Get()))};
  EXPECT_EQ(driver.PutLong("Value", 42), S_OK);
  EXPECT_TRUE(object->put_named);
  EXPECT_EQ(driver.GetLong("Value"), 42);
  EXPECT_EQ(object->lookups, 1);

  Variant first = Variant::FromBytes("left"), second = Variant::FromBytes("right");
  VARIANT arguments[2] = {*second.get(), *first.get()};  // last to first
  EXPECT_TRUE(driver.CallBool("Join", arguments));
  EXPECT_EQ(object->joined, "left+right");

  EXPECT_EQ(driver.Call("Missing"), DISP_E_MEMBERNOTFOUND);
  EXPECT_FALSE(driver.GetBool("Value"));  // a number is not a boolean
  driver.Reset();
  EXPECT_EQ(driver.PutLong("Value", 1), E_POINTER);
}

TEST(EventSink, HandsEachEventItsArgumentsInParameterOrder) {
  std::vector<std::string> seen;
  ComPtr<EventSink> sink = MakeObject<EventSink>(
      IID_IDispatch,
      std::map<DISPID, EventSink::Handler>{{3, [&](const DISPPARAMS& arguments) {
                                              seen.push_back(std::to_string(LongArgument(arguments, 0)) +
                                                             " " + TextArgument(arguments, 1));
                                            }}});
  BSTR text = BstrFromBytes("message");
  std::int32_t code = 504;
  VARIANT by_reference[2];  // last to first: the text by reference, then the code by reference
  by_reference[0].vt = VT_BYREF | VT_BSTR;
  by_reference[0].pbstrVal = &text;
  by_reference[1].vt = VT_BYREF | VT_I4;
  by_reference[1].plVal = &code;
  DISPPARAMS params{by_reference, nullptr, 2, 0};
  EXPECT_EQ(sink->Invoke(3, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(sink->Invoke(7, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
  DISPPARAMS none;
  sink->Invoke(3, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
               nullptr);  // missing ones read empty
  sink->Silence();
  sink->Invoke(3, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{"504 message", "0 "}));
  SysFreeString(text);
}

TEST(EventSink, ACatchAllHandlerSeesEveryEventAfterItsOwnHandlerUntilSilenced) {
  std::vector<std::string> seen;
  ComPtr<EventSink> sink;
  sink = MakeObject<EventSink>(
      IID_IDispatch,
      std::map<DISPID, EventSink::Handler>{{1, [&](const DISPPARAMS&) { seen.push_back("own 1"); }}},
      [&](DISPID id, const DISPPARAMS& arguments) {
        seen.push_back("all " + std::to_string(id) + " " + std::to_string(LongArgument(arguments, 0)));
        if (id == 9) sink->Silence();  // silencing from inside the handler that runs
      });
  VARIANT code;
  code.vt = VT_I4;
  code.lVal = 77;
  DISPPARAMS params{&code, nullptr, 1, 0};
  for (const DISPID id : {1, -609, 9, 1})
    EXPECT_EQ(sink->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(sink->Invoke(2, GUID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(seen, (std::vector<std::string>{"own 1", "all 1 77", "all -609 77", "all 9 77"}));
}

}  // namespace
}  // namespace ole
