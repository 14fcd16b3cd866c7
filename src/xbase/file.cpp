#include "file.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "error.h"

namespace xbase {

namespace {
std::string systemMessage(int err) { return std::strerror(err); }
}  // namespace

File::File(const std::string& path, Mode mode) : path_(path) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::Exclusive: flags |= O_RDWR; break;
    case Mode::SharedReadOnly: flags |= O_RDONLY; break;
    case Mode::CreateExclusive: flags |= O_RDWR | O_CREAT; break;
  }
  fd_ = ::open(path.c_str(), flags, 0644);
  if (fd_ < 0) {
    int err = errno;
    if (err == ENOENT) throw Error(path, "file not found");
    throw Error(path, systemMessage(err));
  }
  struct stat st {};
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw Error(path, "is a folder, not a file");
  }
  int lock = mode == Mode::SharedReadOnly ? LOCK_SH : LOCK_EX;
  if (::flock(fd_, lock | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
    throw FileInUseError(path);
  }
  writable_ = mode != Mode::SharedReadOnly;
  // Truncate only once the lock is ours, so a file someone else holds is never emptied.
  if (mode == Mode::CreateExclusive && ::ftruncate(fd_, 0) != 0) {
    int err = errno;
    close();
    throw Error(path, systemMessage(err));
  }
}

File::~File() { close(); }

File::File(File&& other) noexcept
    : fd_(other.fd_), writable_(other.writable_), path_(std::move(other.path_)) {
  other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    writable_ = other.writable_;
    path_ = std::move(other.path_);
    other.fd_ = -1;
  }
  return *this;
}

void File::close() {
  if (fd_ >= 0) {
    ::close(fd_);  // releases the flock as well
    fd_ = -1;
  }
}

std::size_t File::readAt(uint64_t offset, void* buffer, std::size_t n) const {
  std::size_t done = 0;
  auto out = static_cast<char*>(buffer);
  while (done < n) {
    ssize_t r = ::pread(fd_, out + done, n - done, off_t(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      throw Error(path_, "read failed: " + systemMessage(errno));
    }
    if (r == 0) break;
    done += std::size_t(r);
  }
  return done;
}

void File::readExactly(uint64_t offset, void* buffer, std::size_t n) const {
  if (readAt(offset, buffer, n) != n) throw CorruptFileError(path_, "the file is truncated");
}

void File::writeAt(uint64_t offset, const void* data, std::size_t n) {
  std::size_t done = 0;
  auto in = static_cast<const char*>(data);
  while (done < n) {
    ssize_t r = ::pwrite(fd_, in + done, n - done, off_t(offset + done));
    if (r < 0) {
      if (errno == EINTR) continue;
      throw Error(path_, "write failed: " + systemMessage(errno));
    }
    done += std::size_t(r);
  }
}

uint64_t File::size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) throw Error(path_, systemMessage(errno));
  return uint64_t(st.st_size);
}

void File::truncate(uint64_t length) {
  if (::ftruncate(fd_, off_t(length)) != 0) throw Error(path_, "truncate failed: " + systemMessage(errno));
}

void File::sync() {
  if (::fsync(fd_) != 0) throw Error(path_, "sync failed: " + systemMessage(errno));
}

void File::renameTo(const std::string& newPath) {
  if (std::rename(path_.c_str(), newPath.c_str()) != 0)
    throw Error(newPath, "could not replace the file: " + systemMessage(errno));
  path_ = newPath;
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string findFileNoCase(const std::string& path) {
  if (fileExists(path)) return path;
  auto slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return {};
  std::string found;
  while (dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = slash == std::string::npos ? std::string(entry->d_name)
                                          : path.substr(0, slash + 1) + entry->d_name;
      if (fileExists(found)) break;
      found.clear();
    }
  }
  ::closedir(dir);
  return found;
}

std::string companionPath(const std::string& tablePath, const std::string& lowerExtension) {
  std::string ext = lowerExtension;
  auto slash = tablePath.find_last_of('/');
  auto dot = tablePath.find_last_of('.');
  bool lower = dot != std::string::npos && (slash == std::string::npos || dot > slash) && dot + 1 < tablePath.size();
  for (std::size_t i = dot + 1; lower && i < tablePath.size(); ++i)
    lower = !std::isupper(static_cast<unsigned char>(tablePath[i]));
  if (!lower)
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
  std::string wanted = replaceExtension(tablePath, ext);
  std::string found = findFileNoCase(wanted);
  return found.empty() ? wanted : found;
}

std::string replaceExtension(const std::string& path, const std::string& newExtension) {
  auto slash = path.find_last_of('/');
  auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + newExtension;
  return path.substr(0, dot) + newExtension;
}

}  // namespace xbase
