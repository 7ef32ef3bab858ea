// The document window's file and clipboard operations: they read and write through the
// format layer and put what they read onto the window's page.

#include <QLabel>
#include <QProgressBar>

#include "childform.h"
#include "clipboard.h"
#include "document_file.h"
#include "documentcommands.h"
#include "kivdrawpanel.h"
#include "seal/seal.h"
#include "whole_file.h"

namespace {

// The main window's status panel with its caption while a file is written or read; hidden
// again however the operation ends.
class TFileActivity {
 public:
  TFileActivity(QLabel* panel, QProgressBar* bar, const char* caption) : FPanel(panel), FBar(bar) {
    FPanel->setText(QString::fromUtf8(caption));
    FPanel->show();
    FPanel->repaint();
  }
  ~TFileActivity() { FPanel->hide(); }
  TFileActivity(const TFileActivity&) = delete;
  TFileActivity& operator=(const TFileActivity&) = delete;

  formats::TProgress Progress() const {
    return [bar = FBar](int position, int maximum) {
      bar->setMaximum(maximum);
      bar->setValue(position);
    };
  }

 private:
  QLabel* FPanel;
  QProgressBar* FBar;
};

}  // namespace

formats::TSealTarget TfrmChild::SealTarget(QMenu* popupMenu) const {
  formats::TSealTarget target;
  target.Page = KivDrawPanel1;
  target.PopupMenu = popupMenu;
  target.PixelsPerMm = FPixelsPerMm;
  target.PageZoom = KivDrawPanel1->Zoom();
  target.CreateSeal = [page = KivDrawPanel1] { return std::make_unique<seal::TSeal>(page); };
  return target;
}

void TfrmChild::SaveDocument(const QString& fileName, QProgressBar* progressBar, QLabel* statusPanel) {
  const TFileActivity activity(statusPanel, progressBar, app::kSavingCaption);
  formats::TPageGeometry page;
  page.PageWidth = KivDrawPanel1->PageWidth();
  page.PageHeight = KivDrawPanel1->PageHeight();
  page.LeftMargin = KivDrawPanel1->LeftMargin();
  page.TopMargin = KivDrawPanel1->TopMargin();
  page.RightMargin = KivDrawPanel1->RightMargin();
  page.BottomMargin = KivDrawPanel1->BottomMargin();
  const std::vector<const seal::TSeal*> seals(FSeals.begin(), FSeals.end());
  const std::vector<uint8_t> bytes = formats::SaveDocument(page, seals, activity.Progress());
  formats::SaveFileAtomically(fileName, bytes);
}

void TfrmChild::ReadFileStamp(float& stamp, const QString& fileName) {
  const std::vector<uint8_t> bytes = formats::ReadWholeFile(fileName);
  if (bytes.size() >= sizeof(float)) stamp = formats::ReadFileStamp(bytes);
}

void TfrmChild::LoadDocument(const QString& fileName, QMenu* popupMenu, QProgressBar* progressBar,
                             QLabel* statusPanel) {
  const TFileActivity activity(statusPanel, progressBar, app::kLoadingCaption);
  formats::TSealTarget target = SealTarget(popupMenu);
  target.Progress = activity.Progress();
  TakeDocument(formats::LoadDocument(formats::ReadWholeFile(fileName), target));
}

void TfrmChild::LoadLegacyDocument(const QString& fileName, QMenu* popupMenu, QProgressBar* progressBar,
                                   QLabel* statusPanel) {
  const TFileActivity activity(statusPanel, progressBar, app::kLoadingCaption);
  formats::TSealTarget target = SealTarget(popupMenu);
  target.Progress = activity.Progress();
  TakeDocument(formats::LoadLegacyDocument(formats::ReadWholeFile(fileName), target));
}

// Only a document read whole reaches the page, so a failed read leaves the window as it was.
void TfrmChild::TakeDocument(formats::TDocument document) {
  const formats::TPageGeometry& page = document.Page;
  KivDrawPanel1->SetPageWidth(page.PageWidth);
  KivDrawPanel1->SetPageHeight(page.PageHeight);
  KivDrawPanel1->SetLeftMargin(page.LeftMargin);
  KivDrawPanel1->SetRightMargin(page.RightMargin);
  KivDrawPanel1->SetTopMargin(page.TopMargin);
  KivDrawPanel1->SetBottomMargin(page.BottomMargin);
  FSeals.reserve(FSeals.size() + document.Seals.size());
  for (std::unique_ptr<seal::TSeal>& s : document.Seals) {
    FSeals.push_back(s.release());
    HookSealEvents(FSeals.back());
  }
  for (seal::TSeal* s : FSeals) s->show();
  RaiseAdornments();
}

void TfrmChild::CopySelection(const std::vector<seal::TSeal*>& selection, std::vector<uint8_t>& stream) {
  app::CopySeals(stream, selection);
}

void TfrmChild::PasteSeals(std::span<const uint8_t> stream, QMenu* popupMenu) {
  std::vector<std::unique_ptr<seal::TSeal>> seals = app::ReadClipSeals(stream, SealTarget(popupMenu));
  for (std::unique_ptr<seal::TSeal>& s : seals) {
    FSeals.push_back(s.release());
    FSelection.push_back(FSeals.back());
    HookSealEvents(FSeals.back());
  }
  for (seal::TSeal* s : FSelection) s->show();
  RaiseAdornments();
}
