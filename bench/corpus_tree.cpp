#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/corpus_lines.h"
#include "bench/corpus_modes.h"
#include "bench/corpus_output.h"
#include "bench/corpus_random.h"
#include "bench/corpus_text.h"

namespace kx_bench {

namespace {

constexpr int kTopFolders = 10;
constexpr int kMiddleFolders = 4;  // in each top folder
constexpr int kInnerFolders = 4;   // in each middle folder
constexpr std::uint32_t kSmallestFile = 1024;
constexpr std::uint32_t kLargestFile = 20 * 1024;  // also the write buffer: one write per file

void MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) != 0)
    throw std::runtime_error("cannot create folder " + path + ": " + std::strerror(errno));
}

// Relative paths of the folders, parents before children: d0 .. d9, d0/s0 .. d0/s3, d0/s0/t0 ...
std::vector<std::string> FolderNames() {
  std::vector<std::string> names;
  for (int top = 0; top < kTopFolders; ++top) {
    const std::string top_name = "d" + std::to_string(top);
    names.push_back(top_name);
    for (int middle = 0; middle < kMiddleFolders; ++middle) {
      const std::string middle_name = top_name + "/s" + std::to_string(middle);
      names.push_back(middle_name);
      for (int inner = 0; inner < kInnerFolders; ++inner)
        names.push_back(middle_name + "/t" + std::to_string(inner));
    }
  }
  return names;
}

std::string FileName(std::uint32_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "f%05u.%s", index, index % 10 == 9 ? "log" : "txt");
  return name;
}

}  // namespace

void WriteTreeCorpus(const TreeCorpus& corpus) {
  if (corpus.rare_files == 0 || corpus.files < 2 * corpus.rare_files)
    throw std::runtime_error("the tree needs at least one rare file and twice as many files as rare files");
  const std::vector<std::string> folders = FolderNames();
  MakeFolder(corpus.folder);
  for (const std::string& folder : folders) MakeFolder(corpus.folder + "/" + folder);

  // The rare files sit near the middle of equal runs of file numbers, moved on a little from run to run
  // so that they land in different kinds of folder and some are .log files.
  std::vector<std::uint32_t> rare_files;
  for (std::uint64_t run = 0; run < corpus.rare_files; ++run) {
    const std::uint64_t middle = (2 * run + 1) * corpus.files / (std::uint64_t{2} * corpus.rare_files);
    const std::uint64_t run_end = (run + 1) * corpus.files / corpus.rare_files;
    const std::uint64_t moved = middle + (3 * run) % 10;
    rare_files.push_back(static_cast<std::uint32_t>(moved < run_end ? moved : middle));
  }

  SplitMix64 sizes(corpus.seed ^ 0x2545F4914F6CDD1Dull);
  LineMaker lines(corpus.seed);
  TenthPicker picker(corpus.seed ^ 0x5851F42D4C957F2Dull);
  std::uint64_t total_bytes = 0, total_lines = 0, common_lines = 0, log_files = 0;
  std::vector<std::string> rare_at;
  std::size_t next_rare = 0;
  for (std::uint32_t index = 0; index < corpus.files; ++index) {
    const std::string relative = folders[index % folders.size()] + "/" + FileName(index);
    const std::uint32_t bytes = kSmallestFile + sizes.Below(kLargestFile - kSmallestFile + 1);
    std::vector<std::uint64_t> rare_offsets;
    const bool rare = next_rare < rare_files.size() && rare_files[next_rare] == index;
    if (rare) rare_offsets.push_back(bytes / 2);

    OutputFile file(corpus.folder + "/" + relative, kLargestFile);
    const TextCounts counts = WriteText(file, bytes, lines, picker, rare_offsets);
    file.Close();

    if (rare) {
      rare_at.push_back(relative + ":" + std::to_string(counts.rare_line_numbers.front()));
      ++next_rare;
    }
    total_bytes += bytes;
    total_lines += counts.lines;
    common_lines += counts.common_lines;
    if (index % 10 == 9) ++log_files;
  }

  std::printf("mode=tree\nformat=%d\nfolder=%s\nfiles=%u\nfolders=%zu\ntxt_files=%llu\nlog_files=%llu\n",
              kCorpusFormat, corpus.folder.c_str(), corpus.files, folders.size(),
              static_cast<unsigned long long>(corpus.files - log_files),
              static_cast<unsigned long long>(log_files));
  std::printf("bytes=%llu\nseed=%llu\nlines=%llu\n", static_cast<unsigned long long>(total_bytes),
              static_cast<unsigned long long>(corpus.seed), static_cast<unsigned long long>(total_lines));
  std::printf("rare_word=%.*s\nrare_lines=%zu\n", static_cast<int>(kRareWord.size()), kRareWord.data(),
              rare_at.size());
  for (const std::string& place : rare_at) std::printf("rare_at=%s\n", place.c_str());
  std::printf("common_word=%.*s\ncommon_lines=%llu\n", static_cast<int>(kCommonWord.size()),
              kCommonWord.data(), static_cast<unsigned long long>(common_lines));
}

}  // namespace kx_bench
