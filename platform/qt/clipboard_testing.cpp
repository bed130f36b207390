#include "platform/clipboard_testing.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTimer>

void TestPutForeignClipboardData(const std::string& mimeType, const std::string& bytes) {
  auto* mime = new QMimeData;
  mime->setData(QString::fromStdString(mimeType),
                QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  QGuiApplication::clipboard()->setMimeData(mime);
}

std::string TestGuiPlatformName() { return QGuiApplication::platformName().toStdString(); }

CommandResult TestRunCommand(const std::vector<std::string>& command, const std::string& input,
                            int timeoutMs) {
  QStringList arguments;
  for (std::size_t i = 1; i < command.size(); ++i)
    arguments << QString::fromStdString(command[i]);
  QProcess process;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  process.start(QString::fromStdString(command.at(0)), arguments);
  if (!process.waitForStarted(timeoutMs)) return {-1, {}};
  process.write(input.data(), static_cast<qint64>(input.size()));
  process.closeWriteChannel();
  timer.start(timeoutMs);
  if (process.state() != QProcess::NotRunning) loop.exec();
  if (process.state() != QProcess::NotRunning) {
    process.kill();
    process.waitForFinished();
    return {-1, {}};
  }
  // What the command caused (another program taking the clipboard) reaches
  // this process as the reader's message loop would see it.
  QGuiApplication::sync();
  QCoreApplication::processEvents();
  const QByteArray output = process.readAllStandardOutput();
  const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return {code, std::string(output.constData(), static_cast<std::size_t>(output.size()))};
}
