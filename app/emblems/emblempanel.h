#pragma once
// The emblem panel at the right of the main window: the built-in emblems of the picture
// library, then the user's own pictures from the emblem folder, one tile each. A tile
// pressed with the left button becomes the selected emblem, which the emblem tool places;
// a double click asks for the emblem to be applied.

#include <QString>
#include <QStringList>

#include "controls/tilepanel.h"

class QLabel;
class QProgressBar;
class QScrollArea;

namespace app {

// The user emblem folder below the program's folder, with a trailing separator.
QString EmblemFolder(const QString& appPath);

// Folder (with its trailing separator) + file name of every file of the folder whose
// extension is one of .BMP .GIF .JPG .JPEG .EMF .WMF in any letter case, as
// services/folderfiles.h lists them.
QStringList ListEmblemFiles(const QString& folder);

}  // namespace app

class TEmblemPanel : public TTilePanel {
  Q_OBJECT

 public:
  // Tiles as many pixels square as the screen has pixels per inch.
  TEmblemPanel(QScrollArea* scrollBox, int pixelsPerInch);

  // The tile last pressed with the left button; nullptr before any.
  TImagePreview* SelectedEmblem() const { return Current(); }

  // Fills the panel: the built-in emblems, whose tiles show picture "A" + i and carry the
  // name "B" + i, then a tile per user picture, each reduced when larger than its tile,
  // while the panel and bar show the progress. A panel filled before, perhaps in part, is
  // emptied first. A user picture that cannot be read gets no tile and the next one takes
  // its slot; the skipped files are returned, each with the reason.
  QStringList LoadEmblemPanel(const QString& userFolder, QLabel* activityPanel, QProgressBar* activityBar);

 signals:
  void ApplyRequested(TImagePreview* tile);
};
