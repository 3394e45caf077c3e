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

std::uint64_t declaredUnpackedSize(const std::filesystem::path& document) {
  try {
    TVCLUnZip unzip;
    unzip.SetZipName(document);
    unzip.ReadZip();
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < unzip.Count(); ++i) total += unzip.Entry(i).uncompressedSize();
    return total;
  } catch (const std::exception&) {
    return 0;
  }
}

}  // namespace vellumine
