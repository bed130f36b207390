#include "platform/system.h"

#include <QApplication>
#include <QString>
#include <cstdlib>
#include <string>

namespace {
// The arguments after the program name, joined by single spaces.
std::u16string CommandLine(int argc, char** argv) {
  QString line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += QLatin1Char(' ');
    line += QString::fromLocal8Bit(argv[i]);
  }
  return line.toStdU16String();
}

constexpr int kShowNormal = 1;
}  // namespace

int RunWinMain(int argc, char** argv, WinMainFunction winMain) {
  QApplication application(argc, argv);
  std::u16string commandLine = CommandLine(argc, argv);
  static int moduleTag;
  auto instance = reinterpret_cast<HINSTANCE>(&moduleTag);
  return winMain(instance, nullptr, commandLine.data(), kShowNormal);
}

void EnsureGuiToolkit() {
  if (QCoreApplication::instance() != nullptr) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kestro";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
}

void ExitProcess(UINT code) { std::exit(static_cast<int>(code)); }
