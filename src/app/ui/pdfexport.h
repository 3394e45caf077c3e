// PDF export of the page a browser view shows: vector output through the browser's own PDF
// printing, on a page layout chosen by the caller (the window passes its "Page Setup" layout).
// Also the headless form, `vellumine --export-pdf IN.docx OUT.pdf`, for scripts.
#pragma once
#include <QPageLayout>
#include <QString>
#include <filesystem>

class QWebEngineView;

// Writes the page view shows to target as a PDF on layout and waits until it is written (user
// input waits meanwhile).  Throws std::runtime_error when the PDF could not be written.
void exportPdf(QWebEngineView* view, const std::filesystem::path& target, const QPageLayout& layout);

// The headless export: loads document into a view that is never shown, waits for its page and
// writes it to target on the default page layout.  Failures go to standard error as
// "vellumine: DOCUMENT: MESSAGE".  Returns the exit status: 0 when the PDF was written, 1 when not.
// Needs a QApplication.
int exportPdfHeadless(const std::filesystem::path& document, const std::filesystem::path& target);
