#include "testkit/loader_run.h"

#include "fontinput/dbcs_loader.h"
#include "fontinput/font_header.h"
#include "fontinput/sbcs_loader.h"
#include "testkit/test_fonts.h"

namespace vexo {

namespace {

template <typename Header>
LoaderRun Load(Bytes& file, long headerSize, Header header,
               int (*load)(std::FILE*, Station, Header), Station station) {
  LoaderRun result;
  std::string temporary;
  std::FILE* in = OpenBytes(file, &temporary);
  if (in == nullptr) return result;
  std::fseek(in, headerSize, SEEK_SET);
  result.run = CaptureOutput([&] { return load(in, station, header); });
  result.read = std::ftell(in) - headerSize;
  std::fclose(in);
  if (!temporary.empty()) std::remove(temporary.c_str());
  return result;
}

}  // namespace

std::FILE* OpenBytes(Bytes& bytes, std::string* removeAfterClose) {
  removeAfterClose->clear();
#ifndef _WIN32
  if (!bytes.empty()) return fmemopen(bytes.data(), bytes.size(), "rb");
#endif
  // Not tmpfile(): the Windows C library names its files from a counter of
  // its own, which two test processes share.
  const std::string path = UniqueTempName("vexocnvt-font-");
  if (!WriteBytes(path, bytes)) {
    std::remove(path.c_str());
    return nullptr;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    std::remove(path.c_str());
    return nullptr;
  }
  *removeAfterClose = path;
  return file;
}

LoaderRun LoadSbcsBytes(Bytes file, Station station) {
  SbcsFontHeader header{};
  if (file.size() < size_t{kSbcsHeaderSize}) return {};
  DecodeFontHeader(file.data(), &header);
  return Load<SbcsFontHeader>(file, kSbcsHeaderSize, header, LoadSbcsGlyphs,
                              station);
}

LoaderRun LoadDbcsBytes(Bytes file, Station station) {
  DbcsFontHeader header{};
  if (file.size() < size_t{kDbcsHeaderSize}) return {};
  DecodeFontHeader(file.data(), &header);
  DecodeDbcsVectors(file.data(), &header);
  return Load<DbcsFontHeader>(file, kDbcsHeaderSize, header, LoadDbcsGlyphs,
                              station);
}

}  // namespace vexo
