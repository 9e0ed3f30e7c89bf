// ZarnAutomation: the control as hosts see it. Everything a host does goes through the dispatch
// interface _DZarn; everything the control tells the host comes back through the event interface
// _DZarnEvents at the connection point, and every accepted property assignment is announced to the
// property-change sinks and marks the control modified. The container gives the control its site, from
// which it takes its display name (and with it its settings file).
//
// Text crosses the interface as UTF-16, converted losslessly from and to the control's bytes.
//
// Beside _DZarn the control has one extension, the pace of its folder walk (_DZarnPace, zarn_pace.h),
// given only to a host that asks for it by QueryInterface; IID_IDispatch always gives _DZarn.
#pragma once

#include <memory>

#include "control/automation/zarn_identities.h"
#include "control/automation/zarn_pace.h"
#include "control/events/zarn_events.h"
#include "control/object/zarn_ctrl.h"
#include "platform/ole/connection_point.h"
#include "platform/ole/dispatch_invoke.h"
#include "platform/ole/ole_object.h"
#include "platform/ole/persist_stream.h"

namespace zarn {

class ZarnAutomation final
    : public ole::ComObject<ZarnAutomation, ole::IDispatch, ole::IConnectionPointContainer, ole::IOleObject,
                            ole::IPersistStreamInit, ole::IViewObject, ole::ISpecifyPropertyPages>,
      private ZarnEvents {
 public:
  ZarnAutomation();
  ~ZarnAutomation() override;

  void* Find(const ole::IID& iid);

  // IDispatch (_DZarn)
  ole::HRESULT GetTypeInfoCount(unsigned* count) override;
  ole::HRESULT GetTypeInfo(unsigned, ole::LCID, ole::ITypeInfo**) override { return ole::E_NOTIMPL; }
  ole::HRESULT GetIDsOfNames(const ole::IID&, ole::OLECHAR** names, unsigned count, ole::LCID,
                             ole::DISPID* ids) override;
  ole::HRESULT Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD flags, ole::DISPPARAMS* params,
                      ole::VARIANT* result, ole::EXCEPINFO* exception, unsigned* argument_error) override;

  // IConnectionPointContainer: _DZarnEvents and IPropertyNotifySink.
  ole::HRESULT EnumConnectionPoints(ole::IEnumConnectionPoints**) override { return ole::E_NOTIMPL; }
  ole::HRESULT FindConnectionPoint(const ole::IID& iid, ole::IConnectionPoint** point) override;

  // IOleObject
  ole::HRESULT SetClientSite(ole::IOleClientSite* site) override;
  ole::HRESULT GetClientSite(ole::IOleClientSite** site) override;
  ole::HRESULT Close(std::uint32_t) override { return ole::S_OK; }
  // The control keeps a fixed size of 32 by 32 pixels: a request for another extent is answered with it.
  ole::HRESULT SetExtent(std::uint32_t aspect, ole::SIZEL* size) override;
  ole::HRESULT GetExtent(std::uint32_t aspect, ole::SIZEL* size) override;
  // Properties shows the control's property pages in a frame; Edit (the primary verb) does nothing more.
  ole::HRESULT DoVerb(std::int32_t verb, ole::IOleClientSite* site, win::HWND parent) override;
  ole::HRESULT EnumVerbs(std::vector<ole::OLEVERB>* verbs) override;

  // IViewObject: at design time the control is its rectangle in the container's ambient background
  // colour with its icon in the top-left corner.
  ole::HRESULT Draw(std::uint32_t aspect, win::HDC device, const ole::RECT& bounds) override;

  // ISpecifyPropertyPages: the general page, then the about page.
  ole::HRESULT GetPages(std::vector<ole::CLSID>* pages) override;

  // IPersistStreamInit: the container keeps only the version stamp (major 1, minor 0) of the control;
  // its options live in its own settings file, and resetting it to defaults changes none of them.
  ole::HRESULT GetClassID(ole::CLSID* clsid) override;
  ole::HRESULT IsDirty() override { return modified_ ? ole::S_OK : ole::S_FALSE; }
  ole::HRESULT Load(ole::IStream* stream) override;
  ole::HRESULT Save(ole::IStream* stream, bool clear_dirty) override;
  ole::HRESULT GetSizeMax(std::uint64_t* size) override;
  ole::HRESULT InitNew() override { return ole::S_OK; }

  // Whether an accepted assignment changed the control since it was created (or last saved).
  bool IsModified() const { return modified_; }

 private:
  ole::HRESULT Call(const ole::CheckedCall& call);
  void PropertyChanged(ole::DISPID id);

  // The control's events, fired to every advised sink.
  void ScanStarted() override;
  void ScanCompleted() override;
  void OnError(std::int32_t code, const std::string& text) override;
  void FireEvent(ole::DISPID id, ole::DISPPARAMS& params);

  std::unique_ptr<CZarnCtrl> control_;
  ZarnPace pace_{static_cast<ole::IDispatch&>(*this), *control_};
  ole::ConnectionPoint events_{*this, IID__DZarnEvents};
  ole::ConnectionPoint property_sinks_{*this, ole::IID_IPropertyNotifySink};
  ole::ComPtr<ole::IOleClientSite> site_;
  bool modified_ = false;
};

}  // namespace zarn
