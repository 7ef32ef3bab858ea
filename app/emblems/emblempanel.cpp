#include "emblems/emblempanel.h"

#include <memory>

#include "document/busycursor.h"
#include "document/fileactivity.h"
#include "document/tilepictures.h"
#include "pandrel/pandrel.h"
#include "platform/componentname.h"
#include "platform/metafileworker.h"
#include "services/commandguard.h"
#include "services/folderfiles.h"
#include "services/picturefiles.h"

namespace app {

QString EmblemFolder(const QString& appPath) { return DataFolder(appPath, kEmblemFolder); }

QStringList ListEmblemFiles(const QString& folder) {
  return ListFolderFiles(folder, {".BMP", ".GIF", ".JPG", ".JPEG", ".EMF", ".WMF"}, false);
}

}  // namespace app

TEmblemPanel::TEmblemPanel(QScrollArea* scrollBox, int pixelsPerInch) : TTilePanel(scrollBox, pixelsPerInch) {
  platform::Named(this, "KivFlatPanel2");
  connect(this, &TTilePanel::TileMouseDown, this, [this](TImagePreview* tile, Qt::MouseButton button) {
    if (button == Qt::LeftButton) Select(tile);
  });
  connect(this, &TTilePanel::TileDblClick, this, [this](TImagePreview* tile) { emit ApplyRequested(tile); });
}

QStringList TEmblemPanel::LoadEmblemPanel(const QString& userFolder, QLabel* activityPanel,
                                          QProgressBar* activityBar) {
  const app::TBusyCursor busy;
  DestroyTiles();
  int n = 0;
  GetPictureCount(n);
  const QStringList files = app::ListEmblemFiles(userFolder);
  app::TActivityWidgets display(activityPanel, activityBar);
  const app::TFileActivity activity(display, app::kLoadingCaption);
  const formats::TProgress progress = activity.Progress();
  const int total = n + int(files.size());
  int done = 0;
  progress(done, total);

  for (int i = 0; i < n; ++i) {
    TImagePreview* tile = AddTile(QStringLiteral("B%1").arg(i), SlotHeight() * i);
    // The library fills a picture of our making, which is freed once copied.
    auto gif = std::make_unique<platform::TPicture>();
    LoadAPicture(*gif, QStringLiteral("A%1").arg(i).toLatin1().constData());
    tile->SetPicture(*gif);
    tile->show();
    progress(++done, total);
  }

  QStringList skipped;
  int slot = n;
  // The metafiles among the files share one read's time.
  platform::TMetafileReadTime metafileTime;
  for (const QString& file : files) {
    TImagePreview* tile = AddTile(file, SlotHeight() * slot);
    tile->SetPictureFromFile(true);
    try {
      platform::TPicture picture;
      picture.LoadFromFile(file.toStdString(), platform::kMaxPicturePixels, &metafileTime);
      app::SetTilePicture(*tile, picture);
    } catch (const platform::EPictureError& e) {
      DestroyTile(tile);
      skipped.append(app::UserMessage(e));  // the file's name and why
      progress(++done, total);
      continue;
    }
    tile->show();
    ++slot;
    progress(++done, total);
  }
  FitToScrollBox();
  return skipped;
}
