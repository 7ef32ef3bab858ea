#pragma once
// Picture export: the selected seals of a document drawn into a white 24-bit bitmap at the
// resolution the user chooses, with a margin of 8 pixels, mirrored if asked, and written as a
// BMP, EMF, JPEG, GIF or TIFF file or put on the system clipboard. Only a scratch seal is
// drawn: the page's seals are read, never changed.

#include <QString>
#include <span>

#include "export/exportformats.h"
#include "platform/bitmap.h"
#include "seal/bounds_mm.h"
#include "services/dialogs_binding.h"

class QWidget;
class TfrmChild;
namespace seal {
class TSeal;
}

namespace app {

// The command on a document: nothing without a selection (the dialogs library is not even
// loaded); else the export options modal to the document window, then ExportPicture. owner
// is the main window, which owns the save dialog and the scratch seal; programFolder ends in
// a separator.
void ExportSelection(TfrmChild& document, QWidget* owner, const QString& programFolder);

// The rest of the command once the options are answered: nothing when they were not
// accepted; the refusal of ResolutionRefusal as a warning; the file name (not for the
// clipboard; a cancel ends the export); the refusals of ExportRefusal as a warning, before
// anything is drawn; the picture; SaveGraphicAs. A
// failure to encode or write throws, naming the file, and leaves no file behind.
void ExportPicture(std::span<const seal::TSeal* const> selection, const merulin::TExportSettings& settings, QWidget* owner,
                   const QString& programFolder);

// The save-picture dialog below programFolder's export folder with the format's filter; the
// name gets the format's extension before the dialog's questions are asked about it. Empty
// when cancelled.
QString AskExportFileName(QWidget* owner, const QString& programFolder, const TExportFormat& format);

// The bitmap of size (from ExportBitmapSize) with every seal drawn in list order, in colour,
// through one scratch seal made at pixelsPerMm and 100 % (a child of scratchOwner while it
// lives), each placed by its millimetres relative to bounds' top-left plus the margin.
// Mirrored left to right when asked; marked transparent.
platform::TBitmap DrawExportBitmap(std::span<const seal::TSeal* const> seals, const seal::TBoundsMm& bounds,
                                   long double pixelsPerMm, TExportSize size, bool mirror, QWidget* scratchOwner);

// The bitmap drawn at pixelsPerMm as the format's file at fileName, written under a
// temporary name and renamed over it; or, when toClipboard and the format goes there, on the
// system clipboard as a picture and as the format's bytes under its MIME type, replacing what
// the clipboard held. Throws platform::EPictureError or formats::EFileError.
void SaveGraphicAs(const QString& fileName, const TExportFormat& format, const platform::TBitmap& bitmap,
                   long double pixelsPerMm, bool toClipboard);

}  // namespace app
