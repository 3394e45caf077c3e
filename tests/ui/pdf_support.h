// PDF checks of the window tests, through poppler's command-line tools (pdfinfo, pdftotext).
#pragma once
#include <QSizeF>
#include <QString>

namespace uitest {

struct PdfFacts {
  int pages = 0;      // 0 when the file is no PDF poppler can read
  QSizeF pageSize;    // of the first page, in points
  QString text;       // the text of every page
};

// Reads what poppler makes of file.  Empty facts when the tools are missing or fail.
PdfFacts readPdf(const QString& file);

// Whether pdfinfo and pdftotext are on the PATH (scripts/install-deps installs them).
bool popplerToolsFound();

}  // namespace uitest
