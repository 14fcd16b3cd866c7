// Memo files beside a table: FoxPro's FPT (read and write) and dBASE's DBT
// (read only, for imports).
//
// FPT: a 512-byte header (u32 BE next free block at 0, u16 BE block size at
// 6), then blocks; a memo is a block header (u32 BE type, u32 BE length) and
// its bytes, taking whole consecutive blocks. DBT III: 512-byte blocks, text
// ended by 0x1A. DBT IV: blocks start FF FF 08 00 and a u32 LE length that
// counts those eight bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dbf_header.h"
#include "file.h"

namespace xbase {

class MemoFile {
 public:
  virtual ~MemoFile() = default;
  // The text of the memo starting at `block`; "" for block 0. Throws
  // CorruptFileError when the pointer or the block leads outside the file.
  virtual std::string read(uint32_t block) const = 0;
  // Stores `text` as the new value of a memo that was at `oldBlock` (0 for
  // none) and returns the block that now holds it (0 for an empty text). The
  // old blocks are reused when the text fits in them.
  virtual uint32_t write(uint32_t oldBlock, std::string_view text) = 0;
  // While deferred, the header's next-free pointer is written only by flush();
  // the allocator never trusts it beyond the file size anyway.
  virtual void setDeferHeader(bool defer) = 0;
  virtual void flush() = 0;
  // Empties the file (every memo is lost).
  virtual void clear() = 0;
  virtual const std::string& path() const = 0;
  // Moves the file to another name, keeping it open and locked.
  virtual void renameTo(const std::string& newPath) = 0;
};

constexpr uint16_t kDefaultFptBlockSize = 64;

// Creates (or truncates) an empty FPT file and returns it held exclusively.
std::unique_ptr<MemoFile> createFpt(const std::string& path, uint16_t blockSize = kDefaultFptBlockSize);
// Opens the memo file of the given kind.
std::unique_ptr<MemoFile> openMemoFile(const std::string& path, MemoKind kind, File::Mode mode);

}  // namespace xbase
