#include "bench/corpus_words.h"

namespace kx_bench {

namespace {

constexpr std::array<std::string_view, kWordCount> kWords = {
    "the",       "of",        "and",      "to",      "in",      "is",      "was",      "for",
    "on",        "that",      "with",     "as",      "by",      "at",      "from",     "his",
    "her",       "they",      "this",     "have",    "are",     "not",     "but",      "had",
    "one",       "all",       "were",     "when",    "there",   "can",     "an",       "which",
    "their",     "said",      "if",       "will",    "each",    "about",   "how",      "up",
    "out",       "them",      "then",     "she",     "many",    "some",    "so",       "these",
    "would",     "other",     "into",     "has",     "more",    "two",     "time",     "like",
    "could",     "no",        "than",     "first",   "been",    "who",     "its",      "now",
    "people",    "my",        "made",     "over",    "did",     "down",    "only",     "way",
    "find",      "use",       "may",      "water",   "long",    "little",  "very",     "after",
    "words",     "called",    "just",     "where",   "most",    "know",    "get",      "through",
    "back",      "much",      "before",   "go",      "good",    "new",     "write",    "our",
    "used",      "me",        "man",      "too",     "any",     "day",     "same",     "right",
    "look",      "think",     "also",     "around",  "another", "came",    "come",     "work",
    "three",     "word",      "must",     "because", "does",    "part",    "even",     "place",
    "well",      "such",      "here",     "take",    "why",     "things",  "help",     "put",
    "years",     "different", "away",     "again",   "off",     "went",    "old",      "number",
    "great",     "tell",      "men",      "say",     "small",   "every",   "found",    "still",
    "between",   "name",      "should",   "home",    "big",     "give",    "air",      "line",
    "set",       "own",       "under",    "read",    "last",    "never",   "us",       "left",
    "end",       "along",     "while",    "might",   "next",    "sound",   "below",    "saw",
    "something", "thought",   "both",     "few",     "those",   "always",  "looked",   "show",
    "large",     "often",     "together", "asked",   "house",   "world",   "going",    "want",
    "school",    "important", "until",    "form",    "food",    "keep",    "children", "feet",
    "land",      "side",      "without",  "boy",     "once",    "animals", "life",     "enough",
    "took",      "sometimes", "four",     "head",    "above",   "kind",    "began",    "almost",
    "live",      "page",      "got",      "earth",   "need",    "far",     "hand",     "high",
    "year",      "mother",    "light",    "parts",   "country", "father",  "let",      "night",
    "following", "picture",   "being",    "study",   "second",  "eyes",    "soon",     "times",
    "story",     "boys",      "since",    "white",   "days",    "ever",    "paper",    "hard",
    "near",      "sentence",  "better",   "best",    "across",  "during",  "quite",    "question",
    "quick",     "size",      "zero",     "amazing", "box",     "six",     "quiet",    "frozen",
};

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HoldsIgnoringCase(std::string_view text, std::string_view part) {
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < part.size() && Lower(text[at + i]) == Lower(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

}  // namespace

const std::array<std::string_view, kWordCount>& Words() {
  return kWords;
}

bool NoWordHolds(std::string_view planted) {
  for (const std::string_view word : kWords) {
    if (word.empty() || word.size() > kLongestWord || HoldsIgnoringCase(word, planted)) return false;
  }
  return true;
}

}  // namespace kx_bench
