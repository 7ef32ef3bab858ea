#pragma once
// What the window tests do to and read from a document's page: the printer it is sized
// from, its cursor, the elements on it, and files written and read back.

#include <QContextMenuEvent>
#include <QFile>
#include <QWidget>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "controls/kivdrawpanel.h"
#include "document/childform.h"
#include "document/dragoverlay.h"
#include "document/selectframe.h"
#include "parts.h"
#include "platform/cursors.h"
#include "seal/seal.h"
#include "services/services.h"

// A sheet of 210 x 297 mm at 254 dots per inch (10 pixels per millimetre) with a printable
// area of 200 x 287 mm.
inline app::TPrinterCaps A4Printer() { return {254, 254, 2100, 2970, 200, 287}; }

// Whether the widget shows the cursor of that screen slot.
inline bool HasSlotCursor(const QWidget* w, int slot) {
  if (slot == 0) return !w->testAttribute(Qt::WA_SetCursor);
  if (!w->testAttribute(Qt::WA_SetCursor)) return false;
  return w->cursor().pixmap().toImage() == platform::ScreenCursor(slot).pixmap().toImage() &&
         w->cursor().hotSpot() == platform::ScreenCursor(slot).hotSpot();
}

// The window's page, to press on and to look at.
inline TKivDrawPanel* PageOf(const TfrmChild* w) { return Part<TKivDrawPanel>(w, "KivDrawPanel1"); }

// The menu asked for at the point of the page, as a right click there asks for it: from what
// lies there (an element, the select frame or the page itself).
inline void AskMenuOnPage(const TfrmChild* w, QPoint onPage) {
  TKivDrawPanel* page = PageOf(w);
  QWidget* hit = page->childAt(onPage);
  if (!hit) hit = page;
  const QPoint at = hit->mapFrom(page, onPage);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, hit->mapToGlobal(at));
  QCoreApplication::sendEvent(hit, &event);
}

// What the page's glass shows: the rubber band or the focus rectangle of a drag.
inline const std::vector<QRect>& Glass(const TfrmChild* w) { return Part<TDragOverlay>(w, "PageCanvas")->Shown(); }

// Whether the pointer is held on the page, as during a drag: a point past its
// bottom-right corner is taken back onto it.
inline bool PointerHeld(const TfrmChild* w) {
  const TKivDrawPanel* page = PageOf(w);
  int x = page->width() + 40, y = page->height() + 40;
  w->ConfinePoint(page, x, y);
  return x < page->width() && y < page->height();
}

// The window's select frame, to press on; nullptr when there is none.
inline TSelectFrame* FrameOf(const TfrmChild* w) {
  TSelectFrame* frame = Part<TSelectFrame>(w, "SelectFrame");
  return frame == w->SelectFrame() ? frame : nullptr;
}

// Elements among the page's children (the element class has no meta-object of its own).
inline int SealsOn(const QWidget* page) {
  int n = 0;
  for (const QObject* c : page->children())
    if (dynamic_cast<const seal::TSeal*>(c)) ++n;
  return n;
}

// A seal of the kind and size (millimetres) on the window's page, centred on (x, y)
// millimetres, listed as a loader lists it: the document is not marked.
template <class Seal = seal::TSeal>
Seal* AddSealOf(TfrmChild* w, seal::TSealType type, float x, float y, float width, float height) {
  auto s = std::make_unique<Seal>(PageOf(w));
  s->SetPixelsPerMm(w->PixelsPerMm());
  s->SetZoom(w->Zoom());
  s->SetSealType(type);
  s->SetRealWidth(width);
  s->SetRealHeight(height);
  s->SetRealCenterX(x);
  s->SetRealCenterY(y);
  Seal* added = s.get();
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  seals.push_back(std::move(s));
  w->InsertSeals(std::move(seals));
  return added;
}

// A change of an element on the page made as the other windows make one: the element is
// selected alone and changed through the document's edit entry, which marks it modified.
inline void EditSeal(TfrmChild* w, const seal::TSeal* element, const std::function<void(seal::TSeal&)>& change) {
  w->SetSelection({element});
  w->EditCurrentSeal(change);
}

// A round seal of 42 mm.
inline seal::TSeal* AddSeal(TfrmChild* w, float x, float y) { return AddSealOf(w, seal::stEllipse, x, y, 42, 42); }

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
