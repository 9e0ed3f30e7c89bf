// Automation strings (BSTR): UTF-16 text that carries its length, allocated and freed through the
// Sys... functions, as automation interfaces hand text across. A BSTR points at its first character; the
// length in bytes is kept in the four bytes before it and a zero character follows the last one.
//
// The control's text is 8-bit bytes (UTF-8 where it is text at all). Conversion between the two is
// lossless for every byte string: valid UTF-8 becomes the same characters in UTF-16; every byte that is
// not part of valid UTF-8 becomes a lone surrogate U+DC80..U+DCFF (0xDC00 + the byte) and comes back as
// that byte. So a path read from the file system survives the trip to a host and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ole {

using OLECHAR = char16_t;
using BSTR = OLECHAR*;

// A new BSTR holding `text` up to its zero; nullptr for a null `text`.
BSTR SysAllocString(const OLECHAR* text);
// A new BSTR of `length` characters copied from `text` (or zero-filled when `text` is null).
BSTR SysAllocStringLen(const OLECHAR* text, unsigned length);
// Frees a BSTR; accepts nullptr.
void SysFreeString(BSTR text);
// The number of characters; 0 for nullptr.
unsigned SysStringLen(BSTR text);

// Conversions between the control's bytes and UTF-16 (see above).
std::u16string Utf16FromBytes(std::string_view bytes);
std::string BytesFromUtf16(std::u16string_view text);
BSTR BstrFromBytes(std::string_view bytes);
std::string BytesFromBstr(BSTR text);  // "" for nullptr
// Appends the bytes of `text` to `bytes` (without a string of its own, for callers in a loop).
void AppendBytesFromUtf16(std::u16string_view text, std::string& bytes);
// Writes the bytes of `text` to `out`, which has room for 3 bytes per character; returns how many.
std::size_t BytesFromUtf16Into(std::u16string_view text, char* out);

}  // namespace ole
