#include "platform/system.h"

#include <QApplication>
#include <QFileInfo>
#include <QString>
#include <algorithm>
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
  // The program ends through its own message loop, not when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  std::u16string commandLine = CommandLine(argc, argv);
  static int moduleTag;
  auto instance = reinterpret_cast<HINSTANCE>(&moduleTag);
  return winMain(instance, nullptr, commandLine.data(), kShowNormal);
}

DWORD GetModuleFileNameW(HMODULE, LPWSTR path, DWORD size) {
  const QString file = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
  if (path == nullptr || size == 0 || file.isEmpty()) return 0;
  const auto length = static_cast<DWORD>(std::min<qsizetype>(file.size(), size - 1));
  std::copy_n(file.utf16(), length, path);
  path[length] = 0;
  return length == static_cast<DWORD>(file.size()) ? length : size;
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
