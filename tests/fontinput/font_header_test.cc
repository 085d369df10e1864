#include "fontinput/font_header.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "testkit/test_fonts.h"
#include "testkit/run_capture.h"

namespace vexo {

namespace {

enum class Kind { kSbcs, kDbcs };

// What one call of a header reader left behind.
struct HeaderRun {
  int result = 0;
  std::string out;
  std::string err;
  long position = -1;  // file position after the call
  std::string fileType;
  SbcsFontHeader sbcs{};
  DbcsFontHeader dbcs{};
};

class FontHeaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppendSbcsHeader(&sbcs_file_, {.magic = {},
                                   .version = 1,
                                   .codePage = 437,
                                   .firstChar = 0x20,
                                   .lastChar = 0x7E,
                                   .width = 12,
                                   .height = 24});
    DbcsVectors vectors;
    vectors.codePageVector1 = {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}, {0, 0}};
    vectors.codePageVector2 = {{0x01, 0x02}, {0x03, 0x04}, {0x05, 0x06},
                               {0x07, 0xFF}};
    vectors.fontVector1 = {{0x81, 0x82}, {0, 0}, {0, 0}, {0, 0}};
    vectors.fontVector2 = {{0x40, 0x7E}, {0x80, 0xFC}, {0, 0}, {0, 0}};
    AppendDbcsHeader(&dbcs_file_, {.magic = {},
                                   .version = 2,
                                   .codePage = 932,
                                   .firstChar = 0x8140,
                                   .lastChar = 0x84BE,
                                   .width = 24,
                                   .height = 24},
                     vectors);
  }

  static void SetByte(Bytes* file, size_t offset, uint8_t value) {
    (*file)[offset] = value;
  }
  static void Truncate(Bytes* file, size_t size) { file->resize(size); }
  static void SetMagic(Bytes* file, const char (&magic)[17]) {
    std::memcpy(file->data(), magic, kFileTypeSize);
  }

  // Writes `file` to the scratch folder and hands it to the reader of `kind`.
  HeaderRun Read(Kind kind, const Bytes& file) {
    // Through a string: an empty file is one of the cases.
    return ReadPath(kind, dir_.WriteText("font.bin",
                                         std::string(file.begin(), file.end())));
  }

  static HeaderRun ReadPath(Kind kind, const std::string& path) {
    HeaderRun run;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return run;
    char fileType[kFileTypeBufferSize] = "unchanged";
    const CapturedRun captured = CaptureOutput([&] {
      return kind == Kind::kSbcs ? ReadSbcsFontHeader(file, &run.sbcs, fileType)
                                 : ReadDbcsFontHeader(file, &run.dbcs, fileType);
    });
    run.result = captured.status;
    run.out = captured.out;
    run.err = captured.err;
    run.position = std::ftell(file);
    run.fileType = std::string(fileType, strnlen(fileType, sizeof(fileType)));
    std::fclose(file);
    return run;
  }

  ScratchDir dir_;
  Bytes sbcs_file_;
  Bytes dbcs_file_;
};

TEST_F(FontHeaderTest, ShortHeaderIsReportedWithActualCount) {
  struct Case {
    Kind kind;
    size_t size;
    const char* err;
  };
  const Case kCases[] = {
      {Kind::kSbcs, 0, "Error reading SBCS file header... read=32 actual=0\n"},
      {Kind::kSbcs, 1, "Error reading SBCS file header... read=32 actual=1\n"},
      {Kind::kSbcs, 16, "Error reading SBCS file header... read=32 actual=16\n"},
      {Kind::kSbcs, 31, "Error reading SBCS file header... read=32 actual=31\n"},
      {Kind::kDbcs, 0, "Error reading DBCS file header... read=64 actual=0\n"},
      {Kind::kDbcs, 17, "Error reading DBCS file header... read=64 actual=17\n"},
      // A whole SBCS header is still too short for the DBCS reader.
      {Kind::kDbcs, 32, "Error reading DBCS file header... read=64 actual=32\n"},
      {Kind::kDbcs, 63, "Error reading DBCS file header... read=64 actual=63\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.size);
    Bytes file = c.kind == Kind::kSbcs ? sbcs_file_ : dbcs_file_;
    Truncate(&file, c.size);
    const HeaderRun run = Read(c.kind, file);
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(FontHeaderTest, FailedReadIsReportedAsActualMinusOne) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows cannot open a folder as a file, and has no other "
                  "file that opens but cannot be read";
#endif
  // fopen of a folder succeeds, every read of it fails.
  EXPECT_EQ(ReadPath(Kind::kSbcs, dir_.path()).err,
            "Error reading SBCS file header... read=32 actual=-1\n");
  const HeaderRun run = ReadPath(Kind::kDbcs, dir_.path());
  EXPECT_EQ(run.result, -1);
  EXPECT_EQ(run.err, "Error reading DBCS file header... read=64 actual=-1\n");
  EXPECT_EQ(run.out, "");
}

TEST_F(FontHeaderTest, WrongMagicIsRefusedWithoutMessage) {
  struct Case {
    Kind reader;
    const char magic[17];
  };
  const Case kCases[] = {
      {Kind::kSbcs, "ZYNPosDBCSFont  "},  // a DBCS file in an SBCS list
      {Kind::kDbcs, "ZYNPosSingleFont"},  // an SBCS file in a DBCS list
      {Kind::kDbcs, "ZYNPosDBCSFont\0\0"},  // blanks replaced by NUL
      {Kind::kDbcs, "ZYNPOSDBCSFONT  "},  // other case
      {Kind::kDbcs, " ZYNPosDBCSFont "},  // shifted by one
      {Kind::kSbcs, "zynPosSingleFont"},  // other case
      {Kind::kSbcs, "ZYNPosSingleFonu"},  // last letter differs
      {Kind::kSbcs, "\0YNPosSingleFont"},  // first letter differs
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.magic, kFileTypeSize));
    Bytes file = dbcs_file_;  // 64 bytes: long enough for either reader
    SetMagic(&file, c.magic);
    const HeaderRun run = Read(c.reader, file);
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    // The file type reaches the caller's buffer before the magic test.
    EXPECT_EQ(run.fileType, std::string(c.magic, strnlen(c.magic, 16)));
  }
}

TEST_F(FontHeaderTest, SbcsDumpIsPrintedWhole) {
  const HeaderRun run = Read(Kind::kSbcs, sbcs_file_);  // exactly 32 bytes
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.position, kSbcsHeaderSize);
  EXPECT_EQ(run.out,
            "File type:  'ZYNPosSingleFont'\n"
            "Version:    1\n"
            "Code page:  437\n"
            "First char: 20\n"
            "Last char:  7e\n"
            "Width:      12\n"
            "Height:     24\n"
            "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.fileType, "ZYNPosSingleFont");
  EXPECT_EQ(std::string(run.sbcs.fileType, kFileTypeSize), "ZYNPosSingleFont");
  EXPECT_EQ(run.sbcs.version, 1);
  EXPECT_EQ(run.sbcs.codePage, 437);
  EXPECT_EQ(run.sbcs.firstChar, 0x20);
  EXPECT_EQ(run.sbcs.lastChar, 0x7E);
  EXPECT_EQ(run.sbcs.width, 12u);
  EXPECT_EQ(run.sbcs.height, 24u);
}

TEST_F(FontHeaderTest, NumbersAreLittleEndianAndSizesPrintSigned) {
  Bytes file = sbcs_file_;
  file.insert(file.end(), {0xA5, 0x5A, 0x01});  // the first glyph bytes
  const uint8_t kFields[] = {
      0xFF, 0xFF,              // version 65535
      0x01, 0x02,              // code page 0x0201
      0x00, 0x00,              // first char 0
      0xCD, 0xAB,              // last char 0xabcd
      0x01, 0x02, 0x03, 0x04,  // width 0x04030201
      0x00, 0x00, 0x00, 0x80,  // height 0x80000000
  };
  for (size_t i = 0; i < sizeof(kFields); ++i) {
    SetByte(&file, kVersionOffset + i, kFields[i]);
  }
  HeaderRun run = Read(Kind::kSbcs, file);
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.out,
            "File type:  'ZYNPosSingleFont'\n"
            "Version:    65535\n"
            "Code page:  513\n"
            "First char: 0\n"
            "Last char:  abcd\n"
            "Width:      67305985\n"
            "Height:     -2147483648\n"
            "\n");
  EXPECT_EQ(run.position, kSbcsHeaderSize);  // at the first glyph byte
  EXPECT_EQ(run.sbcs.width, 0x04030201u);
  EXPECT_EQ(run.sbcs.height, 0x80000000u);

  // A width outside every station's range is still dumped in full.
  for (int i = 0; i < 4; ++i) SetByte(&file, kWidthOffset + i, 0xFF);
  run = Read(Kind::kSbcs, file);
  EXPECT_EQ(run.result, 0);
  EXPECT_NE(run.out.find("\nWidth:      -1\nHeight:     -2147483648\n\n"),
            std::string::npos);
}

TEST_F(FontHeaderTest, DbcsDumpIsPrintedWholeWithVectors) {
  const HeaderRun run = Read(Kind::kDbcs, dbcs_file_);  // exactly 64 bytes
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.position, kDbcsHeaderSize);
  EXPECT_EQ(run.out,
            "File type:  'ZYNPosDBCSFont  '\n"
            "Version:    2\n"
            "Code page:  932\n"
            "First char: 8140\n"
            "Last char:  84be\n"
            "Width:      24\n"
            "Height:     24\n"
            "Code Page Vector 1:   81.9f e0.fc 00.00 00.00 \n"
            "Code Page Vector 2:   01.02 03.04 05.06 07.ff \n"
            "Font Vector 1:   81.82 00.00 00.00 00.00 \n"
            "Font Vector 2:   40.7e 80.fc 00.00 00.00 \n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.fileType, "ZYNPosDBCSFont  ");
  const uint8_t* vectors[] = {run.dbcs.codePageVector1, run.dbcs.codePageVector2,
                              run.dbcs.fontVector1, run.dbcs.fontVector2};
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(Bytes(vectors[v], vectors[v] + 8),
              Bytes(&dbcs_file_[kCodePageVector1Offset + 8 * v],
                    &dbcs_file_[kCodePageVector1Offset + 8 * (v + 1)]));
  }
  EXPECT_EQ(run.dbcs.firstChar, 0x8140);
  EXPECT_EQ(run.dbcs.lastChar, 0x84BE);
  EXPECT_EQ(run.dbcs.width, 24u);
  EXPECT_EQ(run.dbcs.height, 24u);
}

}  // namespace

namespace {

// The pure decoding and encoding that the readers, the writer and
// vexofont show share, against bytes written out by hand.
TEST(FontHeaderBytesTest, EncodeAndDecodeUseTheFileLayout) {
  const uint8_t kBytes[kDbcsHeaderSize] = {
      'Z', 'Y', 'N', 'P', 'o', 's', 'D', 'B', 'C', 'S', 'F', 'o', 'n', 't',
      ' ', ' ',                                    // file type
      0x02, 0x01,                                  // version 0x0102
      0xA4, 0x03,                                  // code page 932
      0x40, 0x81,                                  // first 0x8140
      0xFC, 0x9F,                                  // last 0x9FFC
      0x10, 0x00, 0x00, 0x80,                      // width 0x80000010
      0x09, 0x00, 0x01, 0x00,                      // height 0x10009
      0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0, 0,          // code page vector 1
      0x40, 0x7E, 0x80, 0xFC, 0, 0, 0, 1,          // code page vector 2
      0x81, 0x82, 0, 0, 0, 0, 0, 0,                // font vector 1
      0x40, 0x7E, 0x80, 0xFC, 0, 0, 0xFF, 0xFE};   // font vector 2
  DbcsFontHeader header{};
  DecodeFontHeader(kBytes, &header);
  DecodeDbcsVectors(kBytes, &header);
  EXPECT_EQ(std::string(header.fileType, kFileTypeSize), kDbcsMagic);
  EXPECT_EQ(header.version, 0x0102);
  EXPECT_EQ(header.codePage, 932);
  EXPECT_EQ(header.firstChar, 0x8140);
  EXPECT_EQ(header.lastChar, 0x9FFC);
  EXPECT_EQ(header.width, 0x80000010u);
  EXPECT_EQ(header.height, 0x10009u);
  EXPECT_EQ(header.codePageVector2[7], 1);
  EXPECT_EQ(header.fontVector1[1], 0x82);
  EXPECT_EQ(header.fontVector2[6], 0xFF);

  uint8_t encoded[kDbcsHeaderSize] = {};
  EncodeFontHeader(header, encoded);
  EncodeDbcsVectors(header, encoded);
  EXPECT_EQ(Bytes(encoded, encoded + kDbcsHeaderSize),
            Bytes(kBytes, kBytes + kDbcsHeaderSize));
}

TEST(FontHeaderBytesTest, KindIsTheMagicOfTheFirst16Bytes) {
  struct Case {
    std::string bytes;
    FontKind kind;
  };
  const Case kCases[] = {
      {"ZYNPosSingleFont", FontKind::kSbcs},
      {"ZYNPosSingleFont and more", FontKind::kSbcs},
      {"ZYNPosDBCSFont  ", FontKind::kDbcs},
      {"ZYNPosDBCSFont", FontKind::kNone},     // 14 bytes
      {"ZYNPosSingleFon", FontKind::kNone},    // 15 bytes
      {"zynposSingleFont", FontKind::kNone},   // case counts
      {std::string("ZYNPosDBCSFont\0\0", 16), FontKind::kNone},  // NULs, not spaces
      {"", FontKind::kNone},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.bytes);
    const Bytes bytes(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(InputFontKind(bytes.data(), bytes.size()), c.kind);
  }
}

}  // namespace

}  // namespace vexo
