#include "desktop/search/search_history.h"

#include <algorithm>

#include "desktop/frame/settings_file.h"
#include "platform/win/ascii_text.h"

namespace kestrix {

namespace {

constexpr int kHistoryKeys = 20;
// What a read of a key that holds no entry answers.
constexpr std::string_view kNoEntry = "+-!#";

std::string KeyOf(std::string_view section, int number) {
  return std::string(section) + std::to_string(number);
}

}  // namespace

void AddToHistory(SearchHistory& history, std::string_view text) {
  if (text.empty()) return;
  std::erase_if(history,
                [text](const std::string& entry) { return win::ascii::EqualIgnoringCase(entry, text); });
  history.emplace_back(text);
}

void SaveHistory(const std::string& ini_file, std::string_view section, const SearchHistory& history) {
  int key = kHistoryKeys;
  for (auto entry = history.rbegin(); entry != history.rend() && key >= 1; ++entry, --key)
    WriteSetting(ini_file, section, KeyOf(section, key), *entry);
}

void LoadHistory(const std::string& ini_file, std::string_view section, SearchHistory& history) {
  history.clear();
  for (int key = 1; key <= kHistoryKeys; ++key) {
    const std::string value = ReadSetting(ini_file, section, KeyOf(section, key), kNoEntry);
    if (value != kNoEntry) AddToHistory(history, value);
  }
}

}  // namespace kestrix
