// The platform seams on POSIX, asked directly of real files: FIFOs made with
// mkfifo, a socket, /dev/null and /dev/full, links, permissions, standard
// descriptors pointed elsewhere, and SIGINT.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "platform/platform.h"
#include "tests/support/test_platform.h"

namespace {

namespace fs = std::filesystem;

// While it lives, the standard descriptor `target` is the file at `path`
// opened with `flags`; the one it was comes back when it goes.
class Redirected {
 public:
  Redirected(int target, const std::string& path, int flags)
      : target_(target), saved_(dup(target)) {
    std::fflush(nullptr);
    int opened = open(path.c_str(), flags, 0600);
    EXPECT_GE(opened, 0) << path;
    dup2(opened, target_);
    close(opened);
  }
  ~Redirected() {
    std::fflush(nullptr);
    dup2(saved_, target_);
    close(saved_);
  }
  Redirected(const Redirected&) = delete;
  Redirected& operator=(const Redirected&) = delete;

 private:
  int target_;
  int saved_;
};

// Opens the FIFO at `path` to write after `delayMilliseconds`, once a reader
// has it open (giving up after a few seconds), writes `bytes` and closes it.
std::thread writeLater(const std::string& path, const std::string& bytes, int delayMilliseconds) {
  return std::thread([=] {
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMilliseconds));
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int pipe = -1;
    while ((pipe = open(path.c_str(), O_WRONLY | O_NONBLOCK)) < 0 &&
           std::chrono::steady_clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (pipe < 0) return;
    fcntl(pipe, F_SETFL, 0);  // blocking writes from here on
    for (std::size_t done = 0; done < bytes.size();) {
      ssize_t count = write(pipe, bytes.data() + done, bytes.size() - done);
      if (count <= 0) break;
      done += static_cast<std::size_t>(count);
    }
    close(pipe);
  });
}

// A socket bound to `path`, a name in the file system.
int bindSocket(const std::string& path) {
  int listening = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  EXPECT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
  return listening;
}

TEST(PosixPlatform, SigintIsRememberedWhileCaughtAndEndsTheProgramOnceReleased) {
  platform::catchInterrupts();
  EXPECT_FALSE(platform::interrupted());
  ASSERT_EQ(std::raise(SIGINT), 0);
  EXPECT_TRUE(platform::interrupted());
  platform::catchInterrupts();  // forgets what was seen
  EXPECT_FALSE(platform::interrupted());
  platform::releaseInterrupts();
  EXPECT_EXIT(
      {
        platform::catchInterrupts();
        platform::releaseInterrupts();
        std::raise(SIGINT);
      },
      ::testing::KilledBySignal(SIGINT), "");
}

TEST(PosixPlatform, StandardErrorToAFileOrToDevNullIsNoTerminal) {
  ScratchDirectory directory;
  for (const std::string& path : {directory.path("err.txt"), std::string("/dev/null")}) {
    Redirected error(STDERR_FILENO, path, O_WRONLY | O_CREAT);
    bool terminal = platform::standardErrorIsTerminal();
    int columns = platform::standardErrorColumns();
    EXPECT_FALSE(terminal) << path;
    EXPECT_EQ(columns, 0) << path;
  }
}

TEST(PosixPlatform, ReadPipeReadsAFifoToItsEndAndGivesUpOnOneNobodyWrites) {
  // More than one read's buffer and more than the pipe holds at once.
  std::string large(300000, ' ');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + i % 26);
  struct Case {
    const char* why;
    std::string bytes;
    int writerDelay;  // milliseconds; negative: no writer ever
    int wait;         // milliseconds
    platform::PipeRead expected;
  };
  const Case cases[] = {
      {"written at once", large, 0, 2000, platform::PipeRead::READ},
      {"written within the wait", "LWSC\n1\n", 200, 3000, platform::PipeRead::READ},
      {"opened and closed with nothing", "", 0, 2000, platform::PipeRead::READ},
      {"never opened", "", -1, 200, platform::PipeRead::NO_WRITER},
  };
  for (const Case& c : cases) {
    ScratchDirectory directory;
    UnreadPipe fifo(directory.root());
    std::thread writer;
    if (c.writerDelay >= 0) writer = writeLater(fifo.path(), c.bytes, c.writerDelay);
    std::string bytes = "left over";
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::readPipe(fifo.path(), c.wait, &bytes), c.expected) << c.why;
    auto took = std::chrono::steady_clock::now() - start;
    if (writer.joinable()) writer.join();
    if (c.expected == platform::PipeRead::READ) {
      EXPECT_EQ(bytes, c.bytes) << c.why;
    }
    if (c.expected == platform::PipeRead::NO_WRITER) {
      EXPECT_GE(took, std::chrono::milliseconds(c.wait)) << c.why;
    }
  }
  std::string bytes;
  ScratchDirectory directory;
  EXPECT_EQ(platform::readPipe(directory.path("absent"), 200, &bytes), platform::PipeRead::READ_FAILED);
}

TEST(PosixPlatform, TemporaryFilesAreNewEmptyApartAndTheUsersOwnInTheTemporaryDirectory) {
  std::string first;
  std::string second;
  ASSERT_TRUE(platform::makeTemporaryFile(&first));
  ASSERT_TRUE(platform::makeTemporaryFile(&second));
  EXPECT_NE(first, second);
  for (const std::string& path : {first, second}) {
    EXPECT_TRUE(fs::is_regular_file(path)) << path;
    EXPECT_EQ(fs::file_size(path), 0u) << path;
    EXPECT_EQ(fs::path(path).parent_path(), fs::temp_directory_path()) << path;
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << path;
    fs::remove(path);
  }
}

TEST(PosixPlatform, PathsAreToldPipeSocketDeviceOrNeither) {
  ScratchDirectory directory;
  UnreadPipe fifo(directory.root());
  int socket = bindSocket(directory.path("socket"));
  writeFile(directory.path("file"), "LWSC\n");
  fs::create_symlink("/dev/null", directory.path("null-link"));
  struct Case {
    std::string path;
    bool pipe;
    bool onlyWithAReader;
    bool device;
  };
  const Case cases[] = {
      {fifo.path(), true, true, false},
      {directory.path("socket"), false, true, false},
      {"/dev/null", false, false, true},
      {directory.path("null-link"), false, false, true},  // links are followed
      {directory.path("file"), false, false, false},
      {directory.root().string(), false, false, false},
      {directory.path("absent"), false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::namesAPipe(c.path), c.pipe) << c.path;
    EXPECT_EQ(platform::opensOnlyWithAReader(c.path), c.onlyWithAReader) << c.path;
    EXPECT_EQ(platform::namesADevice(c.path), c.device) << c.path;
  }
  close(socket);
}

TEST(PosixPlatform, AFileStampToldAFileWrittenReplacedOrCreatedSinceFromOneLeftAlone) {
  ScratchDirectory directory;
  std::string path = directory.path("out.env");
  EXPECT_FALSE(platform::stampFile(path).exists);
  EXPECT_FALSE(platform::stampFile(directory.root().string()).exists);  // no regular file
  platform::FileStamp none = platform::stampFile(path);
  writeFile(path, "12345");
  EXPECT_TRUE(platform::fileWrittenSince(none, path));  // created

  platform::FileStamp before = platform::stampFile(path);
  EXPECT_TRUE(before.exists);
  EXPECT_EQ(before.size, 5);
  EXPECT_FALSE(platform::fileWrittenSince(before, path));
  // Rewritten with the same bytes: size and inode stay, the times tell (the
  // clock of file times ticks in milliseconds, hence the pause).
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  writeFile(path, "12345");
  EXPECT_TRUE(platform::fileWrittenSince(before, path));

  before = platform::stampFile(path);
  writeFile(directory.path("new"), "12345");
  fs::rename(directory.path("new"), path);  // replaced, by a file of another inode
  EXPECT_TRUE(platform::fileWrittenSince(before, path));

  before = platform::stampFile(path);
  fs::remove(path);
  EXPECT_FALSE(platform::fileWrittenSince(before, path));  // gone is not written
}

TEST(PosixPlatform, FileIdentitiesAreOneFileHoweverItsPathIsSpelt) {
  ScratchDirectory directory;
  fs::create_directory(directory.path("sub"));
  writeFile(directory.path("a"), "a");
  writeFile(directory.path("b"), "a");
  fs::create_symlink(directory.path("a"), directory.path("symlink"));
  fs::create_hard_link(directory.path("a"), directory.path("hardlink"));
  std::optional<platform::FileIdentity> a = platform::fileIdentity(directory.path("a"));
  ASSERT_TRUE(a.has_value());
  for (const std::string& same : {directory.path("symlink"), directory.path("hardlink"),
                                  directory.path("sub/../a"), directory.path("./a")}) {
    EXPECT_EQ(platform::fileIdentity(same), a) << same;
  }
  EXPECT_NE(platform::fileIdentity(directory.path("b")), a);
  EXPECT_NE(platform::fileIdentity(directory.path("sub")), a);
  EXPECT_TRUE(platform::fileIdentity(directory.path("sub")).has_value());
  EXPECT_FALSE(platform::fileIdentity(directory.path("absent")).has_value());
  EXPECT_TRUE(platform::sameEntryName("a", "a"));
  EXPECT_FALSE(platform::sameEntryName("a", "A"));  // POSIX names keep their case
}

TEST(PosixPlatform, StandardInputHasAnIdentityOnlyWhenItIsAFileOnDisk) {
  ScratchDirectory directory;
  writeFile(directory.path("scene.lws"), "LWSC\n");
  {
    Redirected input(STDIN_FILENO, directory.path("scene.lws"), O_RDONLY);
    EXPECT_EQ(platform::standardInputIdentity(), platform::fileIdentity(directory.path("scene.lws")));
  }
  UnreadPipe fifo(directory.root());
  Redirected input(STDIN_FILENO, fifo.path(), O_RDONLY | O_NONBLOCK);
  EXPECT_FALSE(platform::standardInputIdentity().has_value());
}

TEST(PosixPlatform, StandardInputIsReadToItsEndAsBytesOntoWhatWasThere) {
  ScratchDirectory directory;
  const std::string bytes = std::string("LWSC\r\n\0\r", 8) + std::string(100000, 'x');
  writeFile(directory.path("in"), bytes);
  {
    Redirected input(STDIN_FILENO, directory.path("in"), O_RDONLY);
    std::string read = "before:";
    EXPECT_FALSE(platform::readStandardInput(&read));
    EXPECT_EQ(read, "before:" + bytes);
  }
  Redirected input(STDIN_FILENO, directory.root().string(), O_RDONLY);  // reads fail
  std::string read;
  EXPECT_EQ(platform::readStandardInput(&read), std::errc::is_a_directory);
}

TEST(PosixPlatform, StandardOutputTakesBytesAsTheyAreOrSaysWhyNot) {
  ScratchDirectory directory;
  const std::string bytes("LWSC\r\n\0\n", 8);
  {
    Redirected output(STDOUT_FILENO, directory.path("out"), O_WRONLY | O_CREAT);
    EXPECT_FALSE(platform::writeStandardOutput(bytes));
  }
  EXPECT_EQ(readFile(directory.path("out")), bytes);
  // In a child of its own, whose standard output stays broken.
  EXPECT_EXIT(
      {
        int full = open("/dev/full", O_WRONLY);
        dup2(full, STDOUT_FILENO);
        _exit(platform::writeStandardOutput(bytes) == std::errc::no_space_on_device ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// Holds as root too: root may create where a directory's mode says no one
// may, but not in a directory that is not there.
TEST(PosixPlatform, WriteAccessIsGrantedInAWritableDirectoryAndRefusedWhereNoneIs) {
  ScratchDirectory directory;
  EXPECT_FALSE(platform::fileCreationRefusal(directory.root().string()));
  EXPECT_EQ(platform::fileCreationRefusal(directory.path("absent")),
            std::errc::no_such_file_or_directory);
  // A read-only file in a writable directory is replaced by a rename.
  writeFile(directory.path("read-only"), "x");
  fs::permissions(directory.path("read-only"), fs::perms::owner_read);
  EXPECT_FALSE(platform::fileReplacementRefusal(directory.path("read-only")));
}

TEST(PosixPlatform, AReadOnlyDirectoryRefusesNewFilesAndItsReadOnlyFilesWithPermissionDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write whatever the permissions say";
  ScratchDirectory directory;
  fs::create_directory(directory.path("locked"));
  writeFile(directory.path("locked/writable"), "x");
  writeFile(directory.path("locked/read-only"), "x");
  fs::permissions(directory.path("locked/read-only"), fs::perms::owner_read);
  fs::permissions(directory.path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(platform::fileCreationRefusal(directory.path("locked")),
            std::errc::permission_denied);
  // Not replaced, but written over.
  EXPECT_FALSE(platform::fileReplacementRefusal(directory.path("locked/writable")));
  EXPECT_EQ(platform::fileReplacementRefusal(directory.path("locked/read-only")),
            std::errc::permission_denied);
  fs::permissions(directory.path("locked"), fs::perms::owner_all);  // so that it can be removed
}

}  // namespace
