// Runs a whole conversion in-process with its standard output and standard
// error captured, and scratch folders for the files a run needs.
#ifndef VEXOCNVT_TESTKIT_RUN_CAPTURE_H_
#define VEXOCNVT_TESTKIT_RUN_CAPTURE_H_

#include <functional>
#include <string>
#include <vector>

namespace vexo {

struct CapturedRun {
  int status = -1;
  std::string out;   // standard output
  std::string err;   // standard error
};

// Calls `body` with file descriptors 1 and 2 redirected to files and returns
// what it printed; `status` is what `body` returned. With `merged` both
// streams go to one file, kept in `out`, to show their interleaving.
CapturedRun CaptureOutput(const std::function<int()>& body,
                          bool merged = false);

// Calls `command` in-process with `words` as its argc and argv (words[0]
// the program or command name; argv ends with a null pointer), captured as
// above.
CapturedRun RunInProcess(int (*command)(int, char**),
                         std::vector<std::string> words, bool merged = false);

// Runs `vexocnvt configPath` in-process, captured as above.
CapturedRun RunConverterOn(const std::string& configPath, bool merged = false);

// A name in the system's temporary folder that no other test or process
// uses: `prefix`, the process number, a counter and the clock.
std::string UniqueTempName(const char* prefix);

// A fresh folder in the system's temporary folder, removed with everything in it on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  // The path of `name` inside the folder.
  std::string File(const std::string& name) const;
  // Writes `text` to `name` inside the folder and returns its path.
  std::string WriteText(const std::string& name, const std::string& text) const;
  // The names of everything in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

}  // namespace vexo

#endif  // VEXOCNVT_TESTKIT_RUN_CAPTURE_H_
