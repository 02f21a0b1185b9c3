#include "cam/picture.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "../cli/cli_run.h"
#include "cam_fixture.h"
#include "io/project_file.h"
#include "render/raster_surface.h"

namespace bs {
namespace {

using test::FileText;
using test::TCamBoard;
using test::TTestFolder;
namespace fs = std::filesystem;

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | uint8_t(b[at + size_t(i)]);
  return v;
}

// A 10 x 8 mm board, at 254 dpi 100 x 80 pixels of 0.1 mm: a ground plane on
// C1 (the active layer), a diagonal track from pixel (10, 10) to (90, 70)
// with a 0.3 mm gap, a pad with a hole at pixel (50, 40) and print on S1.
struct TSmallBoard : TCamBoard {
  TSmallBoard() {
    board.Platine.Width = 100000;
    board.Platine.Height = 80000;
    board.Platine.OriginX = 0;
    board.Platine.OriginY = -80000;
    board.Platine.ActiveLayer = kLayerC1;
    board.Platine.GroundPlane[kLayerC1] = 1;
    Track(kLayerC1, 5000, {{10000, -10000}, {90000, -70000}}).Clearance = 3000;
    Pad({50000, -40000}, 4000, 8000).Clearance = 3000;
    Track(kLayerS1, 2000, {{10000, -75000}, {40000, -75000}});
  }
};

TPictureOptions Options(TPictureFormat format, bool colour, int dpi = 254) {
  TPictureOptions o;
  o.Format = format;
  o.Colour = colour;
  o.Dpi = dpi;
  return o;
}

// The picture painted in one pass over a surface of the whole size.
TRaster SinglePass(const TBoard& board, const TPictureOptions& o) {
  const TPictureSize size = PictureSize(board.Platine, o.Dpi);
  const TPaintSettings settings = PicturePaintSettings(o);
  TRasterSurface s(int(size.Width), int(size.Height), PictureAntiAliased(o));
  s.SetBandHeight(0);
  s.Clear(settings.Scheme.Background());
  PaintBoard(s, board, TViewMap{double(size.Width) / board.Platine.Width, 0, 0}, settings, TPaintTarget::BitmapExport);
  return s.Raster();
}

TEST(PictureSizeTest, PixelsAndMemoryFromDpi) {
  struct TCase {
    int32_t widthMm, heightMm;
    int dpi;
    long long w, h, bwKb, colourKb;
  };
  for (const TCase& c : {TCase{100, 80, 600, 2362, 1890, 545, 13080}, TCase{160, 100, 600, 3780, 2362, 1089, 26157},
                         TCase{160, 100, 1200, 7559, 4724, 4359, 104616}, TCase{10, 8, 254, 100, 80, 1, 24}}) {
    TPlatine p;
    p.Width = c.widthMm * kUnitsPerMm;
    p.Height = c.heightMm * kUnitsPerMm;
    const TPictureSize s = PictureSize(p, c.dpi);
    SCOPED_TRACE(std::to_string(c.widthMm) + " x " + std::to_string(c.heightMm) + " mm at " + std::to_string(c.dpi));
    EXPECT_EQ(s.Width, c.w);
    EXPECT_EQ(s.Height, c.h);
    EXPECT_EQ(PictureMemoryKb(s, false), c.bwKb);
    EXPECT_EQ(PictureMemoryKb(s, true), c.colourKb);
  }
  // The large-picture limit: 160 x 100 mm in colour at 600 dpi is above it,
  // in black and white at 1200 dpi below.
  EXPECT_GT(26157, kPictureLargeKb);
  EXPECT_LT(4359, kPictureLargeKb);
  for (auto [dpi, ppm] : {std::pair{100, 3937LL}, {300, 11811LL}, {600, 23622LL}, {1200, 47244LL}})
    EXPECT_EQ(PixelsPerMetre(dpi), ppm) << dpi;
}

TEST(PictureSizeTest, FormatFromExtension) {
  for (auto [path, format] : {std::pair{"a.bmp", TPictureFormat::Bmp},
                              {"dir.x/A.BMP", TPictureFormat::Bmp},
                              {"a.jpg", TPictureFormat::Jpeg},
                              {"a.JPEG", TPictureFormat::Jpeg},
                              {"a.Gif", TPictureFormat::Gif}})
    EXPECT_EQ(PictureFormatOf(path), format) << path;
  for (const char* path : {"a.png", "bmp", "a.bmp.txt", "a"}) EXPECT_FALSE(PictureFormatOf(path)) << path;
}

TEST(PictureSizeTest, RefusesWhatCannotBeMade) {
  struct TCase {
    const char* name;
    int32_t widthMm, heightMm;
    TPictureFormat format;
    bool colour;
    int dpi;
    TPictureStatus status;
  };
  for (const TCase& c : {
           TCase{"dpi below the range", 100, 80, TPictureFormat::Bmp, true, 99, TPictureStatus::BadDpi},
           TCase{"dpi above the range", 100, 80, TPictureFormat::Bmp, true, 1201, TPictureStatus::BadDpi},
           TCase{"lowest dpi", 100, 80, TPictureFormat::Bmp, true, 100, TPictureStatus::Ok},
           TCase{"highest dpi", 100, 80, TPictureFormat::Gif, true, 1200, TPictureStatus::Ok},
           TCase{"no width", 0, 80, TPictureFormat::Bmp, true, 600, TPictureStatus::Empty},
           TCase{"GIF sides are 16 bits", 1400, 10, TPictureFormat::Gif, false, 1200, TPictureStatus::TooLarge},
           TCase{"GIF just inside", 1380, 10, TPictureFormat::Gif, false, 1200, TPictureStatus::Ok},
           TCase{"JPEG side limit", 1400, 10, TPictureFormat::Jpeg, true, 1200, TPictureStatus::TooLarge},
           TCase{"BMP file above 4 GB", 1500, 1500, TPictureFormat::Bmp, true, 1200, TPictureStatus::TooLarge},
           TCase{"the same in 1 bit", 1500, 1500, TPictureFormat::Bmp, false, 1200, TPictureStatus::Ok},
       }) {
    TPlatine p;
    p.Width = c.widthMm * kUnitsPerMm;
    p.Height = c.heightMm * kUnitsPerMm;
    EXPECT_EQ(CheckPicture(p, Options(c.format, c.colour, c.dpi)).Status, c.status) << c.name;
  }
}

TEST(PictureTest, OneBitConversionByLuminance) {
  for (auto [c, white] : {std::pair{TColour(0xFFFFFF), true},
                          {0x000000, false},
                          {0x808080, true},
                          {0x7F7F7F, false},
                          {Rgb(0, 255, 0), true},
                          {Rgb(255, 0, 0), false},
                          {Rgb(0, 0, 255), false},
                          {Rgb(255, 255, 0), true}})
    EXPECT_EQ(IsWhitePixel(c), white) << std::hex << c;
}

// Every band painting, from the top or the bottom, in either look and
// mirrored, gives the rows of the single-pass picture.
TEST(PictureTest, BandsEqualOnePass) {
  TSmallBoard b;
  for (auto [colour, aa, rows, bottomUp, mirrored] : {std::tuple{true, true, 7, false, false},
                                                      {true, true, 7, true, false},
                                                      {true, false, 13, true, false},
                                                      {false, false, 1, false, false},
                                                      {false, false, 80, true, false},
                                                      {true, true, 200, false, false},
                                                      {true, false, 9, true, true}}) {
    SCOPED_TRACE(testing::Message() << "colour " << colour << " aa " << aa << " rows " << rows << " bottom-up "
                                    << bottomUp << " mirrored " << mirrored);
    TPictureOptions o = Options(TPictureFormat::Bmp, colour);
    o.AntiAliased = aa;
    o.BandRows = rows;
    o.Mirrored = mirrored;
    const TRaster whole = SinglePass(b.board, o);
    const TPictureSize size = PictureSize(b.board.Platine, o.Dpi);
    ASSERT_EQ(whole.Width, 100);
    ASSERT_EQ(whole.Height, 80);
    std::vector<int> seen(80, 0);
    int mismatches = 0, lastRow = bottomUp ? 80 : -1;
    PaintPictureBands(b.board, o, size, bottomUp, [&](const TRaster& r, int y0, int n) {
      EXPECT_EQ(bottomUp ? y0 + n : y0, bottomUp ? lastRow : lastRow + 1);
      lastRow = bottomUp ? y0 : y0 + n - 1;
      EXPECT_LE(n, rows);
      for (int y = 0; y < n; ++y) {
        ++seen[size_t(y0 + y)];
        for (int x = 0; x < 100; ++x) mismatches += r.At(x, y) != whole.At(mirrored ? 99 - x : x, y0 + y);
      }
      return true;
    });
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 80);
  }
}

TEST(PictureTest, SinkStopsThePainting) {
  TSmallBoard b;
  TPictureOptions o = Options(TPictureFormat::Bmp, true);
  o.BandRows = 10;
  int calls = 0;
  EXPECT_FALSE(PaintPictureBands(b.board, o, {100, 80}, false, [&](const TRaster&, int, int) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
}

struct TBmp {
  std::string bytes;
  uint32_t Field(size_t at, int n = 4) const { return Le(bytes, at, n); }
  size_t Stride() const { return (Field(18) * Field(28, 2) + 31) / 32 * 4; }
  // Row y from the top of the picture.
  const char* Row(int y) const { return &bytes[Field(10) + (Field(22) - 1 - size_t(y)) * Stride()]; }
  TColour Pixel24(int x, int y) const {
    const char* p = Row(y) + 3 * x;
    return Rgb(uint8_t(p[2]), uint8_t(p[1]), uint8_t(p[0]));
  }
  bool Bit(int x, int y) const { return (uint8_t(Row(y)[x >> 3]) >> (7 - (x & 7))) & 1; }
};

TEST(PictureBmpTest, ColourHeaderAndRowsMatchTheRender) {
  TTestFolder dir;
  TSmallBoard b;
  for (int rows : {256, 3}) {
    TPictureOptions o = Options(TPictureFormat::Bmp, true);
    o.BandRows = rows;
    ASSERT_TRUE(WritePicture(dir / "c.bmp", b.board, o).Ok());
    const TBmp bmp{FileText(dir / "c.bmp")};
    const size_t stride = 300;  // 100 * 3, a multiple of 4
    ASSERT_EQ(bmp.bytes.size(), 54 + stride * 80);
    EXPECT_EQ(bmp.bytes.substr(0, 2), "BM");
    for (auto [at, n, value] : {std::tuple{2, 4, uint32_t(54 + stride * 80)},
                                {10, 4, 54u},
                                {14, 4, 40u},
                                {18, 4, 100u},
                                {22, 4, 80u},
                                {26, 2, 1u},
                                {28, 2, 24u},
                                {30, 4, 0u},
                                {34, 4, uint32_t(stride * 80)},
                                {38, 4, 10000u},
                                {42, 4, 10000u}})
      EXPECT_EQ(bmp.Field(size_t(at), n), value) << "offset " << at;
    const TRaster ref = SinglePass(b.board, o);
    int mismatches = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) mismatches += bmp.Pixel24(x, y) != ref.At(x, y);
    EXPECT_EQ(mismatches, 0) << rows << " rows a band";
  }
}

TEST(PictureBmpTest, BlackAndWhiteIsOneBitOfTheMonochromeRender) {
  TTestFolder dir;
  TSmallBoard b;
  const TPictureOptions o = Options(TPictureFormat::Bmp, false, 254);
  ASSERT_TRUE(WritePicture(dir / "b.bmp", b.board, o).Ok());
  const TBmp bmp{FileText(dir / "b.bmp")};
  const size_t stride = 16;  // 100 bits padded to 4 bytes
  ASSERT_EQ(bmp.bytes.size(), 62 + stride * 80);
  for (auto [at, n, value] : {std::tuple{10, 4, 62u},
                              {28, 2, 1u},
                              {34, 4, uint32_t(stride * 80)},
                              {38, 4, 10000u},
                              {42, 4, 10000u},
                              {46, 4, 2u},
                              {54, 4, 0x000000u},
                              {58, 4, 0xFFFFFFu}})
    EXPECT_EQ(bmp.Field(size_t(at), n), value) << "offset " << at;
  const TRaster ref = SinglePass(b.board, o);
  int mismatches = 0, white = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x) {
      mismatches += bmp.Bit(x, y) != IsWhitePixel(ref.At(x, y));
      white += bmp.Bit(x, y);
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(white, 0);
  EXPECT_LT(white, 100 * 80);
  // The padding bits of each row stay clear.
  for (int y = 0; y < 80; ++y) EXPECT_EQ(uint8_t(bmp.Row(y)[12]) & 0x0F, 0) << y;
  // Plane and track and print black; gap, hole and the pad's hole white.
  for (auto [x, y, isWhite, what] : {std::tuple{10, 70, false, "plane"},
                                     {30, 25, false, "track"},
                                     {27, 28, true, "gap beside the track"},
                                     {50, 40, true, "drill hole"},
                                     {20, 75, false, "print on S1"}})
    EXPECT_EQ(bmp.Bit(x, y), isWhite) << what;
}

// Selection, rubber bands and the zero point are screen overlays: a board
// showing them gives the same picture as one without, and keeps them.
TEST(PictureBmpTest, ScreenOverlaysAreLeftOut) {
  TTestFolder dir;
  TSmallBoard plain, shown;
  shown.board.Platine.OriginX = 50000;
  shown.board.Platine.OriginY = -40000;
  TObjekt& pad2 = shown.Pad({20000, -60000}, 3000, 6000);
  plain.Pad({20000, -60000}, 3000, 6000);
  TObjekt& pad1 = *shown.board.Elements[1];
  pad1.Connections.push_back(&pad2);
  pad2.Connections.push_back(&pad1);
  shown.board.Elements[0]->Selected = 1;
  for (bool colour : {true, false}) {
    const TPictureOptions o = Options(TPictureFormat::Bmp, colour);
    ASSERT_TRUE(WritePicture(dir / "plain.bmp", plain.board, o).Ok());
    ASSERT_TRUE(WritePicture(dir / "shown.bmp", shown.board, o).Ok());
    EXPECT_TRUE(FileText(dir / "plain.bmp") == FileText(dir / "shown.bmp")) << "colour " << colour;
  }
  EXPECT_EQ(shown.board.Elements[0]->Selected, 1);
  EXPECT_EQ(pad1.Connections.size(), 1u);
  EXPECT_EQ(shown.board.Platine.OriginX, 50000);
}

TEST(PictureBmpTest, MirroredFromBelow) {
  TTestFolder dir;
  TSmallBoard b;
  TPictureOptions o = Options(TPictureFormat::Bmp, true);
  ASSERT_TRUE(WritePicture(dir / "a.bmp", b.board, o).Ok());
  o.Mirrored = true;
  ASSERT_TRUE(WritePicture(dir / "m.bmp", b.board, o).Ok());
  const TBmp a{FileText(dir / "a.bmp")}, m{FileText(dir / "m.bmp")};
  int mismatches = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x) mismatches += a.Pixel24(x, y) != m.Pixel24(99 - x, y);
  EXPECT_EQ(mismatches, 0);
}

// A failed write leaves neither the target nor a temporary file, and an
// existing file stays as it was.
TEST(PictureBmpTest, FailedWriteLeavesNoFile) {
  TTestFolder dir;
  TSmallBoard b;
  fs::create_directories(dir / "taken");
  std::ofstream(dir / "taken/keep") << "x";
  for (TPictureFormat f : {TPictureFormat::Bmp, TPictureFormat::Jpeg, TPictureFormat::Gif}) {
    const TPictureOptions o = Options(f, true);
    const TPictureResult missing = WritePicture(dir / "no/such/dir/a.pic", b.board, o);
    EXPECT_EQ(missing.Status, TPictureStatus::CannotWrite);
    EXPECT_FALSE(missing.Reason.empty());
    // The target is a folder: the rename at the end fails.
    EXPECT_EQ(WritePicture(dir / "taken", b.board, o).Status, TPictureStatus::CannotWrite);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path)) names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"taken"});
    EXPECT_EQ(FileText(dir / "taken/keep"), "x");
  }
  EXPECT_EQ(WritePicture(dir / "a.bmp", b.board, Options(TPictureFormat::Bmp, true, 50)).Status,
            TPictureStatus::BadDpi);
  EXPECT_FALSE(fs::exists(dir / "a.bmp"));
}

TEST(PictureJpegTest, DensityInDotsPerInch) {
  TTestFolder dir;
  TSmallBoard b;
  for (auto [colour, dpi] : {std::pair{true, 600}, {false, 300}, {true, 1200}}) {
    ASSERT_TRUE(WritePicture(dir / "a.jpg", b.board, Options(TPictureFormat::Jpeg, colour, dpi)).Ok());
    const std::string f = FileText(dir / "a.jpg");
    ASSERT_GT(f.size(), 50u);
    EXPECT_EQ(uint8_t(f[0]), 0xFF);
    EXPECT_EQ(uint8_t(f[1]), 0xD8);
    const size_t k = f.substr(0, 50).find(std::string("JFIF\0", 5));
    ASSERT_NE(k, std::string::npos);
    EXPECT_EQ(f[k + 7], 1) << "unit: dots per inch";
    EXPECT_EQ(uint8_t(f[k + 8]) * 256 + uint8_t(f[k + 9]), dpi);
    EXPECT_EQ(uint8_t(f[k + 10]) * 256 + uint8_t(f[k + 11]), dpi);
  }
}

// The GIF decoded again gives the plain look's colours exactly.
TEST(PictureGifTest, ExactPaletteOfThePlainLook) {
  TTestFolder dir;
  TSmallBoard b;
  for (bool colour : {true, false}) {
    SCOPED_TRACE(colour ? "colour" : "black and white");
    TPictureOptions o = Options(TPictureFormat::Gif, colour);
    o.BandRows = 11;
    ASSERT_TRUE(WritePicture(dir / "a.gif", b.board, o).Ok());
    int err = 0;
    GifFileType* gif = DGifOpenFileName((dir / "a.gif").c_str(), &err);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    ASSERT_EQ(gif->ImageCount, 1);
    EXPECT_EQ(gif->SWidth, 100);
    EXPECT_EQ(gif->SHeight, 80);
    const ColorMapObject* map = gif->SColorMap;
    ASSERT_NE(map, nullptr);
    if (!colour) {
      EXPECT_EQ(map->ColorCount, 2);
    }
    const TRaster ref = SinglePass(b.board, o);
    int mismatches = 0;
    const GifByteType* px = gif->SavedImages[0].RasterBits;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) {
        const GifColorType c = map->Colors[px[y * 100 + x]];
        const TColour want = colour ? ref.At(x, y) : (IsWhitePixel(ref.At(x, y)) ? 0xFFFFFF : 0);
        mismatches += Rgb(c.Red, c.Green, c.Blue) != want;
      }
    EXPECT_EQ(mismatches, 0);
    DGifCloseFile(gif, &err);
  }
}

using cli::test::Cli;
using cli::test::TRun;

TEST(PictureCommandTest, WritesEstimatesAndRefuses) {
  TTestFolder dir;
  ASSERT_EQ(Cli({"demo", dir / "demo.bsm6"}).code, 0);
  const std::string demo = dir / "demo.bsm6";

  const TRun ok = Cli({"picture", demo, dir / "a.bmp", "--dpi", "300", "--bw"});
  EXPECT_EQ(ok.code, 0) << ok.err;
  EXPECT_NE(ok.out.find("written to"), std::string::npos);
  EXPECT_EQ(FileText(dir / "a.bmp").substr(0, 2), "BM");
  EXPECT_EQ(Le(FileText(dir / "a.bmp"), 28, 2), 1u);

  const TRun est = Cli({"picture", demo, dir / "e.gif", "--estimate"});
  EXPECT_EQ(est.code, 0);
  EXPECT_NE(est.out.find(" pixels at 600 dpi, colour, "), std::string::npos) << est.out;
  EXPECT_FALSE(fs::exists(dir / "e.gif"));

  struct TCase {
    std::vector<std::string> args;
    int code;
    const char* err;
  };
  for (const TCase& c : {
           TCase{{"picture", demo, dir / "a.bmp"}, 1, "exists"},
           TCase{{"picture", demo, dir / "b.png"}, 2, ".bmp"},
           TCase{{"picture", demo, dir / "b.bmp", "--dpi", "99"}, 2, "--dpi"},
           TCase{{"picture", demo, dir / "b.bmp", "--dpi", "1201"}, 2, "--dpi"},
           TCase{{"picture", demo}, 2, "expects"},
           TCase{{"picture", demo, dir / "b.bmp", "--board", "5"}, 1, "no board 5"},
           TCase{{"picture", dir / "missing.bsm6", dir / "b.bmp"}, 1, "missing.bsm6"},
           TCase{{"picture", demo, dir / "no/dir/b.bmp"}, 1, "can not be written"},
       }) {
    const TRun r = Cli(c.args);
    EXPECT_EQ(r.code, c.code) << c.args.back() << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(dir / "b.bmp"));
  EXPECT_EQ(Cli({"picture", demo, dir / "a.bmp", "--force", "--dpi", "100"}).code, 0);
}

TEST(PictureCommandTest, RefusesALargePictureWithoutForce) {
  TTestFolder dir;
  TCamBoard big;  // 100 x 80 mm: 1200 dpi in colour is 52314 kB, in black and white 2175 kB
  TProject p;
  p.Boards.push_back(std::make_unique<TBoard>(std::move(big.board)));
  p.ActiveIndex = 0;
  ASSERT_EQ(WriteProject(p, dir / "big.bsm6").Ok, true);
  const TRun r = Cli({"picture", dir / "big.bsm6", dir / "big.jpg", "--dpi", "1200"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("52314 kB"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "big.jpg"));
  EXPECT_EQ(Cli({"picture", dir / "big.bsm6", dir / "big.gif", "--dpi", "1200", "--bw"}).code, 0);
}

}  // namespace
}  // namespace bs
