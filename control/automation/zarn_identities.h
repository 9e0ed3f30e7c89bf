// The identities of the control's type library, interfaces and class, and the DISPIDs of its events
// (those of _DZarn stand in its member tables, zarn_members.h).
#pragma once

#include <cstdint>

#include "platform/ole/guid.h"

namespace zarn {

inline constexpr ole::GUID LIBID_ZARNLib = ole::MakeGuid("3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50");
inline constexpr ole::IID IID__DZarn = ole::MakeGuid("3F1B2A41-5C6D-4E7F-8A9B-0C1D2E3F4A50");
inline constexpr ole::IID IID__DZarnEvents = ole::MakeGuid("3F1B2A42-5C6D-4E7F-8A9B-0C1D2E3F4A50");
inline constexpr ole::CLSID CLSID_Zarn = ole::MakeGuid("3F1B2A43-5C6D-4E7F-8A9B-0C1D2E3F4A50");
inline constexpr const char* kZarnProgId = "ZARN.ZarnCtrl.1";
// The pace extension: a dispatch interface of its own beside _DZarn, reached only by QueryInterface, with
// one property, EntryPause (DISPID 1): the walk's pause after each folder entry in milliseconds, or -1
// (the default) for the pause ThreadPriority asks for.
inline constexpr ole::IID IID__DZarnPace = ole::MakeGuid("3F1B2A45-5C6D-4E7F-8A9B-0C1D2E3F4A50");
// The property pages.
inline constexpr ole::CLSID CLSID_ZarnPropPage = ole::MakeGuid("3F1B2A44-5C6D-4E7F-8A9B-0C1D2E3F4A50");
inline constexpr const char* kZarnPropPageFactoryName = "ZARN.ZarnPropPage.1";
inline constexpr ole::CLSID CLSID_ZarnAboutPage = ole::MakeGuid("6D2E8C10-7A3B-4C5D-9E6F-1A2B3C4D5E60");
inline constexpr const char* kZarnAboutPageFactoryName = "Zarn.CZarnPropertyPageAboutBox";

// DISPIDs of _DZarnEvents.
enum ZarnEventDispid : std::int32_t {
  kDispidScanStarted = 1,
  kDispidScanCompleted = 2,
  kDispidOnError = 3,
};

}  // namespace zarn
