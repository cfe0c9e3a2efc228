// Files that resist deletion, for tests of what a delete does when one does. Needs root.
#pragma once
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/fsuid.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

namespace fs = std::filesystem;

// Makes a file undeletable for as long as it lives (even for root), where the file system allows.
class Immutable {
 public:
  explicit Immutable(const fs::path& file) : file_(file) { ok_ = Set(FS_IMMUTABLE_FL); }
  ~Immutable() {
    if (ok_) Set(0);
  }
  bool ok() const { return ok_; }

 private:
  bool Set(int flags) {
    int fd = open(file_.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int current = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &current) == 0;
    if (done) {
      current = flags ? (current | flags) : (current & ~FS_IMMUTABLE_FL);
      done = ioctl(fd, FS_IOC_SETFLAGS, &current) == 0;
    }
    close(fd);
    return done;
  }
  fs::path file_;
  bool ok_ = false;
};

// Where a file cannot be made immutable (no such capability, as in most containers): while alive,
// the working folder is sticky and this thread touches files as an unprivileged user, so only the
// files handed to that user can be deleted; the rest resist. Needs root to set up.
class StickyFolder {
 public:
  explicit StickyFolder(const std::vector<std::string>& deletable) {
    if (geteuid() != 0) return;
    mode_ = fs::status(".").permissions();
    fs::permissions(".", fs::perms::all | fs::perms::sticky_bit);
    // The database and its journal are written as that user too.
    fs::permissions("tulmo-final.db", fs::perms::others_read | fs::perms::others_write, fs::perm_options::add);
    for (const std::string& f : deletable)
      if (chown(f.c_str(), kUser, kUser) != 0) return;
    setfsuid(kUser);
    ok_ = static_cast<uid_t>(setfsuid(static_cast<uid_t>(-1))) == kUser;
  }
  ~StickyFolder() {
    setfsuid(0);
    if (mode_ != fs::perms::unknown) fs::permissions(".", mode_);
  }
  bool ok() const { return ok_; }

 private:
  static constexpr uid_t kUser = 65534;
  fs::perms mode_ = fs::perms::unknown;
  bool ok_ = false;
};

}  // namespace testsupport
