// A board to export: 100 x 80 mm with its zero point at the lower-left
// corner, and helpers that add elements.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "model/objekt.h"
#include "project/project.h"

namespace bs::test {

struct TCamBoard {
  TBoard board;
  TCamBoard() {
    board.Platine.Width = 1000000;
    board.Platine.Height = 800000;
    board.Platine.OriginX = 0;
    board.Platine.OriginY = -800000;
  }
  TObjekt& Add(std::unique_ptr<TObjekt> e) {
    board.Elements.push_back(std::move(e));
    return *board.Elements.back();
  }
  TObjekt& Track(int layer, int32_t width, std::vector<TFPoint> pts) {
    auto t = NewObjekt();
    InitTrack(*t, width, uint8_t(layer));
    for (TFPoint p : pts) AddPoint(*t, p);
    return Add(std::move(t));
  }
  TObjekt& Pad(TFPoint at, float drillRadius, float outerRadius, int layer = kLayerC1, uint8_t shape = kShapeRound) {
    auto p = NewObjekt();
    InitThtPad(*p, at, uint8_t(layer), shape, drillRadius, outerRadius);
    return Add(std::move(p));
  }
  TObjekt& Smd(TFPoint centre, float w, float h, int layer = kLayerC1) {
    auto p = NewObjekt();
    InitSmdPad(*p, centre, w, uint8_t(layer), h);
    return Add(std::move(p));
  }
};

// A folder of the running test's own, removed afterwards.
struct TTestFolder {
  std::filesystem::path path;
  TTestFolder() {
    path = std::filesystem::temp_directory_path() /
           ("bs_cam_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TTestFolder() { std::filesystem::remove_all(path); }
  std::string operator/(const std::string& name) const { return (path / name).string(); }
};

// A file's bytes; empty when it cannot be read.
inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of a file written with CR LF line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      out.push_back(text.substr(at));
      break;
    }
    out.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return out;
}

}  // namespace bs::test
