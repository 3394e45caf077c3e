// A diagram (SmartArt) from its parts.  The drawing's dgm:relIds r:dm names the data part
// (Drawing::target); the data part's dgm:extLst holds dsp:dataModelExt relId, a relationship of
// the document part that names the cached drawing part (word/diagrams/drawing1.xml), whose
// dsp:spTree holds the shapes as the diagram was last laid out: dsp:sp with dsp:spPr (a:xfrm,
// geometry, fill, outline), dsp:style and dsp:txBody.  Without a drawing part, the words of the
// data part's points (dgm:pt dgm:t), in document order, leaving out connections and
// presentation points (type parTrans, sibTrans, pres).
#pragma once
#include <string_view>

#include "docx/diagram.h"
#include "docx/reader.h"
#include "docx/warnings.h"

namespace vellumine::docx {

// At most this many shapes (and this many words) are read from one diagram; the rest are left
// out with one notShown warning.
inline constexpr std::size_t kMaxDiagramShapes = 2000;
inline constexpr std::size_t kMaxDiagramWords = 10000;

// documentPart: the part whose relationships the data part's relId is resolved in (the main part).
// A missing or damaged part gives what could be read (possibly nothing) with a warning.
Diagram readDiagram(const PartSource& parts, std::string_view documentPart, std::string_view dataPart,
                    Warnings& warnings);

}  // namespace vellumine::docx
