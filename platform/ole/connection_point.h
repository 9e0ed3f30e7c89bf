// Connection points: how an object tells its hosts about events. A host finds the object's connection
// point for an event interface (IConnectionPointContainer::FindConnectionPoint) and advises its sink
// there; the object then calls every advised sink. Property-change sinks (IPropertyNotifySink) are
// reached the same way.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/ole/dispatch.h"

namespace ole {

using DWORD = std::uint32_t;

inline constexpr IID IID_IConnectionPointContainer = MakeGuid("B196B284-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IConnectionPoint = MakeGuid("B196B286-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IPropertyNotifySink = MakeGuid("9BFBBC02-EFF1-101A-84ED-00AA00341D07");

struct IConnectionPointContainer;
struct IEnumConnections;
struct IEnumConnectionPoints;

struct IConnectionPoint : IUnknown {
  virtual HRESULT GetConnectionInterface(IID* iid) = 0;
  virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
  // Connects `sink`, which must offer the connection interface; `cookie` names the connection.
  virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) = 0;
  virtual HRESULT Unadvise(DWORD cookie) = 0;
  virtual HRESULT EnumConnections(IEnumConnections** connections) = 0;

 protected:
  ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : IUnknown {
  virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) = 0;
  virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};

struct IPropertyNotifySink : IUnknown {
  virtual HRESULT OnChanged(DISPID id) = 0;
  virtual HRESULT OnRequestEdit(DISPID id) = 0;

 protected:
  ~IPropertyNotifySink() = default;
};

// One connection point of an object, kept inside it: it counts its references on the object, so the
// object lives as long as anyone holds the point.
class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer& container, const IID& iid) : container_(container), iid_(iid) {}

  HRESULT QueryInterface(const IID& iid, void** object) override;
  ULONG AddRef() override { return container_.AddRef(); }
  ULONG Release() override { return container_.Release(); }
  HRESULT GetConnectionInterface(IID* iid) override;
  HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT Unadvise(DWORD cookie) override;
  HRESULT EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  const IID& Interface() const { return iid_; }

  // The sinks advised now, each as the connection interface, in the order they were advised. A copy, so
  // that a sink may unadvise (or advise another) while being called.
  template <typename Sink>
  std::vector<ComPtr<Sink>> Sinks() const {
    std::lock_guard lock(mutex_);
    std::vector<ComPtr<Sink>> sinks;
    for (const Connection& connection : connections_)
      sinks.emplace_back(static_cast<Sink*>(connection.sink.Get()));
    return sinks;
  }
  // Drops every connection (the object is going away).
  void UnadviseAll();

 private:
  struct Connection {
    DWORD cookie;
    ComPtr<IUnknown> sink;  // as the connection interface
  };

  IConnectionPointContainer& container_;
  const IID iid_;
  mutable std::mutex mutex_;
  std::vector<Connection> connections_;
  DWORD next_cookie_ = 1;
};

}  // namespace ole
