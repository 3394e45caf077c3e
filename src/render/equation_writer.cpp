#include "render/equation_writer.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/html_escape.h"

namespace vellumine::render {

namespace {

using docx::MathKind;
using docx::MathNode;
using docx::MathRole;

constexpr std::string_view kMathSheet =
    ".vm-math{font-family:\"Cambria Math\",\"STIX Two Math\",\"Latin Modern Math\",\"DejaVu Serif\",serif;"
    "white-space:nowrap;font-style:normal}\n"
    ".vm-mathd{display:block;text-align:center;margin:4px 0}\n"
    ".vm-mi{font-style:italic}\n"
    ".vm-mb{font-weight:bold}\n"
    ".vm-mo{margin:0 .2em}\n"
    ".vm-mf,.vm-mss,.vm-mnx,.vm-mea{display:inline-flex;flex-direction:column;vertical-align:middle;"
    "text-align:center;line-height:1.15}\n"
    ".vm-mf{margin:0 .1em}\n"
    ".vm-mfn{border-bottom:1px solid currentColor;padding:0 .15em}\n"
    ".vm-mnb>.vm-mfn{border-bottom:none}\n"
    ".vm-mfd{padding:0 .15em}\n"
    ".vm-ms,.vm-mss,.vm-ml{font-size:70%}\n"
    ".vm-mss{text-align:left}\n"
    ".vm-mdeg{font-size:55%;vertical-align:.9em;margin-right:-.35em}\n"
    ".vm-mrb{border-top:1px solid currentColor;padding:0 .1em}\n"
    ".vm-mop{font-size:150%;line-height:1}\n"
    ".vm-mopi{vertical-align:-.15em}\n"
    ".vm-mg{display:inline-block;vertical-align:middle}\n"
    ".vm-mg2{transform:scaleY(1.8)}\n.vm-mg3{transform:scaleY(2.6)}\n.vm-mg4{transform:scaleY(3.4)}\n"
    ".vm-mg5{transform:scaleY(4.2)}\n.vm-mg6{transform:scaleY(5)}\n"
    ".vm-mm{display:inline-table;vertical-align:middle;border-spacing:.6em .15em}\n"
    ".vm-mmr{display:table-row}\n"
    ".vm-mmc{display:table-cell;text-align:center}\n"
    ".vm-mea{text-align:left}\n"
    ".vm-mll{display:inline-flex;flex-direction:column;vertical-align:bottom;text-align:center;line-height:1}\n"
    ".vm-macc{display:inline-block;position:relative}\n"
    ".vm-mac{position:absolute;left:0;right:0;top:-.45em;text-align:center;line-height:1}\n"
    ".vm-mbt{border-top:1px solid currentColor}\n"
    ".vm-mbb{border-bottom:1px solid currentColor}\n"
    ".vm-mbox{border:1px solid currentColor;padding:0 .1em}\n";

// What is left to write: a node of the equation (-1: a part the structure lacks), or markup of the
// writer's own.
struct Piece {
  static constexpr std::int32_t kMarkup = -2;
  Piece(std::int32_t index) : node(index) {}  // NOLINT: pieces are listed as nodes and strings alike
  Piece(std::string text) : node(kMarkup), markup(std::move(text)) {}  // NOLINT
  std::int32_t node;
  std::string markup;
};

// Accents are stored as combining marks; above a box they are shown as their spacing forms.
std::string spacingAccent(const std::string& mark) {
  static constexpr std::pair<std::string_view, std::string_view> kForms[] = {
      {"\u0300", "`"},      {"\u0301", "\u00B4"}, {"\u0302", "\u02C6"}, {"\u0303", "\u02DC"},
      {"\u0304", "\u00AF"}, {"\u0305", "\u00AF"}, {"\u0306", "\u02D8"}, {"\u0307", "\u02D9"},
      {"\u0308", "\u00A8"}, {"\u030C", "\u02C7"}, {"\u20D6", "\u2190"}, {"\u20D7", "\u2192"},
  };
  for (const auto& [combining, spacing] : kForms) {
    if (mark == combining) return std::string(spacing);
  }
  return mark;
}

bool isLetterStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xCE || c == 0xCF; }

bool isOperator(std::string_view piece) {
  static constexpr std::string_view kOperators[] = {"=", "+", "<", ">", "\u2212", "\u00B1", "\u00D7", "\u00F7",
                                                     "\u2264", "\u2265", "\u2260", "\u2248", "\u2192", "\u2261",
                                                     "\u221D", "\u2208", "\u2209", "\u2282", "\u2286", "\u222A",
                                                     "\u2229", "\u22C5", "\u2213", "\u2190", "\u21D2", "\u21D4"};
  return std::find(std::begin(kOperators), std::end(kOperators), piece) != std::end(kOperators);
}

std::size_t characterLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Text as Word sets it in an equation: letters (Latin and Greek) italic unless the run is
// upright, relations and binary operators with room around them, the rest as it is.
void appendMathText(std::string& out, std::string_view text, bool plain) {
  bool italicOpen = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = std::min(characterLength(static_cast<unsigned char>(text[at])), text.size() - at);
    const std::string_view character = text.substr(at, length);
    const bool letter = !plain && isLetterStart(static_cast<unsigned char>(text[at]));
    if (letter != italicOpen) {
      out += letter ? "<span class=\"vm-mi\">" : "</span>";
      italicOpen = letter;
    }
    if (!letter && isOperator(character)) {
      out += "<span class=\"vm-mo\">";
      appendHtmlText(out, character);
      out += "</span>";
    } else {
      appendHtmlText(out, character);
    }
    at += length;
  }
  if (italicOpen) out += "</span>";
}

std::string escaped(std::string_view text) {
  std::string out;
  appendHtmlText(out, text);
  return out;
}

class EquationWriter {
 public:
  EquationWriter(const docx::Equation& equation, std::string& out)
      : nodes_(equation.nodes), out_(out), children_(equation.nodes.size()), height_(equation.nodes.size(), 1.0) {
    for (std::size_t k = 1; k < nodes_.size(); ++k) {
      const std::int32_t parent = nodes_[k].parent;
      if (parent >= 0 && static_cast<std::size_t>(parent) < k) children_[static_cast<std::size_t>(parent)].push_back(static_cast<std::int32_t>(k));
    }
    measure();
  }

  void write(bool display) {
    out_ += display ? "<span class=\"vm-math vm-mathd\">" : "<span class=\"vm-math\">";
    pending_.push_back(std::int32_t{0});
    while (!pending_.empty()) {
      Piece piece = std::move(pending_.back());
      pending_.pop_back();
      if (piece.node == Piece::kMarkup) {
        out_ += piece.markup;
      } else {
        expand(piece.node);
      }
    }
    out_ += "</span>";
  }

 private:
  // Heights in lines, children before parents (a child always comes after its parent), so that
  // a delimiter knows how tall its content stands.
  void measure() {
    for (std::size_t k = nodes_.size(); k-- > 0;) {
      double tallest = 1.0, sum = 0.0;
      for (std::int32_t child : children_[k]) {
        tallest = std::max(tallest, height_[static_cast<std::size_t>(child)]);
        sum += height_[static_cast<std::size_t>(child)];
      }
      switch (nodes_[k].kind) {
        case MathKind::fraction: height_[k] = nodes_[k].linear ? tallest : std::max(2.0, sum * 0.9); break;
        case MathKind::matrix:
        case MathKind::equationArray: height_[k] = std::max(1.0, sum); break;
        case MathKind::nary: height_[k] = nodes_[k].flag ? tallest + 0.8 : tallest + 0.3; break;
        case MathKind::subSuperscript:
        case MathKind::preScript: height_[k] = tallest + 0.3; break;
        default: height_[k] = tallest; break;
      }
    }
  }

  std::int32_t part(std::int32_t node, MathRole role) const {
    for (std::int32_t child : children_[static_cast<std::size_t>(node)]) {
      if (nodes_[static_cast<std::size_t>(child)].role == role) return child;
    }
    return -1;
  }

  // Pushes pieces to be written in their order.
  void schedule(std::vector<Piece> pieces) {
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
      if (it->node == -1) continue;  // a part the structure lacks
      pending_.push_back(std::move(*it));
    }
  }

  std::string growing(const std::string& character, double height) const {
    if (character.empty()) return {};
    const int step = std::clamp(static_cast<int>(std::lround(height)), 1, 6);
    if (step == 1) return escaped(character);
    return "<span class=\"vm-mg vm-mg" + std::to_string(step) + "\">" + escaped(character) + "</span>";
  }

  void expand(std::int32_t index) {
    const MathNode& node = nodes_[static_cast<std::size_t>(index)];
    const std::vector<std::int32_t>& children = children_[static_cast<std::size_t>(index)];
    const auto base = part(index, MathRole::base);
    switch (node.kind) {
      case MathKind::group: schedule(std::vector<Piece>(children.begin(), children.end())); break;
      case MathKind::text:
        if (node.bold) out_ += "<span class=\"vm-mb\">";
        appendMathText(out_, node.text, node.plain);
        if (node.bold) out_ += "</span>";
        break;
      case MathKind::fraction:
        if (node.linear) {
          schedule({part(index, MathRole::numerator), std::string("/"), part(index, MathRole::denominator)});
        } else {
          schedule({std::string(node.flag ? "<span class=\"vm-mf vm-mnb\">" : "<span class=\"vm-mf\">") +
                        "<span class=\"vm-mfn\">",
                    part(index, MathRole::numerator), std::string("</span><span class=\"vm-mfd\">"),
                    part(index, MathRole::denominator), std::string("</span></span>")});
        }
        break;
      case MathKind::superscript:
        schedule({base, std::string("<sup class=\"vm-ms\">"), part(index, MathRole::sup), std::string("</sup>")});
        break;
      case MathKind::subscript:
        schedule({base, std::string("<sub class=\"vm-ms\">"), part(index, MathRole::sub), std::string("</sub>")});
        break;
      case MathKind::subSuperscript:
      case MathKind::preScript: {
        std::vector<Piece> scripts{std::string("<span class=\"vm-mss\"><span>"), part(index, MathRole::sup),
                                   std::string("&#8203;</span><span>"), part(index, MathRole::sub),
                                   std::string("&#8203;</span></span>")};
        if (node.kind == MathKind::subSuperscript) scripts.insert(scripts.begin(), base);
        else scripts.push_back(base);
        schedule(std::move(scripts));
        break;
      }
      case MathKind::radical: {
        const std::int32_t degree = part(index, MathRole::degree);
        schedule({std::string("<span class=\"vm-mrad\">"), degree >= 0 ? std::string("<sup class=\"vm-mdeg\">") : std::string(),
                  degree, degree >= 0 ? std::string("</sup>") : std::string(),
                  growing("\u221A", base >= 0 ? height_[static_cast<std::size_t>(base)] : 1.0) +
                      "<span class=\"vm-mrb\">",
                  base, std::string("</span></span>")});
        break;
      }
      case MathKind::nary:
        if (node.flag) {
          schedule({std::string("<span class=\"vm-mnx\"><span class=\"vm-ml\">"), part(index, MathRole::sup),
                    std::string("&#8203;</span><span class=\"vm-mop\">") + escaped(node.text) +
                        "</span><span class=\"vm-ml\">",
                    part(index, MathRole::sub), std::string("&#8203;</span></span>"), base});
        } else {
          schedule({std::string("<span class=\"vm-mop vm-mopi\">") + escaped(node.text) +
                        "</span><span class=\"vm-mss\"><span>",
                    part(index, MathRole::sup), std::string("&#8203;</span><span>"), part(index, MathRole::sub),
                    std::string("&#8203;</span></span>"), base});
        }
        break;
      case MathKind::delimiter: {
        std::vector<Piece> pieces{growing(node.open, height_[static_cast<std::size_t>(index)])};
        bool first = true;
        for (std::int32_t child : children) {
          if (nodes_[static_cast<std::size_t>(child)].role != MathRole::base) continue;
          if (!first) pieces.push_back(growing(node.separator, height_[static_cast<std::size_t>(index)]));
          pieces.push_back(child);
          first = false;
        }
        pieces.push_back(growing(node.close, height_[static_cast<std::size_t>(index)]));
        schedule(std::move(pieces));
        break;
      }
      case MathKind::matrix:
      case MathKind::equationArray: {
        const bool matrix = node.kind == MathKind::matrix;
        std::vector<Piece> pieces{std::string(matrix ? "<span class=\"vm-mm\">" : "<span class=\"vm-mea\">")};
        for (std::int32_t row : children) {
          if (matrix) {
            pieces.push_back(std::string("<span class=\"vm-mmr\">"));
            for (std::int32_t cell : children_[static_cast<std::size_t>(row)]) {
              pieces.push_back(std::string("<span class=\"vm-mmc\">"));
              pieces.push_back(cell);
              pieces.push_back(std::string("</span>"));
            }
            pieces.push_back(std::string("</span>"));
          } else {
            pieces.push_back(std::string("<span>"));
            pieces.push_back(row);
            pieces.push_back(std::string("</span>"));
          }
        }
        pieces.push_back(std::string("</span>"));
        schedule(std::move(pieces));
        break;
      }
      case MathKind::accent:
        schedule({std::string("<span class=\"vm-macc\"><span class=\"vm-mac\">") + escaped(spacingAccent(node.text)) +
                      "</span><span>",
                  base, std::string("</span></span>")});
        break;
      case MathKind::bar:
        schedule({std::string(node.flag ? "<span class=\"vm-mbb\">" : "<span class=\"vm-mbt\">"), base, std::string("</span>")});
        break;
      case MathKind::function:
        schedule({part(index, MathRole::name), std::string("\u2009"), base});
        break;
      case MathKind::limitLower:
        schedule({std::string("<span class=\"vm-mll\"><span>"), base, std::string("</span><span class=\"vm-ml\">"),
                  part(index, MathRole::limit), std::string("</span></span>")});
        break;
      case MathKind::limitUpper:
        schedule({std::string("<span class=\"vm-mll\"><span class=\"vm-ml\">"), part(index, MathRole::limit),
                  std::string("</span><span>"), base, std::string("</span></span>")});
        break;
      case MathKind::groupChar: {
        const std::string sign = "<span class=\"vm-ml\">" + escaped(node.text) + "</span>";
        if (node.flag) schedule({std::string("<span class=\"vm-mll\">") + sign + "<span>", base, std::string("</span></span>")});
        else schedule({std::string("<span class=\"vm-mll\"><span>"), base, std::string("</span>") + sign + "</span>"});
        break;
      }
      case MathKind::box:
        if (node.flag) schedule({std::string("<span class=\"vm-mbox\">"), base, std::string("</span>")});
        else schedule({base});
        break;
    }
  }

  const std::vector<MathNode>& nodes_;
  std::string& out_;
  std::vector<std::vector<std::int32_t>> children_;
  std::vector<double> height_;
  std::vector<Piece> pending_;
};

}  // namespace

void writeEquation(PageState& state, const docx::Equation& equation) {
  if (equation.nodes.empty()) return;
  state.mathUsed = true;
  EquationWriter(equation, *state.out).write(equation.display);
}

std::string_view mathSheet() { return kMathSheet; }

}  // namespace vellumine::render
