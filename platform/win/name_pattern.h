// The name part of a listing pattern ("*.txt", "readme.txt", "a?c.*") and how it matches entry names.
//
// Letters match without regard to ASCII case. "*" matches any run of bytes. "?" matches one byte, or
// nothing when the name is used up or its next byte is a dot (so "a?.txt" matches "a.txt" and "ab.txt").
// A dot followed by a wildcard also matches the end of the name, which is why "name.*" matches "name" and
// "*.*" matches every name.
#pragma once

#include <string>
#include <string_view>

namespace win::detail {

class NamePattern {
 public:
  explicit NamePattern(std::string_view text);

  bool Matches(std::string_view name) const;
  bool HasWildcards() const { return has_wildcards_; }

 private:
  std::string text_;
  bool has_wildcards_ = false;
  bool matches_every_name_ = false;  // "*" or "*.*": no need to look at the name
};

}  // namespace win::detail
