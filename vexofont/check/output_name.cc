#include "vexofont/check/output_name.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "driver/config_file.h"
#include "store/converter_settings.h"
#include "platform/output_file.h"
#include "platform/system_names.h"

namespace vexo {

namespace {

std::string Quoted(const std::string& name) { return "'" + name + "'"; }

// The run's inputs the output name is: a listed font or the configuration.
bool IsAnInput(const char* output, int line, const ConfigLines& lines,
               Findings* findings) {
  for (int l = 0; l < kFontListCount; ++l) {
    const FontListKey& list = kFontListKeys[l];
    for (int i = 0; i < list.Count(); ++i) {
      const std::string name = ConfigNameAsName(list.Names()[i]);
      if (!SameExistingFile(output, name.c_str())) continue;
      findings->Problem(line, "OutputFontFile " + Quoted(output) +
                                  " is the font file " +
                                  Quoted(name) + " listed on line " +
                                  std::to_string(lines.LineOfFile(l, i)) +
                                  ": the converter writes nothing and ends "
                                  "with status 4");
      return true;
    }
  }
  if (SameExistingFile(output, findings->config().c_str())) {
    findings->Problem(line, "OutputFontFile " + Quoted(output) +
                                " is this configuration file: the converter "
                                "writes nothing and ends with status 4");
    return true;
  }
  return false;
}

// Whether the converter could write the output: the same rules as it
// writes by (platform/output_file.h), asked without writing anything.
void CheckWritable(const char* output, int line, Findings* findings) {
  bool inFolder = false;
  const int error = ProbeOutputFile(output, &inFolder);
  if (error == 0) return;
  if (error == EISDIR) {
    findings->Problem(line, "OutputFontFile " + Quoted(output) +
                                " is a folder: the converter cannot write it");
    return;
  }
  if (!inFolder) {
    findings->Problem(line, "OutputFontFile " + Quoted(output) +
                                " cannot be written (" + std::strerror(error) +
                                "): the converter cannot write the output "
                                "(status 4)");
    return;
  }
  std::string folder(output);
  const size_t slash = folder.find_last_of("/\\");
  const std::string shown = slash == std::string::npos
                                ? "the working folder"
                                : Quoted(folder.substr(0, slash + 1));
  const bool missing = error == ENOENT || error == ENOTDIR;
  findings->Problem(line, "the folder of OutputFontFile " + Quoted(output) +
                              ", " + shown +
                              (missing ? ", does not exist"
                                       : ", cannot be written (" +
                                             std::string(std::strerror(error)) +
                                             ")") +
                              ": the converter cannot write the output "
                              "(status 4)");
}

}  // namespace

void CheckOutputName(const ConfigLines& lines, Findings* findings) {
  const int line = lines.outputLine();
  if (line == 0) {
    findings->Problem("no OutputFontFile line: the converter writes a file "
                      "named None in the working folder");
    return;
  }
  const std::string output = ConfigNameAsName(Settings.outputFontFile);
  if (IsAnInput(output.c_str(), line, lines, findings)) return;
  CheckWritable(output.c_str(), line, findings);
}

}  // namespace vexo
