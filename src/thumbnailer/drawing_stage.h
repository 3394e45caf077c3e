// The drawing child's whole work: the browser engine started without a display and without its
// own sandbox, the page of the work folder drawn, the thumbnail written to work.thumbnail().
#pragma once
#include <chrono>

#include "thumbnailer/work_folder.h"

namespace vellumine {

// The engine's command line: one process (so that the child's RLIMIT_DATA and the parent's
// watch bound all of it and one kill ends it), no GPU, no sandbox of its own (it could not start
// one inside a thumbnailer sandbox, and as root it refuses to run with one), nothing fetched in
// the background, no proxy looked up, and only its fatal errors logged (scripts read standard error).
inline constexpr char kEngineFlags[] =
    "--single-process --no-zygote --no-sandbox --disable-gpu --disable-extensions --disable-sync "
    "--disable-background-networking --disable-component-update --no-first-run --no-proxy-server --log-level=3";

// Returns 0 when the thumbnail is written, 1 when the page did not load or draw within limit (the
// reason on standard error, "MESSAGE" for the parent to name the document).
int drawThumbnailStage(const WorkFolder& work, int size, std::chrono::milliseconds limit);

}  // namespace vellumine
