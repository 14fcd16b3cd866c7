// A file opened by the engine: positioned reads and writes, size, truncation,
// and the lock that makes an exclusive open exclusive.
//
// Locks are flock() locks on the open file description, so a second exclusive
// open fails whether it comes from another process or from this one.
#pragma once

#include <cstdint>
#include <string>

namespace xbase {

class File {
 public:
  enum class Mode {
    Exclusive,       // read-write, no other open of the file may hold a lock
    SharedReadOnly,  // read-only, fails while someone holds the file exclusively
    CreateExclusive  // create (truncating) and hold exclusively
  };

  File() = default;
  File(const std::string& path, Mode mode);
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  bool writable() const { return writable_; }
  void close();

  // Reads up to n bytes at offset; returns the number read (short at end of file).
  std::size_t readAt(uint64_t offset, void* buffer, std::size_t n) const;
  // Reads exactly n bytes or throws a CorruptFileError saying the file is truncated.
  void readExactly(uint64_t offset, void* buffer, std::size_t n) const;
  void writeAt(uint64_t offset, const void* data, std::size_t n);
  uint64_t size() const;
  void truncate(uint64_t length);
  void sync();
  // Renames the file on disk; it stays open, and locked when it was.
  void renameTo(const std::string& newPath);

 private:
  int fd_ = -1;           // the descriptor, -1 when closed
  bool writable_ = false; // opened for writing
  std::string path_;      // as given to the constructor, for messages
};

bool fileExists(const std::string& path);
// Finds an existing file whose name matches `path`'s file name without regard to
// case, in the same folder; returns the path as it exists, or "" when none does.
std::string findFileNoCase(const std::string& path);
// The file that goes with a table (its memo or production index): the same
// base name with `lowerExtension` (".fpt", ".cdx"). An existing file is found
// without regard to case; a new name takes the case of the table's extension
// (t.dbf with t.fpt, T.DBF with T.FPT), as other xBase tools expect.
std::string companionPath(const std::string& tablePath, const std::string& lowerExtension);
// `path` with its extension (after the last dot of the file name) replaced.
std::string replaceExtension(const std::string& path, const std::string& newExtension);

}  // namespace xbase
