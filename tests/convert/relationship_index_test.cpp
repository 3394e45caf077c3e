// The index answers as RelTarget over the whole relationship part does.
#include "convert/relationship_index.h"

#include <string_view>

#include <gtest/gtest.h>

#include "text/xmlfrag.h"

namespace vellumine {
namespace {

TEST(RelationshipIndex, TargetsAreTheOnesAScanOfTheWholePartFinds) {
  constexpr std::string_view kRelationships =
      "<Relationships><Relationship Id=\"rId10\" Target=\"ten.png\"/>"
      "<Relationship Id=\"rId1\" Target=\"one.png\"/>"
      "<Relationship Id=\"rId1\" Target=\"second-one.png\"/>"
      "<Relationship Id=\"rNo\" Type=\"x\"/></Relationships>";
  const RelationshipIndex index(kRelationships);
  for (std::string_view id : {"rId1", "rId10", "rNo", "rId2", ""}) {
    EXPECT_EQ(index.target(id), RelTarget(kRelationships, id)) << id;
  }
  EXPECT_EQ(index.target("rId1"), "one.png");  // the first entry of an Id counts
  EXPECT_EQ(index.target("rId2"), "");
}

}  // namespace
}  // namespace vellumine
