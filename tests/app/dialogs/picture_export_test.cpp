// File -> Export -> Bitmap/JPG/GIF through the real window: the export
// window's values follow the slider and the format, a large picture is
// made only after the question, the choices are kept in the settings, and
// the file written is the picture chosen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "dialogs/export_picture_dialog.h"
#include "menu_helpers.h"
#include "modal_helpers.h"
#include "private_folders.h"
#include "window/main_window.h"

namespace bs::app {
namespace {

using test::OnNextDialog;

struct PictureExportTest : testing::Test {
  test::TPrivateFolders folders{"bs_picture_export_test_"};
  TMainWindow w;

  void SetUp() override {
    w.show();
    ASSERT_TRUE(w.OpenFile(QStringLiteral(BOARDSMITH_SOURCE_DIR "/examples/demo.bsm6")));
    w.Project().Active()->Platine.Width = 1000000;  // 100 x 50 mm
  }
  static QString Label(TExportDlg& d, const char* name) { return d.findChild<QLabel*>(name)->text(); }
  static std::string Head(const std::filesystem::path& p, size_t n) {
    std::ifstream in(p, std::ios::binary);
    std::string s(n, '\0');
    in.read(s.data(), std::streamsize(n));
    return s;
  }
};

TEST_F(PictureExportTest, WindowValuesAQuestionForLargePicturesAndTheFile) {
  const std::filesystem::path out = folders.dir / "board.bmp";
  QStringList seen, asked;
  OnNextDialog<TExportDlg>([&](TExportDlg& d) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // The stored choice: 600 dpi in colour.
    seen << Label(d, "L_Original") << Label(d, "L_dpi") << Label(d, "L_Pixel") << Label(d, "L_Speicher");
    auto* slider = d.findChild<QSlider*>("TrackBar");
    slider->setValue(12);  // 1200 dpi in colour: above 25 000 kB
    seen << Label(d, "L_Speicher");
    OnNextDialog<QMessageBox>([&](QMessageBox& box) {
      asked << box.text();
      QTest::mouseClick(box.button(QMessageBox::Cancel), Qt::LeftButton);
    });
    d.accept();
    EXPECT_TRUE(d.isVisible());  // Cancel keeps the window open
    slider->setValue(3);
    d.findChild<QRadioButton*>("RB_SW")->click();
    seen << Label(d, "L_Pixel") << Label(d, "L_Speicher");
    OnNextDialog<QFileDialog>([&](QFileDialog& f) {
      f.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(out.string()));
      QMetaObject::invokeMethod(&f, "accept");
    });
    d.accept();
  });
  QAction* entry = test::FindMenuEntry(w.menuBar(), "&Bitmap (*.bmp)...");
  ASSERT_NE(entry, nullptr);
  entry->trigger();

  EXPECT_EQ(seen, (QStringList{"100.0 mm x 50.0 mm", "600 dpi", "2362 x 1181", "8172 kB", "32691 kB", "1181 x 591",
                               "85 kB"}));
  ASSERT_EQ(asked.size(), 1);
  EXPECT_EQ(asked[0],
            "You are about to create a large bitmap.\nBetter make sure that your work is saved.\n\nContinue ?");
  // A 1-bit BMP of 1181 x 591 pixels with 11811 pixels per metre (300 dpi).
  ASSERT_TRUE(std::filesystem::exists(out));
  const std::string h = Head(out, 54);
  auto le = [&h](size_t at) {
    return uint32_t(uint8_t(h[at])) | uint32_t(uint8_t(h[at + 1])) << 8 | uint32_t(uint8_t(h[at + 2])) << 16 |
           uint32_t(uint8_t(h[at + 3])) << 24;
  };
  EXPECT_EQ(h.substr(0, 2), "BM");
  EXPECT_EQ(le(18), 1181u);
  EXPECT_EQ(le(22), 591u);
  EXPECT_EQ(le(28) & 0xFFFF, 1u);
  EXPECT_EQ(le(38), 11811u);
  EXPECT_EQ(w.Settings().Options.ExportBitmapDPI, 3);
  EXPECT_FALSE(w.Settings().Options.ExportBitmapFarbe);
}

}  // namespace
}  // namespace bs::app
