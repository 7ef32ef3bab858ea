// The document window's side of print and preview: its elements go to the print window's
// page while that is open and come back when it closes.

#include "controls/kivdrawpanel.h"
#include "document/childform.h"
#include "seal/seal.h"

namespace {

// A widget given another parent is hidden by Qt, so each element is shown again.
void MoveTo(seal::TSeal* element, QWidget* page, bool enabled) {
  element->setParent(page);
  element->setEnabled(enabled);
  element->show();
}

}  // namespace

void TfrmChild::LendSeals(QWidget* page) {
  for (seal::TSeal* element : FSeals) MoveTo(element, page, false);
}

void TfrmChild::ZoomLentSeals(int zoom) {
  for (seal::TSeal* element : FSeals) element->SetZoom(zoom);
}

void TfrmChild::TakeSealsBack() {
  for (seal::TSeal* element : FSeals) {
    MoveTo(element, KivDrawPanel1, true);
    element->SetZoom(KivDrawPanel1->Zoom());
  }
  RaiseAdornments();
}
