#include "document/printerpage.h"

#include "controls/kivdrawpanel.h"

namespace app {

std::optional<TPrinterCaps> InstalledPrinterCaps() {
  if (Services().PrinterNames().isEmpty()) return std::nullopt;
  const std::optional<TPrinterCaps> caps = Services().DefaultPrinterCaps();
  if (!caps || caps->LogPixelsX <= 0 || caps->LogPixelsY <= 0) return std::nullopt;
  return caps;
}

TPrintPageGeometry PrinterPageGeometry(const std::optional<TPrinterCaps>& caps) {
  if (!caps) return {210, 297, 6, 6};
  const long double width = caps->PhysicalWidth * 25.4L / caps->LogPixelsX;
  const long double height = caps->PhysicalHeight * 25.4L / caps->LogPixelsY;
  return {width, height, (width - caps->HorzSize) / 2, (height - caps->VertSize) / 2};
}

void ApplyPageGeometry(TKivDrawPanel& page, const TPrintPageGeometry& geometry) {
  page.SetPageWidth(geometry.PageWidth);
  page.SetPageHeight(geometry.PageHeight);
  page.SetLeftMargin(geometry.LeftMargin);
  page.SetRightMargin(geometry.LeftMargin);
  page.SetTopMargin(geometry.TopMargin);
  page.SetBottomMargin(geometry.TopMargin);
}

}  // namespace app
