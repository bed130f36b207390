// The main of every test binary: a QApplication on Qt's offscreen platform
// (unless the environment names another) with a settings folder and a
// runtime directory of the run's own, so no test reads or writes the user's
// settings or meets a reader the user is running; then all GoogleTest cases.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QTemporaryDir settingsFolder;
  if (!settingsFolder.isValid()) return 1;
  setenv("XDG_CONFIG_HOME", settingsFolder.path().toLocal8Bit().constData(), 1);
  QTemporaryDir runtimeDirectory;
  setenv("XDG_RUNTIME_DIR", runtimeDirectory.path().toLocal8Bit().constData(), 1);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
