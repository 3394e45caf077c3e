// One picture per distinct drawing: the SVG text is the key, so a hundred identical bullets
// in a form cost one file and one write.  Diagrams are read from their parts here (the reader
// keeps only the data part's name) and drawn with all their shapes in one picture.
#include "app/shape_pass.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

#include "app/drawn_picture.h"
#include "docx/diagram_reader.h"
#include "render/shape_svg.h"

namespace vellumine {

namespace {

bool hasLook(const docx::Drawing& drawing) {
  return drawing.look.geometry != docx::ShapeGeometry::none && drawing.drawn.empty() &&
         (drawing.kind == docx::DrawingKind::shape || drawing.kind == docx::DrawingKind::textBox ||
          drawing.textBox >= 0);
}

// Each diagram's parts are read once, however many drawings show it.
class DiagramDrawer {
 public:
  DiagramDrawer(docx::Document& document, const std::filesystem::path& packageFolder, docx::Warnings& warnings)
      : document_(document), packageFolder_(packageFolder), parts_(docx::folderPartSource(packageFolder)),
        warnings_(warnings) {}

  void draw(docx::Drawing& drawing) {
    auto [it, added] = read_.try_emplace(drawing.target, -1);
    if (added) {
      document_.diagrams.push_back(docx::readDiagram(parts_, document_.mainPart, drawing.target, warnings_));
      it->second = static_cast<std::int32_t>(document_.diagrams.size() - 1);
    }
    drawing.diagram = it->second;
    const docx::Diagram& diagram = document_.diagrams[static_cast<std::size_t>(it->second)];
    if (diagram.shapes.empty()) return;
    const std::string svg =
        render::diagramSvg(diagram, drawing.widthEmu, drawing.heightEmu, document_.theme, document_.settings);
    if (auto path = storeDrawnPicture(packageFolder_, document_.mainPart, svg)) drawing.drawn = *path;
  }

 private:
  docx::Document& document_;
  const std::filesystem::path& packageFolder_;
  docx::PartSource parts_;
  docx::Warnings& warnings_;
  std::map<std::string, std::int32_t> read_;
};

}  // namespace

void drawDocumentShapes(docx::Document& document, const std::filesystem::path& packageFolder,
                        docx::Warnings& warnings, const ShapePassLimits& limits) {
  std::unordered_map<std::string, std::optional<std::string>> stored;
  std::size_t drawn = 0;
  DiagramDrawer diagrams(document, packageFolder, warnings);
  for (docx::Drawing& drawing : document.drawings) {
    if (drawing.kind == docx::DrawingKind::smartArt && !drawing.target.empty() && drawing.drawn.empty()) {
      diagrams.draw(drawing);
      continue;
    }
    if (!hasLook(drawing)) continue;
    const render::ShapePaint paint = render::resolveShapePaint(drawing.look, document.theme, document.settings);
    if (!paint.visible()) continue;
    if (drawn == limits.maxShapes) {
      warnings.add(docx::WarningKind::notShown, "shapes past the first few thousand are not drawn");
      break;
    }
    ++drawn;
    std::string svg = render::shapeSvg(render::pictureLook(drawing.look), paint, drawing.widthEmu, drawing.heightEmu);
    auto [it, added] = stored.try_emplace(std::move(svg));
    if (added) it->second = storeDrawnPicture(packageFolder, document.mainPart, it->first);
    if (it->second) drawing.drawn = *it->second;
  }
}

}  // namespace vellumine
