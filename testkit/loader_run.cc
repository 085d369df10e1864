#include "testkit/loader_run.h"

#include "fontinput/dbcs_loader.h"
#include "fontinput/font_header.h"
#include "fontinput/sbcs_loader.h"

namespace {

template <typename Header>
LoaderRun Load(Bytes& file, long headerSize, Header header,
               int (*load)(std::FILE*, int, Header), int station) {
  LoaderRun result;
  std::FILE* in = OpenBytes(file);
  if (in == nullptr) return result;
  std::fseek(in, headerSize, SEEK_SET);
  result.run = CaptureOutput([&] { return load(in, station, header); });
  result.read = std::ftell(in) - headerSize;
  std::fclose(in);
  return result;
}

}  // namespace

std::FILE* OpenBytes(Bytes& bytes) {
#ifndef _WIN32
  if (!bytes.empty()) return fmemopen(bytes.data(), bytes.size(), "rb");
#endif
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return nullptr;
  if (!bytes.empty() &&
      std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    std::fclose(file);
    return nullptr;
  }
  std::rewind(file);
  return file;
}

LoaderRun LoadSbcsBytes(Bytes file, int station) {
  SbcsFontHeader header{};
  if (file.size() < size_t{kSbcsHeaderSize}) return {};
  DecodeFontHeader(file.data(), &header);
  return Load<SbcsFontHeader>(file, kSbcsHeaderSize, header, LoadSbcsGlyphs,
                              station);
}

LoaderRun LoadDbcsBytes(Bytes file, int station) {
  DbcsFontHeader header{};
  if (file.size() < size_t{kDbcsHeaderSize}) return {};
  DecodeFontHeader(file.data(), &header);
  DecodeDbcsVectors(file.data(), &header);
  return Load<DbcsFontHeader>(file, kDbcsHeaderSize, header, LoadDbcsGlyphs,
                              station);
}
