// The document window's file and clipboard operations: they read and write through the
// format layer and put what they read onto the window's page.

#include "controls/kivdrawpanel.h"
#include "document/busycursor.h"
#include "document/childform.h"
#include "document/fileactivity.h"
#include "formats/clipboard.h"
#include "formats/document_file.h"
#include "formats/whole_file.h"
#include "services/picturefiles.h"
#include "seal/seal.h"

using app::kLoadingCaption;
using app::kSavingCaption;
using app::TFileActivity;

formats::TSealTarget TfrmChild::SealTarget() const {
  formats::TSealTarget target;
  target.Page = KivDrawPanel1;
  target.PixelsPerMm = FPixelsPerMm;
  target.PageZoom = KivDrawPanel1->Zoom();
  target.CreateSeal = [page = KivDrawPanel1] { return std::make_unique<seal::TSeal>(page); };
  target.Present.assign(FSeals.begin(), FSeals.end());
  return target;
}

void TfrmChild::CheckAddedSeals(std::span<const std::unique_ptr<seal::TSeal>> added, const char* what,
                                const char* refused) const {
  std::vector<const seal::TSeal*> seals(FSeals.begin(), FSeals.end());
  for (const auto& s : added) seals.push_back(s.get());
  formats::CheckFileSize(what, refused, formats::DocumentFileSize(seals), formats::kMaxDocumentFileBytes);
}

void TfrmChild::SaveDocument(const QString& fileName) {
  const TFileActivity activity(FHost.FileActivity(), kSavingCaption);
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

// The format layer picks the reader by the file's stamp, as it does for every reader of
// documents.
void TfrmChild::LoadDocument(const QString& fileName) {
  std::vector<std::string> undrawn;
  {
    // Its metafiles may take the read's whole time.
    const app::TBusyCursor busy;
    const TFileActivity activity(FHost.FileActivity(), kLoadingCaption);
    formats::TSealTarget target = SealTarget();
    target.Progress = activity.Progress();
    target.UndrawnPictures = &undrawn;
    TakeDocument(formats::ReadDocument(formats::ReadWholeFile(fileName), target));
  }
  app::ShowUndrawnPictures(this, fileName, undrawn);
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
  InsertSeals(std::move(document.Seals));
  AnnounceFileState();
}

void TfrmChild::CopySelection(std::span<const seal::TSeal* const> selection, std::vector<uint8_t>& stream) {
  formats::CopySeals(stream, selection);
}

void TfrmChild::PasteSeals(std::span<const uint8_t> stream) {
  if (stream.empty()) return;
  std::vector<std::string> undrawn;
  formats::TSealTarget target = SealTarget();
  target.UndrawnPictures = &undrawn;
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  {
    const app::TBusyCursor busy;
    seals = formats::ReadClipSeals(stream, target);
  }
  CheckAddedSeals(seals, "粘贴后的文档", "不能粘贴");
  const size_t count = seals.size();
  InsertSeals(std::move(seals));
  SelectElements(NewestSeals(count));
  MarkModified();
  app::ShowUndrawnPictures(this, QString(), undrawn);
}
