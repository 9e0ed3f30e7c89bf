// Private-profile (INI) files with the behaviour of GetPrivateProfileString, GetPrivateProfileInt and
// WritePrivateProfileString:
//   - section and key names are matched without regard to ASCII letter case;
//   - values are trimmed of surrounding blanks (and of one pair of surrounding double quotes);
//   - a read that finds no file, section or key answers the default;
//   - a read into a buffer too small for the value stores what fits (cut, zero-terminated);
//   - a write creates the file, the section and the key as needed and keeps every other line as it was.
// Only a regular file (or a link to one) of at most kWholeFileLimit bytes is read: anything else (a FIFO,
// a device, a file beyond the bound) reads as absent, and a write leaves it as it is and fails.
// A write replaces the file atomically (a temporary file in the same folder, then a rename), so a crash
// never leaves a half-written settings file. Calls from several threads are serialised.
#pragma once

#include <string>

namespace win {

// Copies the value of `key` in `section` of `file` (or `default_value` when there is none) into `buffer`
// of `size` bytes, zero-terminated and cut to fit; returns the number of bytes copied before the zero.
// With `key` null, copies the names of the section's keys instead, each zero-terminated, the list ended
// by a second zero; with `section` null, the names of the sections likewise.
unsigned GetPrivateProfileString(const char* section, const char* key, const char* default_value,
                                 char* buffer, unsigned size, const char* file);

// The value of `key` read as a decimal integer (an optional sign, then digits; what follows them is
// ignored): 0 when the value does not begin with a number or the number is negative; `default_value`
// when there is no such key (or section, or file) or its value is empty.
int GetPrivateProfileInt(const char* section, const char* key, int default_value, const char* file);

// Sets `key` in `section` to `value`, creating what is missing. A null `value` removes the key; a null
// `key` removes the whole section. False when the file cannot be written.
bool WritePrivateProfileString(const char* section, const char* key, const char* value, const char* file);

}  // namespace win
