// poppler's pdfinfo for the page count and size, pdftotext for the text.
#include "pdf_support.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace uitest {

namespace {

QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

bool popplerToolsFound() {
  return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

double firstPageLightness(const QString& file) {
  QTemporaryDir dir;
  if (!dir.isValid()) return -1;
  const QString prefix = dir.filePath(QStringLiteral("page"));
  QProcess process;
  process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("24"),
                                             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                             QStringLiteral("1"), QStringLiteral("-singlefile"), file, prefix});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return -1;
  const QImage page(prefix + QStringLiteral(".pgm"));
  if (page.isNull()) return -1;
  double sum = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) sum += qGray(page.pixel(x, y));
  }
  return sum / (static_cast<double>(page.width()) * page.height());
}

PdfFacts readPdf(const QString& file) {
  PdfFacts facts;
  const QString info = run(QStringLiteral("pdfinfo"), {file});
  const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                                           QRegularExpression::MultilineOption).match(info);
  if (!pages.hasMatch()) return facts;
  facts.pages = pages.captured(1).toInt();
  const QRegularExpressionMatch size =
      QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"), QRegularExpression::MultilineOption)
          .match(info);
  if (size.hasMatch()) facts.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
  const QString sizes = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                       QString::number(facts.pages), file});
  auto each = QRegularExpression(QStringLiteral("^Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                 QRegularExpression::MultilineOption)
                  .globalMatch(sizes);
  while (each.hasNext()) {
    const QRegularExpressionMatch page = each.next();
    facts.pageSizes.append(QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()));
  }
  facts.text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
  return facts;
}

}  // namespace uitest
