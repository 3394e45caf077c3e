// extractPackage: a .docx path into its extracted parts below the package folder, with the
// reader set up the way the viewer and the command line need it.
#include "package/unzip_docx.h"

#include "package/vclunzip.h"

namespace vellumine {

void extractPackage(const std::filesystem::path& document, const std::filesystem::path& packageFolder,
                    const ExtractObserver& observer) {
  // A reader per call: its directory cache and buffers belong to this extraction alone, so
  // documents can be extracted on several threads at once.
  TVCLUnZip unzip;
  unzip.OnProgress = observer.progress;
  unzip.OnWarning = observer.warning;
  unzip.SetZipName(document);
  unzip.OverwriteMode = TOverwriteMode::Always;
  unzip.ReadZip();
  unzip.DoAll = true;
  unzip.SetDestDir(packageFolder);
  unzip.RecreateDirs = true;
  unzip.RetainAttributes = true;
  unzip.UnZip();  // the count of written entries is not needed
}

}  // namespace vellumine
