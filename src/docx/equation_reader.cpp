#include "docx/equation_reader.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "docx/xml_names.h"

namespace vellumine::docx {

namespace {

struct StructureName {
  const char* name;
  MathKind kind;
};

constexpr StructureName kStructures[] = {
    {"m:f", MathKind::fraction},           {"m:sSub", MathKind::subscript},
    {"m:sSup", MathKind::superscript},     {"m:sSubSup", MathKind::subSuperscript},
    {"m:sPre", MathKind::preScript},       {"m:rad", MathKind::radical},
    {"m:nary", MathKind::nary},            {"m:d", MathKind::delimiter},
    {"m:m", MathKind::matrix},             {"m:acc", MathKind::accent},
    {"m:bar", MathKind::bar},              {"m:eqArr", MathKind::equationArray},
    {"m:func", MathKind::function},        {"m:limLow", MathKind::limitLower},
    {"m:limUpp", MathKind::limitUpper},    {"m:groupChr", MathKind::groupChar},
    {"m:box", MathKind::box},              {"m:borderBox", MathKind::box},
    {"m:phant", MathKind::box},
};

struct PartName {
  const char* name;
  MathRole role;
};

constexpr PartName kParts[] = {
    {"m:e", MathRole::base},     {"m:num", MathRole::numerator}, {"m:den", MathRole::denominator},
    {"m:sub", MathRole::sub},    {"m:sup", MathRole::sup},       {"m:deg", MathRole::degree},
    {"m:fName", MathRole::name}, {"m:lim", MathRole::limit},     {"m:mr", MathRole::row},
};

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Property blocks (m:fPr, m:rPr, w:rPr, m:ctrlPr, ...) and deleted text are never content.
bool isSkipped(std::string_view name) {
  return endsWith(name, "Pr") || name == "w:delText" || name == "w:del" || name == "w:moveFrom" ||
         name == "w:instrText" || name == "w:fldData";
}

// m:val of the named child of a property block; nullptr when the child is absent.
const char* propertyValue(const pugi::xml_node& properties, const char* child) {
  const pugi::xml_node element = properties.child(child);
  if (!element) return nullptr;
  return element.attribute("m:val").value();  // "" when the attribute is absent
}

// An on/off property: present without a value means on.
bool propertyOn(const pugi::xml_node& properties, const char* child) {
  const char* value = propertyValue(properties, child);
  if (value == nullptr) return false;
  return !(std::strcmp(value, "0") == 0 || std::strcmp(value, "off") == 0 || std::strcmp(value, "false") == 0);
}

std::string characterProperty(const pugi::xml_node& properties, const char* child, const char* fallback) {
  const char* value = propertyValue(properties, child);
  if (value == nullptr) return fallback;
  // Present without m:val: Word takes that as no character at all.
  return properties.child(child).attribute("m:val") ? std::string(value) : std::string();
}

// Integrals put their limits beside the sign, the large operators under and over it.
bool limitsUnderAndOverByDefault(std::string_view sign) {
  return sign.empty() || !(sign == "\u222B" || sign == "\u222C" || sign == "\u222D" || sign == "\u222E" ||
                           sign == "\u222F" || sign == "\u2230");
}

void readStructureProperties(MathNode& node, const pugi::xml_node& element) {
  switch (node.kind) {
    case MathKind::fraction: {
      const pugi::xml_node p = element.child("m:fPr");
      const char* type = propertyValue(p, "m:type");
      node.flag = type != nullptr && std::strcmp(type, "noBar") == 0;
      node.linear = type != nullptr && std::strcmp(type, "lin") == 0;
      break;
    }
    case MathKind::nary: {
      const pugi::xml_node p = element.child("m:naryPr");
      node.text = characterProperty(p, "m:chr", "\u222B");
      const char* location = propertyValue(p, "m:limLoc");
      node.flag = location != nullptr ? std::strcmp(location, "undOvr") == 0 : limitsUnderAndOverByDefault(node.text);
      break;
    }
    case MathKind::delimiter: {
      const pugi::xml_node p = element.child("m:dPr");
      node.open = characterProperty(p, "m:begChr", "(");
      node.separator = characterProperty(p, "m:sepChr", "|");
      node.close = characterProperty(p, "m:endChr", ")");
      break;
    }
    case MathKind::accent: node.text = characterProperty(element.child("m:accPr"), "m:chr", "\u0302"); break;
    case MathKind::bar: {
      const char* position = propertyValue(element.child("m:barPr"), "m:pos");
      node.flag = position == nullptr || std::strcmp(position, "top") != 0;  // under unless "top"
      break;
    }
    case MathKind::groupChar: {
      const pugi::xml_node p = element.child("m:groupChrPr");
      node.text = characterProperty(p, "m:chr", "\u23DF");
      const char* position = propertyValue(p, "m:pos");
      node.flag = position != nullptr && std::strcmp(position, "top") == 0;
      break;
    }
    case MathKind::box: node.flag = is(element, "m:borderBox"); break;
    default: break;
  }
}

// The parts a structure's properties hide (a radical's degree, an operator's limits).
bool hiddenPart(const pugi::xml_node& structure, const char* part) {
  if (is(structure, "m:rad")) return std::strcmp(part, "m:deg") == 0 && propertyOn(structure.child("m:radPr"), "m:degHide");
  if (is(structure, "m:nary")) {
    const pugi::xml_node p = structure.child("m:naryPr");
    if (std::strcmp(part, "m:sub") == 0) return propertyOn(p, "m:subHide");
    if (std::strcmp(part, "m:sup") == 0) return propertyOn(p, "m:supHide");
  }
  return false;
}

// How a run's letters are set: upright for m:nor or a style other than italic and bold italic;
// bold for the bold styles (m:sty "b", "bi"), which documents use for vectors and matrices.
struct RunLook {
  bool plain = false;
  bool bold = false;
};

RunLook runLook(const pugi::xml_node& run) {
  const pugi::xml_node properties = run.child("m:rPr");
  const char* style = propertyValue(properties, "m:sty");
  const std::string_view sty = style != nullptr ? style : "";
  return RunLook{propertyOn(properties, "m:nor") || sty == "p" || sty == "b", sty == "b" || sty == "bi"};
}

class EquationBuilder {
 public:
  explicit EquationBuilder(bool display) {
    equation_.display = display;
    equation_.nodes.push_back(MathNode{});
  }

  Equation build(const pugi::xml_node& oMath) {
    pushChildren(oMath, 0, 0, RunLook{});
    while (!pending_.empty()) {
      const Pending item = pending_.back();
      pending_.pop_back();
      visit(item);
    }
    return std::move(equation_);
  }

 private:
  struct Pending {
    pugi::xml_node element;
    std::int32_t parent;
    int depth;
    RunLook look;
  };

  void pushChildren(const pugi::xml_node& element, std::int32_t parent, int depth, RunLook look) {
    for (pugi::xml_node child = element.last_child(); child; child = child.previous_sibling()) {
      if (child.type() == pugi::node_element) pending_.push_back(Pending{child, parent, depth, look});
    }
  }

  std::int32_t add(MathNode node) {
    equation_.nodes.push_back(std::move(node));
    return static_cast<std::int32_t>(equation_.nodes.size() - 1);
  }

  void addText(std::string text, std::int32_t parent, RunLook look) {
    if (text.empty()) return;
    MathNode& last = equation_.nodes.back();
    if (last.kind == MathKind::text && last.parent == parent && last.plain == look.plain && last.bold == look.bold) {
      last.text += text;  // runs of one part join
      return;
    }
    MathNode node;
    node.kind = MathKind::text;
    node.parent = parent;
    node.plain = look.plain;
    node.bold = look.bold;
    node.text = std::move(text);
    add(std::move(node));
  }

  void visit(const Pending& item) {
    const pugi::xml_node& element = item.element;
    const std::string_view name = element.name();
    if (name == "m:t" || name == "w:t") {
      addText(element.child_value(), item.parent, item.look);
      return;
    }
    if (isSkipped(name)) return;
    if (name == "m:r") {
      pushChildren(element, item.parent, item.depth, runLook(element));
      return;
    }
    for (const StructureName& structure : kStructures) {
      if (name == structure.name) {
        enterStructure(item, structure.kind);
        return;
      }
    }
    for (const PartName& part : kParts) {
      if (name == part.name) {
        MathNode node;
        node.role = part.role;
        node.parent = item.parent;
        pushChildren(element, add(std::move(node)), item.depth, item.look);
        return;
      }
    }
    pushChildren(element, item.parent, item.depth, item.look);  // a wrapper: its content
  }

  void enterStructure(const Pending& item, MathKind kind) {
    if (item.depth >= kMaxMathDepth) {
      addText(subtreeText(item.element), item.parent, item.look);
      return;
    }
    MathNode node;
    node.kind = kind;
    node.parent = item.parent;
    readStructureProperties(node, item.element);
    const std::int32_t index = add(std::move(node));
    for (pugi::xml_node child = item.element.last_child(); child; child = child.previous_sibling()) {
      if (child.type() != pugi::node_element || hiddenPart(item.element, child.name())) continue;
      pending_.push_back(Pending{child, index, item.depth + 1, item.look});
    }
  }

  // The text of a subtree too deep to keep as structure, in document order, without recursion.
  static std::string subtreeText(const pugi::xml_node& element) {
    std::string text;
    for (pugi::xml_node node = element.first_child(); node;) {
      if (node.type() == pugi::node_element && (is(node, "m:t") || is(node, "w:t"))) text += node.child_value();
      if (node.first_child() && node.type() == pugi::node_element && !isSkipped(node.name())) {
        node = node.first_child();
        continue;
      }
      while (node && !node.next_sibling() && node != element) node = node.parent();
      if (!node || node == element) break;
      node = node.next_sibling();
    }
    return text;
  }

  Equation equation_;
  std::vector<Pending> pending_;
};

}  // namespace

Equation readEquation(const pugi::xml_node& oMath, bool display) { return EquationBuilder(display).build(oMath); }

}  // namespace vellumine::docx
