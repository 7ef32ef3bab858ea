// The document window's side of the seal library and the emblems: a selection saved as a
// library file and a library file's seals put on the page, through the format layer, and
// an emblem put on the current element.

#include <QScrollArea>
#include <QScrollBar>

#include "controls/kivdrawpanel.h"
#include "document/busycursor.h"
#include "document/childform.h"
#include "document/fileactivity.h"
#include "formats/library_file.h"
#include "formats/whole_file.h"
#include "services/picturefiles.h"
#include "seal/seal.h"

using app::TFileActivity;

std::vector<uint8_t> TfrmChild::LibraryDesign(std::span<const seal::TSeal* const> selection) {
  const TFileActivity activity(FHost.FileActivity(), app::kSavingCaption);
  return formats::SaveLibraryFile(selection, activity.Progress());
}

void TfrmChild::SaveLibrarySeal(const QString& fileName, std::span<const seal::TSeal* const> selection) {
  if (selection.empty()) return;
  formats::SaveFileAtomically(fileName, LibraryDesign(selection));
}

// The seals are read whole before anything of the page changes, so a file that fails part
// way leaves no seal behind and the selection as it was.
std::vector<const seal::TSeal*> TfrmChild::InsertLibrarySeal(const QString& fileName) {
  std::vector<std::unique_ptr<seal::TSeal>> seals;
  std::vector<std::string> undrawn;
  {
    const app::TBusyCursor busy;
    const TFileActivity activity(FHost.FileActivity(), app::kLoadingCaption);
    formats::TSealTarget target = SealTarget();
    target.Progress = activity.Progress();
    target.UndrawnPictures = &undrawn;
    // Millimetres per page pixel.
    const long double s = 100.0L / (static_cast<long double>(KivDrawPanel1->Zoom()) * FPixelsPerMm);
    seals = formats::ReadLibrarySeals(formats::ReadWholeFile(fileName, formats::kMaxLibraryFileBytes), target,
                                      ScrollBox->horizontalScrollBar()->value() * s,
                                      ScrollBox->verticalScrollBar()->value() * s);
  }
  CheckAddedSeals(seals, "插入后的文档", "不能插入");
  const size_t count = seals.size();
  InsertSeals(std::move(seals));
  const std::vector<seal::TSeal*> inserted = NewestSeals(count);
  SelectElements(inserted);
  if (!inserted.empty()) MarkModified();
  app::ShowUndrawnPictures(this, fileName, undrawn);
  return {inserted.begin(), inserted.end()};
}

void TfrmChild::ApplyEmblemToCurrent(const std::function<void(platform::TPicture& picture)>& load) {
  seal::TSeal* element = FCurrentSeal;
  if (!element) return;
  element->SetHaveImage(true);
  element->SetImageIsStar(false);
  platform::TPicture picture;
  load(picture);
  element->SetPicture(&picture);
  MarkModified();
}
