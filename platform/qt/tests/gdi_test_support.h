// A small drawing surface with a DC over it, for the device-context tests.
#pragma once

#include <QImage>
#include <string>

#include "platform/gdi.h"
#include "platform/qt/surface.h"

struct TestSurface {
  explicit TestSurface(int width = 64, int height = 64, qreal ratio = 1.0) {
    surface.image = QImage(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
    surface.image.setDevicePixelRatio(ratio);
    surface.image.fill(Qt::white);
    dc = CreateSurfaceDC(&surface);
  }
  ~TestSurface() { DestroySurfaceDC(dc); }
  TestSurface(const TestSurface&) = delete;
  TestSurface& operator=(const TestSurface&) = delete;

  Surface surface;
  HDC dc;
};

// A font of the given face and pixel height (weight 400 unless given).
inline HFONT MakeFont(const std::u16string& face, LONG height, LONG weight = FW_NORMAL,
                      BYTE underline = 0) {
  LOGFONTW description{};
  description.lfHeight = height;
  description.lfWeight = weight;
  description.lfUnderline = underline;
  face.copy(description.lfFaceName, 31);
  return CreateFontIndirectW(&description);
}

// A font selected into a DC for the life of the object, then deselected and
// deleted.
struct SelectedFont {
  SelectedFont(HDC context, const std::u16string& face, LONG height, LONG weight = FW_NORMAL,
               BYTE underline = 0)
      : dc(context),
        font(MakeFont(face, height, weight, underline)),
        previous(SelectObject(dc, font)) {}
  ~SelectedFont() {
    SelectObject(dc, previous);
    DeleteObject(font);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

  HDC dc;
  HFONT font;
  HGDIOBJ previous;
};
