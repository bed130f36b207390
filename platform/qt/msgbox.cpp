#include "platform/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "platform/qt/strings.h"

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
  QMessageBox box(Icon(type), captionText, ToQString(text), Buttons(type));
  // The owner window's widget is looked up by the window service; a box
  // without one is centred on the screen.
  (void)owner;
  return Answer(box.exec());
}
