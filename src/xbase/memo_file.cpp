#include "memo_file.h"

#include <algorithm>
#include <cstring>

#include "byte_order.h"
#include "error.h"

namespace xbase {

namespace {

constexpr std::size_t kFptHeaderSize = 512;
constexpr uint32_t kFptTextType = 1;

class FptFile final : public MemoFile {
 public:
  FptFile(File file, bool created, uint16_t blockSize) : file_(std::move(file)) {
    if (created) {
      blockSize_ = blockSize;
      nextFree_ = uint32_t((kFptHeaderSize + blockSize_ - 1) / blockSize_);
      writeHeader();
      file_.truncate(kFptHeaderSize);
      return;
    }
    unsigned char h[8];
    if (file_.readAt(0, h, sizeof h) != sizeof h)
      throw CorruptFileError(file_.path(), "not a valid memo file: it is shorter than its header");
    blockSize_ = getBE16(h + 6);
    if (blockSize_ == 0) throw CorruptFileError(file_.path(), "not a valid memo file: its block size is 0");
    uint64_t size = file_.size();
    // The header's pointer may lag behind after an interrupted write, and may
    // lie in a damaged file: never hand out a block that holds data.
    uint64_t firstData = (kFptHeaderSize + blockSize_ - 1) / blockSize_;
    uint64_t bySize = (size + blockSize_ - 1) / blockSize_;
    uint64_t next = std::max<uint64_t>({uint64_t(getBE32(h)), firstData, bySize});
    nextFree_ = uint32_t(std::min<uint64_t>(next, 0xFFFFFFFFu));
  }

  ~FptFile() override {
    try {
      if (file_.isOpen() && file_.writable() && headerDirty_) writeHeader();
    } catch (...) {
    }
  }

  std::string read(uint32_t block) const override {
    if (block == 0) return {};
    uint64_t start = uint64_t(block) * blockSize_;
    uint64_t size = file_.size();
    if (start < kFptHeaderSize || start + 8 > size)
      throw CorruptFileError(file_.path(), "memo block " + std::to_string(block) + " lies outside the memo file");
    unsigned char h[8];
    file_.readExactly(start, h, 8);
    uint32_t length = getBE32(h + 4);
    if (length > size - start - 8)
      throw CorruptFileError(file_.path(), "memo block " + std::to_string(block) + " runs past the end of the file");
    std::string out(length, '\0');
    file_.readExactly(start + 8, out.data(), length);
    return out;
  }

  uint32_t write(uint32_t oldBlock, std::string_view text) override {
    if (text.empty()) return 0;
    if (text.size() > 0xFFFFFFF0u - 8) throw Error(file_.path(), "memo text is too long");
    uint64_t needed = blocksFor(text.size());
    uint32_t target = 0;
    if (oldBlock) {
      uint64_t oldBlocks = oldCapacity(oldBlock);
      if (oldBlocks >= needed) target = oldBlock;
    }
    bool append = target == 0;
    if (append) {
      target = nextFree_;
      if (uint64_t(target) + needed > 0xFFFFFFFFu) throw Error(file_.path(), "the memo file is full");
    }
    std::string block(std::size_t(append ? needed * blockSize_ : 8 + text.size()), '\0');
    putBE32(block.data(), kFptTextType);
    putBE32(block.data() + 4, uint32_t(text.size()));
    std::memcpy(block.data() + 8, text.data(), text.size());
    file_.writeAt(uint64_t(target) * blockSize_, block.data(), block.size());
    if (append) {
      nextFree_ = uint32_t(target + needed);
      headerDirty_ = true;
      if (!deferHeader_) writeHeader();
    }
    return target;
  }

  void setDeferHeader(bool defer) override {
    deferHeader_ = defer;
    if (!defer && headerDirty_) writeHeader();
  }
  void flush() override {
    if (headerDirty_) writeHeader();
  }
  void clear() override {
    nextFree_ = uint32_t((kFptHeaderSize + blockSize_ - 1) / blockSize_);
    writeHeader();
    file_.truncate(std::max<uint64_t>(kFptHeaderSize, uint64_t(nextFree_) * blockSize_));
  }
  const std::string& path() const override { return file_.path(); }
  void renameTo(const std::string& newPath) override { file_.renameTo(newPath); }

 private:
  uint64_t blocksFor(std::size_t length) const { return (8 + uint64_t(length) + blockSize_ - 1) / blockSize_; }

  // Blocks the memo at `block` occupies; 0 when it cannot be read as a memo.
  uint64_t oldCapacity(uint32_t block) const {
    uint64_t start = uint64_t(block) * blockSize_;
    if (start < kFptHeaderSize || block >= nextFree_) return 0;
    unsigned char h[8];
    if (file_.readAt(start, h, 8) != 8) return 0;
    uint64_t blocks = blocksFor(getBE32(h + 4));
    return uint64_t(block) + blocks <= nextFree_ ? blocks : 0;
  }

  void writeHeader() {
    unsigned char h[8] = {};
    putBE32(h, nextFree_);
    putBE16(h + 6, blockSize_);
    file_.writeAt(0, h, sizeof h);
    headerDirty_ = false;
  }

  File file_;
  uint16_t blockSize_ = kDefaultFptBlockSize;  // bytes per block
  uint32_t nextFree_ = 0;                      // first block never used
  bool deferHeader_ = false;                   // header written only on flush
  bool headerDirty_ = false;                   // nextFree_ differs from the file's header
};

class DbtFile final : public MemoFile {
 public:
  DbtFile(File file, bool dBase4) : file_(std::move(file)), dBase4_(dBase4) {
    unsigned char h[24] = {};
    if (file_.readAt(0, h, sizeof h) < 4)
      throw CorruptFileError(file_.path(), "not a valid memo file: it is shorter than its header");
    if (dBase4_) {
      blockSize_ = getLE16(h + 20);
      if (blockSize_ == 0) blockSize_ = 512;
    }
  }

  std::string read(uint32_t block) const override {
    if (block == 0) return {};
    uint64_t start = uint64_t(block) * blockSize_;
    uint64_t size = file_.size();
    if (start >= size)
      throw CorruptFileError(file_.path(), "memo block " + std::to_string(block) + " lies outside the memo file");
    if (dBase4_) {
      unsigned char h[8];
      file_.readExactly(start, h, 8);
      if (h[0] != 0xFF || h[1] != 0xFF || h[2] != 0x08 || h[3] != 0x00)
        throw CorruptFileError(file_.path(), "memo block " + std::to_string(block) + " has no memo header");
      uint32_t length = getLE32(h + 4);
      if (length < 8 || length - 8 > size - start - 8)
        throw CorruptFileError(file_.path(), "memo block " + std::to_string(block) + " runs past the end of the file");
      std::string out(length - 8, '\0');
      file_.readExactly(start + 8, out.data(), out.size());
      return out;
    }
    std::string out;
    char chunk[512];
    uint64_t pos = start;
    while (pos < size) {
      std::size_t n = file_.readAt(pos, chunk, sizeof chunk);
      if (n == 0) break;
      const void* end = std::memchr(chunk, 0x1A, n);
      if (end) {
        out.append(chunk, std::size_t(static_cast<const char*>(end) - chunk));
        return out;
      }
      out.append(chunk, n);
      pos += n;
    }
    return out;  // no terminator: the text runs to the end of the file
  }

  uint32_t write(uint32_t, std::string_view) override {
    throw Error(file_.path(), "dBASE memo files are read only");
  }
  void setDeferHeader(bool) override {}
  void flush() override {}
  void clear() override { throw Error(file_.path(), "dBASE memo files are read only"); }
  const std::string& path() const override { return file_.path(); }
  void renameTo(const std::string& newPath) override { file_.renameTo(newPath); }

 private:
  File file_;
  bool dBase4_;               // dBASE IV block headers
  uint32_t blockSize_ = 512;  // bytes per block
};

}  // namespace

std::unique_ptr<MemoFile> createFpt(const std::string& path, uint16_t blockSize) {
  if (blockSize == 0) throw Error(path, "memo block size must not be 0");
  return std::make_unique<FptFile>(File(path, File::Mode::CreateExclusive), true, blockSize);
}

std::unique_ptr<MemoFile> openMemoFile(const std::string& path, MemoKind kind, File::Mode mode) {
  File file(path, mode);
  switch (kind) {
    case MemoKind::Fpt: return std::make_unique<FptFile>(std::move(file), false, 0);
    case MemoKind::DbtIII: return std::make_unique<DbtFile>(std::move(file), false);
    case MemoKind::DbtIV: return std::make_unique<DbtFile>(std::move(file), true);
    case MemoKind::None: break;
  }
  throw Error(path, "the table has no memo file");
}

}  // namespace xbase
