// What the windows around a document ask of it beside the page's own editing: the zoom
// steps of the zoom tools and commands, and the current element changed from outside the page.

#include "controls/kivdrawpanel.h"
#include "document/childform.h"
#include "document/sealtemplates.h"

namespace {

// The zoom steps go in tens from wherever the zoom stands, so the last step in may pass
// 600 (595 gives 605) and the last step out may pass 25 (30 gives 20): the test comes
// before the step.
constexpr int kMaxStepZoom = 600;
constexpr int kMinStepZoom = 25;
constexpr int kZoomStep = 10;
constexpr int kNormalZoom = 100;

}  // namespace

bool TfrmChild::StepZoom(bool in) {
  const int zoom = KivDrawPanel1->Zoom();
  if (in ? zoom >= kMaxStepZoom : zoom <= kMinStepZoom) return false;
  ApplyZoom(uint16_t(in ? zoom + kZoomStep : zoom - kZoomStep));
  return true;
}

bool TfrmChild::ZoomNormal() {
  if (KivDrawPanel1->Zoom() == kNormalZoom) return false;
  ApplyZoom(kNormalZoom);
  return true;
}

void TfrmChild::EditCurrentSeal(const std::function<void(seal::TSeal&)>& change) {
  if (!FCurrentSeal) return;
  change(*FCurrentSeal);
  if (FGrabHandles) FGrabHandles->UpdatePositions();
  MarkModified();
}

void TfrmChild::SetCurrentFaces(const seal::TFaceName& face) {
  if (FCurrentSeal) app::SetAllFaces(*FCurrentSeal, face);
}
