#include "platform/ole/connection_point.h"

#include <algorithm>

namespace ole {

HRESULT ConnectionPoint::QueryInterface(const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *object = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  container_.AddRef();
  *container = &container_;
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  ComPtr<IUnknown> as_interface;
  if (FAILED(sink->QueryInterface(iid_, as_interface.OutVoid())) || !as_interface)
    return CONNECT_E_CANNOTCONNECT;
  std::lock_guard lock(mutex_);
  *cookie = next_cookie_++;
  connections_.push_back(Connection{*cookie, std::move(as_interface)});
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  ComPtr<IUnknown> released;  // released after the lock is let go: its Release may call back
  {
    std::lock_guard lock(mutex_);
    const auto found =
        std::find_if(connections_.begin(), connections_.end(),
                     [cookie](const Connection& connection) { return connection.cookie == cookie; });
    if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
    released = std::move(found->sink);
    connections_.erase(found);
  }
  return S_OK;
}

void ConnectionPoint::UnadviseAll() {
  std::vector<Connection> released;
  {
    std::lock_guard lock(mutex_);
    released.swap(connections_);
  }
}

}  // namespace ole
