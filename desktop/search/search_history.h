// A search history: an ordered list of distinct texts, oldest first, kept in the settings file in a
// section of its own under the keys <section>1 to <section>20 (20 holds the newest).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

using SearchHistory = std::vector<std::string>;

// Puts `text` at the newest end; an entry equal to it without regard to letter case is removed first, so
// adding an entry that is present moves it to the newest end in the new letter case. An empty text is
// ignored.
void AddToHistory(SearchHistory& history, std::string_view text);

// Writes the newest 20 entries to keys 20, 19, ... downwards; keys below the oldest written keep what they
// held.
void SaveHistory(const std::string& ini_file, std::string_view section, const SearchHistory& history);

// Reads keys 1 to 20, oldest first, skipping missing and empty ones, into an emptied `history`.
void LoadHistory(const std::string& ini_file, std::string_view section, SearchHistory& history);

}  // namespace kestrix
