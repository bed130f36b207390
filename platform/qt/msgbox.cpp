#include "platform/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "platform/qt/strings.h"
#include "platform/qt/window_internal.h"

namespace {
MessageBoxHook messageBoxHook = nullptr;

QMessageBox::StandardButtons Buttons(UINT type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon Icon(UINT type) {
  switch (type & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int Answer(int button) {
  switch (button) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
  }
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { messageBoxHook = hook; }

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (messageBoxHook != nullptr) return messageBoxHook(owner, text, caption, type);
  const QString captionText = caption == nullptr ? QStringLiteral("Error") : ToQString(caption);
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    std::fprintf(stderr, "%s\n", ToQString(text).toUtf8().constData());
    return IDOK;
  }
  // Modal over the owner's window, in a loop that keeps the program's
  // windows painting; registered as a window owned by it meanwhile.
  QMessageBox box(Icon(type), captionText, ToQString(text), Buttons(type), TopLevelWidgetOf(owner));
  box.setWindowModality(Qt::ApplicationModal);
  bool finished = false;
  QObject::connect(&box, &QMessageBox::finished, [&finished] {
    finished = true;
    WakeMessageLoop();
  });
  HWND boxWindow = AdoptWidget(&box, owner, u"MessageBox");
  box.show();
  RunModalLoop([&finished] { return finished; });
  RemoveWindow(boxWindow);
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == nullptr) return (type & 0xF) == MB_OK ? IDOK : IDCANCEL;
  return Answer(box.standardButton(clicked));
}
