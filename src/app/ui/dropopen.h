// Opening documents dropped onto the window: a drag of local files is welcome anywhere over the
// window (the browser view included); the drop opens the first .docx among them, and a drop with
// no .docx is refused with a message naming what was dropped.
#pragma once
#include <QStringList>
#include <filesystem>
#include <functional>

#include "app/ui/treefilter.h"

class QMimeData;

// The local files of a drag, and the first of them that is a Word document (by its extension).
struct DroppedFiles {
  QStringList files;                 // local paths, in the order of the drag
  std::filesystem::path document;    // empty when none is a .docx
};
DroppedFiles droppedFiles(const QMimeData* data);

// The message for a drop that holds no Word document.
QString refusedDropMessage(const QStringList& files);

class DocumentDropFilter : public WidgetTreeFilter {
 public:
  using Open = std::function<void(const std::filesystem::path& document)>;
  using Refuse = std::function<void(const QString& message)>;

  // open and refuse run after the drop has been answered, so the program the files were dragged
  // from is not kept waiting while a document loads or a message is shown.
  DocumentDropFilter(QObject* parent, Open open, Refuse refuse);

  // While false, drags are not welcome (a document is loading).
  void setEnabled(bool enabled) { enabled_ = enabled; }

 protected:
  bool filterEvent(QObject* watched, QEvent* event) override;

 private:
  Open open_;
  Refuse refuse_;
  bool enabled_ = true;
};
