// How a container keeps a control with its document: it asks whether the control changed (IsDirty) and
// has it save itself to, or load itself from, a stream of bytes. Only the members our controls and hosts
// use are here.
#pragma once

#include <cstdint>

#include "platform/ole/unknown.h"

namespace ole {

inline constexpr IID IID_IStream = MakeGuid("0000000C-0000-0000-C000-000000000046");
inline constexpr IID IID_IPersistStreamInit = MakeGuid("7FD52380-4E07-101B-AE2D-08002B2EC713");

struct IStream : IUnknown {
  virtual HRESULT Read(void* into, ULONG size, ULONG* read) = 0;
  virtual HRESULT Write(const void* from, ULONG size, ULONG* written) = 0;

 protected:
  ~IStream() = default;
};

struct IPersistStreamInit : IUnknown {
  virtual HRESULT GetClassID(CLSID* clsid) = 0;
  // S_OK when the object changed since it was last saved, S_FALSE otherwise.
  virtual HRESULT IsDirty() = 0;
  virtual HRESULT Load(IStream* stream) = 0;
  virtual HRESULT Save(IStream* stream, bool clear_dirty) = 0;
  virtual HRESULT GetSizeMax(std::uint64_t* size) = 0;
  virtual HRESULT InitNew() = 0;

 protected:
  ~IPersistStreamInit() = default;
};

}  // namespace ole
