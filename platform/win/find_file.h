// Directory listing with the behaviour of FindFirstFile / FindNextFile / FindClose.
//
// A pattern is a folder path followed by a name pattern ("/data/docs/*.*", "/data/docs/readme.txt").
// The name pattern is matched against each entry without regard to ASCII letter case and honours the
// wildcards "*" (any run of bytes) and "?" (one byte, or none at the end of the name or before a dot).
// "*.*" matches every name, also names without a dot, and "name.*" also matches "name".
// The listing returns "." and ".." when the pattern matches them, like the Windows listing does.
//
// Only regular files and folders (and links to either) are listed; FIFOs, sockets, devices and
// dangling links are passed over, because opening them can block forever or fail.
#pragma once

#include <climits>
#include <cstdint>

namespace win {

inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// One listed entry: its own name (no folder, bytes as stored) and its attributes: FILE_ATTRIBUTE_DIRECTORY
// or FILE_ATTRIBUTE_NORMAL, plus FILE_ATTRIBUTE_HIDDEN for a name starting with a dot (not "." or "..").
// The listing never reports FILE_ATTRIBUTE_READONLY: that would cost a stat per entry on the walk's hot
// path. Ask GetFileAttributes when it matters.
struct WIN32_FIND_DATA {
  std::uint32_t dwFileAttributes = 0;
  char cFileName[NAME_MAX + 1] = {};
};

struct FindListing;  // an open listing
using HFIND = FindListing*;
inline constexpr HFIND INVALID_HANDLE_VALUE = nullptr;

// Opens the listing and fills `data` with the first matching entry. Returns INVALID_HANDLE_VALUE when the
// folder cannot be listed (missing, access refused, pattern longer than the path limit) or nothing matches.
// A name pattern without wildcards that names an entry exactly gives that entry alone; otherwise the
// folder is searched for the name ignoring case.
HFIND FindFirstFile(const char* pattern, WIN32_FIND_DATA* data);

// Fills `data` with the next matching entry; false when there is none.
bool FindNextFile(HFIND listing, WIN32_FIND_DATA* data);

// Closes the listing. Accepts INVALID_HANDLE_VALUE (and returns false for it).
bool FindClose(HFIND listing);

// Attributes of a path, following links; INVALID_FILE_ATTRIBUTES when it does not exist or cannot be
// examined. A folder carries FILE_ATTRIBUTE_DIRECTORY; anything else FILE_ATTRIBUTE_NORMAL (plus
// READONLY / HIDDEN where they apply).
std::uint32_t GetFileAttributes(const char* path);

// Identity of a file or folder (stands in for the volume serial number and file index of
// GetFileInformationByHandle); used to notice a folder that is already on the current walk path.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
bool GetFileIdentity(const char* path, FileIdentity* identity);

}  // namespace win
