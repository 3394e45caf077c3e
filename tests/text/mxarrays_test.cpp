#include "text/mxarrays.h"

#include <string>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

std::string indexErrorOf(void (*action)(TIntArray&)) {
  TIntArray a;
  a.Add(1);
  try {
    action(a);
  } catch (const EArrayError& e) {
    return e.what();
  }
  return "no error";
}

TEST(Mxarrays, AddAppendsAndReturnsTheIndex) {
  TIntArray a;
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Add(5), 0);
  EXPECT_EQ(a.Add(-7), 1);
  EXPECT_EQ(a.Get(0), 5);
  EXPECT_EQ(a.Get(1), -7);
  EXPECT_EQ(a.Count(), 2);
}

TEST(Mxarrays, ManyAddsKeepEveryValue) {
  TIntArray a;
  for (int k = 0; k < 10000; ++k) a.Add(k * 3);
  ASSERT_EQ(a.Count(), 10000);
  for (int k = 0; k < 10000; k += 997) EXPECT_EQ(a.Get(k), k * 3);
}

TEST(Mxarrays, IndexErrorsNameTheIndex) {
  EXPECT_EQ(indexErrorOf([](TIntArray& a) { a.Get(-1); }), "Array index out of range : -1");
  EXPECT_EQ(indexErrorOf([](TIntArray& a) { a.Get(2); }), "Array index out of range : 2");
  EXPECT_EQ(indexErrorOf([](TIntArray& a) { a.Put(3, 0); }), "Array index out of range : 3");
  EXPECT_EQ(indexErrorOf([](TIntArray& a) { a.SetCapacity(0); }), "Array index out of range : 0");
  EXPECT_EQ(indexErrorOf([](TIntArray& a) { a.SetCapacity(TBaseArray::kMaxCapacity + 1); }),
            "Array index out of range : 134217728");
}

// Get(Count()) on a full array used to read the slot past the block.
TEST(Mxarrays, GetAtCountIsAcceptedAndReadsZero) {
  TIntArray a;
  EXPECT_EQ(a.Get(0), 0);
  a.Add(9);
  EXPECT_EQ(a.Get(1), 0);
}

TEST(Mxarrays, PutAtCountAppendsAndGrowsAFullArray) {
  TIntArray a(4);
  for (int k = 0; k < 4; ++k) a.Put(k, k + 10);
  ASSERT_EQ(a.Capacity(), 4);
  a.Put(4, 99);
  EXPECT_EQ(a.Count(), 5);
  EXPECT_EQ(a.Capacity(), 8);  // below 9 slots the step is 4
  EXPECT_EQ(a.Get(4), 99);
  a.Put(0, -1);
  EXPECT_EQ(a.Count(), 5);
  EXPECT_EQ(a.Get(0), -1);
}

TEST(Mxarrays, GrowthStepsFollowTheCapacity) {
  TIntArray a(8);
  for (int k = 0; k < 9; ++k) a.Put(k, k);
  EXPECT_EQ(a.Capacity(), 12);
  TIntArray b(64);
  for (int k = 0; k < 65; ++k) b.Put(k, k);
  EXPECT_EQ(b.Capacity(), 80);
  TIntArray c(100);
  for (int k = 0; k < 101; ++k) c.Put(k, k);
  EXPECT_EQ(c.Capacity(), 125);
}

TEST(Mxarrays, ClearEmptiesAndAddStartsAgain) {
  TIntArray a;
  a.Clear();
  EXPECT_EQ(a.Count(), 0);
  a.Add(1);
  a.Add(2);
  a.Clear();
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Capacity(), 0);
  EXPECT_EQ(a.Add(3), 0);
  EXPECT_EQ(a.Get(0), 3);
}

TEST(Mxarrays, AssignCopiesEveryItem) {
  TIntArray source;
  for (int v : {4, 5, 6}) source.Add(v);
  TIntArray target;
  target.Add(1);
  target.Assign(source);
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(target.Get(0), 4);
  EXPECT_EQ(target.Get(2), 6);
}

TEST(Mxarrays, MemoryGuardRefusesAbsurdCapacities) {
  std::int64_t saved = ArrayMemoryLimit();
  EXPECT_GT(saved, 0);
  SetArrayMemoryLimit(1024);
  TIntArray a;
  try {
    a.SetCapacity(100000000);
    ADD_FAILURE() << "no error";
  } catch (const ELowCapacityError& e) {
    EXPECT_STREQ(e.what(),
                 "The DecisionCube Capacity is low. Please deactivate dimensions or change the data set.");
  }
  SetArrayMemoryLimit(saved);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Add(1), 0);
}

}  // namespace
}  // namespace vellumine
