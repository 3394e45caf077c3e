// Drag and drop onto the window: the drag events of the window and of every widget inside the
// browser view are answered here before the browser sees them (it would otherwise take the files
// for itself), and a drop becomes an open or a refusal once the drag is over.
#include "app/ui/dropopen.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/ui/qt_path.h"

namespace {

bool isWordDocument(const QString& file) {
  return file.endsWith(QLatin1String(".docx"), Qt::CaseInsensitive);
}

bool hasLocalFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return false;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return true;
  }
  return false;
}

}  // namespace

DroppedFiles droppedFiles(const QMimeData* data) {
  DroppedFiles dropped;
  if (data == nullptr || !data->hasUrls()) return dropped;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString file = url.toLocalFile();
    dropped.files << file;
    if (dropped.document.empty() && isWordDocument(file)) {
      dropped.document = toPath(file);
    }
  }
  return dropped;
}

QString refusedDropMessage(const QStringList& files) {
  QStringList names;
  for (const QString& file : files) names << QFileInfo(file).fileName();
  const QString what = files.size() == 1 ? QStringLiteral("\"%1\" is not a Word document.").arg(names.front())
                                         : QStringLiteral("None of the dropped files is a Word document.");
  return what + QStringLiteral("\nOnly .docx documents can be opened.");
}

DocumentDropFilter::DocumentDropFilter(QObject* parent, Open open, Refuse refuse)
    : WidgetTreeFilter(parent), open_(std::move(open)), refuse_(std::move(refuse)) {}

bool DocumentDropFilter::filterEvent(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);  // a DragEnter is a DragMove too
      if (!enabled_ || !hasLocalFile(drag->mimeData())) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!enabled_ || !hasLocalFile(drop->mimeData())) return false;
      drop->acceptProposedAction();
      DroppedFiles dropped = droppedFiles(drop->mimeData());
      if (dropped.document.empty()) {
        QTimer::singleShot(0, this, [this, message = refusedDropMessage(dropped.files)] { refuse_(message); });
      } else {
        QTimer::singleShot(0, this, [this, document = std::move(dropped.document)] { open_(document); });
      }
      return true;
    }
    default:
      return false;
  }
}
