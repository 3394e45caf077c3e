// PDF checks of the window tests, through poppler's command-line tools (pdfinfo, pdftotext, pdftoppm).
#pragma once
#include <QList>
#include <QSizeF>
#include <QString>

namespace uitest {

struct PdfFacts {
  int pages = 0;      // 0 when the file is no PDF poppler can read
  QSizeF pageSize;    // of the first page, in points
  QString text;       // the text of every page
  QList<QSizeF> pageSizes;  // of every page, in points, in order
};

// Reads what poppler makes of file.  Empty facts when the tools are missing or fail.
PdfFacts readPdf(const QString& file);

// The mean grey level (0 black to 255 white) of the first page of file drawn by pdftoppm at a low
// resolution; -1 when it cannot be drawn.
double firstPageLightness(const QString& file);

// Whether pdfinfo and pdftotext are on the PATH (scripts/install-deps installs them).
bool popplerToolsFound();

}  // namespace uitest
