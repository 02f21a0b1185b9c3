// Settings and data folders of one test's own, so that tests running in
// parallel processes never share a settings file.
#pragma once

#include <QByteArray>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace bs::app::test {

struct TPrivateFolders {
  std::filesystem::path dir;
  QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldData = qgetenv("XDG_DATA_HOME");

  // The folder is named after the prefix, the running test and the process.
  explicit TPrivateFolders(const std::string& prefix)
      : dir(std::filesystem::temp_directory_path() /
            (prefix + testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
             std::to_string(QCoreApplication::applicationPid()))) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
  }
  ~TPrivateFolders() {
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("XDG_DATA_HOME", oldData);
    std::filesystem::remove_all(dir);
  }
  TPrivateFolders(const TPrivateFolders&) = delete;
  TPrivateFolders& operator=(const TPrivateFolders&) = delete;
};

}  // namespace bs::app::test
