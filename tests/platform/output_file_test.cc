#include "platform/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "testkit/test_fonts.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
 protected:
  int Write(const std::string& name, const Bytes& bytes,
            unsigned mode = 0644) {
    return WriteWholeFile(name.c_str(), bytes.data(), bytes.size(), mode);
  }

  // Opens `name`, writes `bytes` and gives up, as a run that fails does.
  int WriteAndAbandon(const std::string& name, const Bytes& bytes) {
    OutputFile file;
    const int error = OpenOutputFile(name.c_str(), 0644, &file);
    if (error != 0) return error;
    std::fwrite(bytes.data(), 1, bytes.size(), file.stream);
    AbandonOutputFile(&file);
    return 0;
  }

  ScratchDir dir_;
  const Bytes old_ = Bytes(300, 0x11);
  // Every byte value, 0x0A and 0x1A among them: none may be translated.
  const Bytes new_ = [] {
    Bytes b;
    for (int i = 0; i < 512; ++i) b.push_back(uint8_t(i));
    return b;
  }();
};

TEST_F(OutputFileTest, NewAndExistingFilesGetEveryByteAndNoTemporaryStays) {
  const std::string name = dir_.File("out.bin");
  EXPECT_EQ(Write(name, new_), 0);
  EXPECT_EQ(ReadBytes(name), new_);
  ASSERT_EQ(Write(name, old_), 0);  // longer file replaced by a shorter one
  EXPECT_EQ(ReadBytes(name), old_);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"out.bin"});
}

TEST_F(OutputFileTest, FailedRunKeepsThePreviousFileExactly) {
  const std::string name = dir_.File("out.bin");
  ASSERT_TRUE(WriteBytes(name, old_));
  ASSERT_EQ(WriteAndAbandon(name, new_), 0);
  EXPECT_EQ(ReadBytes(name), old_);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"out.bin"});

  // A name that did not exist stays missing.
  ASSERT_EQ(WriteAndAbandon(dir_.File("new.bin"), new_), 0);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"out.bin"});
}

TEST_F(OutputFileTest, FolderAndMissingFolderAreRefusedAndNothingIsMade) {
  EXPECT_EQ(Write(dir_.path(), new_), EISDIR);
  EXPECT_EQ(Write(dir_.File("missing/out.bin"), new_), ENOENT);
  EXPECT_TRUE(dir_.Entries().empty());
}

// The temporary's name is short whatever the file's: a name just inside the
// file system's limit can still be written.
TEST_F(OutputFileTest, LongestNameTheFileSystemTakesCanBeWritten) {
  const std::string name = dir_.File(std::string(250, 'n') + ".fnt");
  ASSERT_EQ(Write(name, old_), 0);
  ASSERT_EQ(Write(name, new_), 0);
  EXPECT_EQ(ReadBytes(name), new_);
  EXPECT_EQ(dir_.Entries().size(), 1u);
}

TEST_F(OutputFileTest, SameExistingFileComparesFilesNotNames) {
  const std::string a = dir_.File("a.bin");
  ASSERT_TRUE(WriteBytes(a, old_));
  ASSERT_TRUE(WriteBytes(dir_.File("b.bin"), old_));
  EXPECT_TRUE(SameExistingFile(a.c_str(), a.c_str()));
  EXPECT_TRUE(SameExistingFile(a.c_str(), (dir_.path() + "/./a.bin").c_str()));
  EXPECT_FALSE(SameExistingFile(a.c_str(), dir_.File("b.bin").c_str()));
  EXPECT_FALSE(SameExistingFile(a.c_str(), dir_.File("missing").c_str()));
  EXPECT_FALSE(SameExistingFile(dir_.File("missing").c_str(),
                                dir_.File("missing").c_str()));
}

#ifndef _WIN32

mode_t ModeOf(const std::string& name) {
  struct stat info;
  return stat(name.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST_F(OutputFileTest, NewFileGetsTheModeLessTheUmaskAndOldFilesKeepTheirs) {
  const mode_t mask = umask(022);
  const std::string name = dir_.File("out.bin");
  EXPECT_EQ(Write(name, old_, 0655), 0);
  EXPECT_EQ(ModeOf(name), 0655u & ~022u);
  ASSERT_EQ(chmod(name.c_str(), 0604), 0);
  EXPECT_EQ(Write(name, new_, 0655), 0);
  EXPECT_EQ(ModeOf(name), 0604u);
  umask(mask);
}

TEST_F(OutputFileTest, SymbolicLinksKeepPointingAndTheirTargetsGetTheBytes) {
  ASSERT_EQ(mkdir(dir_.File("real").c_str(), 0755), 0);
  const std::string target = dir_.File("real/font.bin");
  ASSERT_TRUE(WriteBytes(target, old_));
  struct Case {
    const char* link;
    const char* pointsTo;
    const char* target;  // in the scratch folder
  } cases[] = {
      {"relative", "real/font.bin", "real/font.bin"},
      {"absolute", nullptr, "real/font.bin"},
      {"chain", "relative", "real/font.bin"},
      {"dangling", "real/new.bin", "real/new.bin"},
  };
  for (const Case& c : cases) {
    const std::string link = dir_.File(c.link);
    const std::string pointsTo = c.pointsTo ? c.pointsTo : target;
    ASSERT_EQ(symlink(pointsTo.c_str(), link.c_str()), 0) << c.link;
    ASSERT_EQ(Write(link, new_), 0) << c.link;
    EXPECT_TRUE(fs::is_symlink(link)) << c.link;
    EXPECT_EQ(fs::read_symlink(link).string(), pointsTo) << c.link;
    EXPECT_EQ(ReadBytes(dir_.File(c.target)), new_) << c.link;
    EXPECT_TRUE(SameExistingFile(link.c_str(), dir_.File(c.target).c_str()));
    ASSERT_TRUE(WriteBytes(target, old_));
  }
  EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{
                                "absolute", "chain", "dangling", "real",
                                "relative"}));
  // No temporary beside the targets either.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.File("real")),
                          fs::directory_iterator()),
            2);
}

TEST_F(OutputFileTest, LoopOfLinksIsRefused) {
  ASSERT_EQ(symlink("b", dir_.File("a").c_str()), 0);
  ASSERT_EQ(symlink("a", dir_.File("b").c_str()), 0);
  EXPECT_EQ(Write(dir_.File("a"), new_), ELOOP);
  EXPECT_TRUE(fs::is_symlink(dir_.File("a")));
}

TEST_F(OutputFileTest, DevicesAreWrittenInPlaceAndNeverReplaced) {
  struct stat before, after;
  ASSERT_EQ(stat("/dev/null", &before), 0);
  EXPECT_EQ(Write("/dev/null", new_), 0);
  ASSERT_EQ(stat("/dev/null", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, before.st_rdev);

  if (stat("/dev/full", &before) != 0) GTEST_SKIP() << "no /dev/full here";
  EXPECT_EQ(Write("/dev/full", new_), ENOSPC);
  ASSERT_EQ(stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, before.st_rdev);
}

TEST_F(OutputFileTest, FifoIsWrittenInPlaceAndStaysAFifo) {
  const std::string fifo = dir_.File("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  Bytes received;
  std::thread reader([&] { received = ReadBytes(fifo); });
  EXPECT_EQ(Write(fifo, new_), 0);
  reader.join();
  EXPECT_EQ(received, new_);
  struct stat info;
  ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"pipe"});
}

TEST_F(OutputFileTest, ReadOnlyFileIsRefusedAsIfWrittenInPlace) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
  const std::string name = dir_.File("out.bin");
  ASSERT_TRUE(WriteBytes(name, old_));
  ASSERT_EQ(chmod(name.c_str(), 0444), 0);
  EXPECT_EQ(Write(name, new_), EACCES);
  EXPECT_EQ(ReadBytes(name), old_);
}

#else  // _WIN32

// A device name stands for the device in any folder, with any extension
// and in any case.
TEST_F(OutputFileTest, ReservedDeviceNameIsWrittenInPlace) {
  for (const std::string& name :
       {std::string("nul"), std::string("NUL.fnt"), dir_.File("Nul")}) {
    EXPECT_EQ(Write(name, new_), 0) << name;
  }
  EXPECT_TRUE(dir_.Entries().empty());
}

TEST_F(OutputFileTest, ReadOnlyFileIsRefusedAndKept) {
  const std::string name = dir_.File("out.bin");
  ASSERT_TRUE(WriteBytes(name, old_));
  fs::permissions(name, fs::perms::owner_write, fs::perm_options::remove);
  if (std::FILE* probe = std::fopen(name.c_str(), "ab")) {
    std::fclose(probe);
    fs::permissions(name, fs::perms::owner_write, fs::perm_options::add);
    GTEST_SKIP() << "this system writes read-only files (wine run as root)";
  }
  EXPECT_EQ(Write(name, new_), EACCES);
  EXPECT_EQ(ReadBytes(name), old_);
  fs::permissions(name, fs::perms::owner_write, fs::perm_options::add);
}

#endif

#ifndef _WIN32
// A replaced file keeps its bits but not set-user-ID and set-group-ID: the
// new bytes are not the program they were granted to.
TEST_F(OutputFileTest, SetIdBitsOfAReplacedFileAreDropped) {
  const std::string name = dir_.File("out.bin");
  ASSERT_TRUE(WriteBytes(name, old_));
  const struct {
    mode_t before, after;
  } kCases[] = {{04755, 0755}, {02750, 0750}, {06711, 0711}, {01644, 01644}};
  for (const auto& c : kCases) {
    ASSERT_EQ(chmod(name.c_str(), c.before), 0);
    EXPECT_EQ(Write(name, new_), 0);
    EXPECT_EQ(ModeOf(name), c.after) << std::oct << c.before;
  }
}

// A link planted by someone else in a sticky folder that anyone may write
// to is not followed (the kernel's protected-symlink rule), so it cannot
// make us replace a file elsewhere; our own link there is followed.
TEST_F(OutputFileTest, LinkOfAnotherUserInAStickyFolderIsRefused) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give a link away";
  const std::string shared = dir_.File("shared");
  ASSERT_EQ(mkdir(shared.c_str(), 0777), 0);
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  const std::string victim = dir_.File("victim.bin");
  ASSERT_TRUE(WriteBytes(victim, old_));
  const std::string planted = shared + "/out.bin";
  ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
  ASSERT_EQ(lchown(planted.c_str(), 65534, 65534), 0);
  EXPECT_EQ(Write(planted, new_), EACCES);
  EXPECT_EQ(ReadBytes(victim), old_);
  // The folder's owner (root here) may own the link: then it is followed.
  ASSERT_EQ(lchown(planted.c_str(), 0, 0), 0);
  EXPECT_EQ(Write(planted, new_), 0);
  EXPECT_EQ(ReadBytes(victim), new_);
  // A link to a folder is refused as well, wherever it stands in the name.
  ASSERT_EQ(mkdir(dir_.File("secret").c_str(), 0700), 0);
  const std::string evil = shared + "/evil";
  ASSERT_EQ(symlink("../secret", evil.c_str()), 0);
  ASSERT_EQ(lchown(evil.c_str(), 65534, 65534), 0);
  EXPECT_EQ(Write(evil + "/victim.out", new_), EACCES);
  EXPECT_EQ(Write(evil + "/./x/../victim.out", new_), EACCES);
  EXPECT_FALSE(fs::exists(dir_.File("secret/victim.out")));
  // Outside a sticky folder another user's link is followed as before.
  ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
  ASSERT_EQ(lchown(planted.c_str(), 65534, 65534), 0);
  EXPECT_EQ(Write(planted, old_), 0);
  EXPECT_EQ(ReadBytes(victim), old_);
  EXPECT_EQ(Write(evil + "/victim.out", new_), 0);
  EXPECT_EQ(ReadBytes(dir_.File("secret/victim.out")), new_);
}

// What lies at the name changes between the check and the open (a link or
// FIFO put in its place): nothing is written through a link, and nothing
// into a FIFO that was not there when the name was checked.
std::string swapTo;  // the hook's link target; empty: a FIFO in place
void SwapAfterCheck(const char* path) {
  unlink(path);
  if (swapTo.empty()) {
    mkfifo(path, 0600);
  } else {
    symlink(swapTo.c_str(), path);
  }
}

TEST_F(OutputFileTest, WhatIsPutAtTheNameAfterTheCheckIsNeverWrittenThrough) {
  const std::string fifo = dir_.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // Our reader keeps the FIFO open, so a write into it would not wait.
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const struct {
    const char* before;  // what the name is at the check: "" none
    const char* swapTo;  // what the hook puts there ("" a FIFO)
    int error;
  } kCases[] = {
      {"", "fifo", 0},           // the link is replaced, not followed
      {"file", "fifo", EAGAIN},  // the old file is not opened through it
      {"fifo", "fifo", EAGAIN},
      {"file", "", EAGAIN},      // a FIFO where the file was
  };
  SetOutputCheckedHook(SwapAfterCheck);
  for (const auto& c : kCases) {
    const std::string name = dir_.File("out.bin");
    unlink(name.c_str());
    const std::string before = c.before;
    if (before == "file") {
      ASSERT_TRUE(WriteBytes(name, old_));
    } else if (before == "fifo") {
      ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
    }
    swapTo = c.swapTo[0] == '\0' ? "" : dir_.File(c.swapTo);
    EXPECT_EQ(Write(name, new_), c.error) << c.before << " " << c.swapTo;
    uint8_t got[4];
    EXPECT_LE(read(reader, got, sizeof(got)), 0) << c.before << " " << c.swapTo;
  }
  SetOutputCheckedHook(nullptr);
  close(reader);
  struct stat info;
  ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// A name of a standard stream writes through the stream: what it already
// holds stays, and no file is made or replaced.
TEST_F(OutputFileTest, StandardStreamNamesAreWrittenThrough) {
  const std::string log = dir_.File("log.txt");
  ASSERT_TRUE(WriteBytes(log, Bytes{'e', 'a', 'r', 'l', 'y', '\n'}));
  const int appended = open(log.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(appended, 0);
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const std::string names[] = {"/dev/fd/" + std::to_string(appended),
                               "/proc/self/fd/" + std::to_string(pipeEnds[1])};
  EXPECT_EQ(Write(names[0], old_), 0);
  EXPECT_EQ(Write(names[1], Bytes{1, 2, 3}), 0);
  close(appended);
  close(pipeEnds[1]);
  Bytes expected{'e', 'a', 'r', 'l', 'y', '\n'};
  expected.insert(expected.end(), old_.begin(), old_.end());
  EXPECT_EQ(ReadBytes(log), expected);
  uint8_t got[8] = {};
  EXPECT_EQ(read(pipeEnds[0], got, sizeof(got)), 3);
  EXPECT_EQ(got[2], 3);
  close(pipeEnds[0]);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"log.txt"});
}

// A signal that ends the program while a temporary exists removes it: the
// previous file stays and nothing is left behind; the signal still ends
// the program.
TEST_F(OutputFileTest, EndingSignalRemovesTheTemporaries) {
  const std::string name = dir_.File("out.bin");
  const std::string other = dir_.File("other.bin");
  ASSERT_TRUE(WriteBytes(name, old_));
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      OutputFile first, second;
      if (OpenOutputFile(name.c_str(), 0644, &first) != 0) _exit(2);
      std::fwrite(new_.data(), 1, new_.size(), first.stream);
      if (CloseOutputFile(&first) != 0) _exit(3);  // complete, not named
      if (OpenOutputFile(other.c_str(), 0644, &second) != 0) _exit(4);
      std::raise(signal);
      _exit(5);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(ReadBytes(name), old_);
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"out.bin"});
  }
}

// A signal caught while a bounded read waits on a pipe does not end the
// read as failed: every byte still comes, and the stream counts as read.
TEST_F(OutputFileTest, BoundedReadGoesOnAfterASignal) {
  struct sigaction caught = {}, previous = {};
  caught.sa_handler = [](int) {};  // no SA_RESTART: the read is interrupted
  ASSERT_EQ(sigaction(SIGUSR1, &caught, &previous), 0);
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  std::FILE* in = fdopen(ends[0], "rb");
  ASSERT_NE(in, nullptr);
  const pthread_t reader = pthread_self();
  std::thread writer([&] {
    usleep(50000);
    pthread_kill(reader, SIGUSR1);
    usleep(50000);
    EXPECT_EQ(write(ends[1], "abc", 3), 3);
    close(ends[1]);
  });
  std::vector<uint8_t> bytes;
  bool cut = true;
  EXPECT_EQ(ReadLimitedStream(in, 100, &bytes, &cut), ReadResult::kRead);
  writer.join();
  std::fclose(in);
  sigaction(SIGUSR1, &previous, nullptr);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{'a', 'b', 'c'}));
  EXPECT_FALSE(cut);
}

// Files that must all take their names or none: closed, then abandoned,
// none of them changes.
TEST_F(OutputFileTest, ClosedFilesTakeTheirNamesOnlyWhenPublished) {
  const std::string names[] = {dir_.File("a.bin"), dir_.File("b.bin")};
  for (const std::string& name : names) ASSERT_TRUE(WriteBytes(name, old_));
  OutputFile files[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(OpenOutputFile(names[i].c_str(), 0644, &files[i]), 0);
    std::fwrite(new_.data(), 1, new_.size(), files[i].stream);
    ASSERT_EQ(CloseOutputFile(&files[i]), 0);
    EXPECT_EQ(ReadBytes(names[i]), old_);
  }
  EXPECT_EQ(dir_.Entries().size(), 4u);  // two temporaries beside them
  AbandonOutputFile(&files[0]);
  EXPECT_EQ(PublishOutputFile(&files[1]), 0);
  EXPECT_EQ(ReadBytes(names[0]), old_);
  EXPECT_EQ(ReadBytes(names[1]), new_);
  EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"a.bin", "b.bin"}));
}
#endif

}  // namespace

}  // namespace vexo
