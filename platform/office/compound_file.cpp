#include "platform/office/compound_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace office {

namespace {

constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kHeaderAllocationEntries = 109;  // the first locations of allocation-table sectors
constexpr std::uint32_t kLastSector = 0xFFFFFFFA;      // larger numbers mark chain ends and free sectors
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kDirectoryLimit = std::size_t{16} << 20;  // far more than any real document has
constexpr unsigned char kStreamEntry = 2;

std::uint32_t Little32(const unsigned char* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t Little16(const unsigned char* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

// Reads sectors through the allocation table; every number read from the file is checked against the
// file's size, and every chain is cut after as many steps as the file has sectors, so a damaged file can
// neither make it read out of bounds nor loop.
class CompoundFile {
 public:
  explicit CompoundFile(int fd) : fd_(fd) {}

  bool ReadHeader();
  // The directory's entries, 128 bytes each; empty when its chain is broken.
  std::vector<unsigned char> Directory();

 private:
  bool ReadSector(std::uint32_t sector, unsigned char* into) const;
  bool ReadAllocationSectors(const unsigned char* header);
  // The sector after `sector` in its chain; kNoEntry at the chain's end or when the table says nothing.
  std::uint32_t Next(std::uint32_t sector) const;

  int fd_;
  std::size_t sector_size_ = 0;
  std::uint32_t sectors_ = 0;  // in the file
  std::uint32_t first_directory_sector_ = 0;
  std::vector<std::uint32_t> allocation_sectors_;
};

bool CompoundFile::ReadHeader() {
  unsigned char header[kHeaderSize];
  struct stat status;
  if (pread(fd_, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header) || fstat(fd_, &status) != 0)
    return false;
  const std::uint16_t shift = Little16(header + 0x1E);
  if (shift != 9 && shift != 12) return false;
  sector_size_ = std::size_t{1} << shift;
  const auto size = static_cast<std::uint64_t>(status.st_size);
  sectors_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(size / sector_size_, kLastSector));
  first_directory_sector_ = Little32(header + 0x30);
  return ReadAllocationSectors(header);
}

bool CompoundFile::ReadAllocationSectors(const unsigned char* header) {
  const std::uint32_t count = Little32(header + 0x2C);
  if (count > sectors_) return false;
  for (std::size_t i = 0; i < kHeaderAllocationEntries && allocation_sectors_.size() < count; ++i)
    allocation_sectors_.push_back(Little32(header + 0x4C + 4 * i));
  std::vector<unsigned char> sector(sector_size_);
  const std::size_t per_sector = sector_size_ / 4 - 1;  // the last entry links to the next such sector
  std::uint32_t next = Little32(header + 0x44);
  for (std::uint32_t steps = 0; allocation_sectors_.size() < count; ++steps) {
    if (steps >= sectors_ || !ReadSector(next, sector.data())) return false;
    for (std::size_t i = 0; i < per_sector && allocation_sectors_.size() < count; ++i)
      allocation_sectors_.push_back(Little32(sector.data() + 4 * i));
    next = Little32(sector.data() + 4 * per_sector);
  }
  return true;
}

bool CompoundFile::ReadSector(std::uint32_t sector, unsigned char* into) const {
  if (sector >= sectors_) return false;
  const off_t offset = static_cast<off_t>(sector + 1) * static_cast<off_t>(sector_size_);
  return pread(fd_, into, sector_size_, offset) == static_cast<ssize_t>(sector_size_);
}

std::uint32_t CompoundFile::Next(std::uint32_t sector) const {
  const std::size_t per_sector = sector_size_ / 4;
  const std::size_t table_sector = sector / per_sector;
  if (table_sector >= allocation_sectors_.size() || allocation_sectors_[table_sector] >= sectors_)
    return kNoEntry;
  unsigned char entry[4];
  const off_t offset =
      static_cast<off_t>(allocation_sectors_[table_sector] + 1) * static_cast<off_t>(sector_size_) +
      static_cast<off_t>(4 * (sector % per_sector));
  return pread(fd_, entry, sizeof entry, offset) == 4 ? Little32(entry) : kNoEntry;
}

std::vector<unsigned char> CompoundFile::Directory() {
  std::vector<unsigned char> directory;
  std::uint32_t steps = 0;
  for (std::uint32_t sector = first_directory_sector_; sector <= kLastSector; sector = Next(sector)) {
    if (++steps > sectors_ || directory.size() >= kDirectoryLimit) return {};
    directory.resize(directory.size() + sector_size_);
    if (!ReadSector(sector, directory.data() + directory.size() - sector_size_)) return {};
  }
  return directory;
}

std::u16string EntryName(const unsigned char* entry) {
  const std::size_t length = std::min<std::size_t>(Little16(entry + 0x40), 64) / 2;
  std::u16string name;
  for (std::size_t i = 0; i + 1 < length; ++i) name += static_cast<char16_t>(Little16(entry + 2 * i));
  return name;
}

}  // namespace

std::optional<std::vector<std::u16string>> RootStreamNames(int fd) {
  CompoundFile file(fd);
  if (!file.ReadHeader()) return std::nullopt;
  const std::vector<unsigned char> directory = file.Directory();
  const std::size_t entries = directory.size() / kEntrySize;
  if (entries == 0) return std::nullopt;
  // The root storage's children form a tree through each entry's left and right siblings.
  std::vector<std::u16string> names;
  std::vector<bool> seen(entries);
  std::vector<std::uint32_t> pending{Little32(directory.data() + 0x4C)};
  while (!pending.empty()) {
    const std::uint32_t id = pending.back();
    pending.pop_back();
    if (id == kNoEntry) continue;
    if (id >= entries || seen[id]) return std::nullopt;
    seen[id] = true;
    const unsigned char* entry = directory.data() + id * kEntrySize;
    if (entry[0x42] == kStreamEntry) names.push_back(EntryName(entry));
    pending.push_back(Little32(entry + 0x44));
    pending.push_back(Little32(entry + 0x48));
  }
  return names;
}

}  // namespace office
