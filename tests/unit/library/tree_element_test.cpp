// TREE_ELEMENT: the measures and moves the library's path tree relies on.
#include <gtest/gtest.h>
#include <varnex/library/tree_element.h>

namespace {

TEST(TreeElement, MeasuresOfSmallTrees) {
  TREE_ELEMENT root("root", "");
  EXPECT_EQ(root.Depth(), 1);
  EXPECT_EQ(root.Width(), 1);
  TREE_ELEMENT* leaf = root.Add("a", "NON_EXPANSION");
  EXPECT_EQ(root.Width(), 1);
  EXPECT_EQ(root.Depth(), 2);
  leaf->Add("a1", "EXPANSION");
  leaf->Add("a2", "EXPANSION")->Add("a21", "EXPANSION");
  root.Add("b", "EXPANSION");
  EXPECT_EQ(root.Width(), 3);
  EXPECT_EQ(root.Depth(), 4);
  EXPECT_EQ(root.TotalCount(), 6);
  EXPECT_EQ(root[1]->Parent(), &root);
  EXPECT_EQ(root[2], nullptr);
}

TEST(TreeElement, MovesAndRemovalKeepSiblingsConsistent) {
  TREE_ELEMENT root("root", "");
  TREE_ELEMENT* a = root.Add("a", "");
  TREE_ELEMENT* b = root.Add("b", "");
  TREE_ELEMENT* c = root.Add("c", "");
  a->MoveUp();
  c->MoveDown();
  EXPECT_EQ(root[0], a) << "nothing moves past the ends";
  EXPECT_EQ(root[2], c);
  c->MoveUp();
  EXPECT_EQ(root[1], c);
  a->MoveDown();
  EXPECT_EQ(root[0], c);
  EXPECT_EQ(root[1], a);
  root.MoveUp();  // no parent
  EXPECT_TRUE(root.Remove(b));
  EXPECT_FALSE(root.Remove(b));
  EXPECT_EQ(root.Count(), 2);
}

TEST(TreeElement, EqualityIsStructural) {
  TREE_ELEMENT left("r", "t"), right("r", "t");
  left.Add("x", "EXPANSION")->Add("y", "");
  right.Add("x", "EXPANSION")->Add("y", "");
  EXPECT_TRUE(left == right);
  right[0]->SetType("TOP_EXPANSION");
  EXPECT_TRUE(left != right);
  right.Clear();
  EXPECT_EQ(right.TotalCount(), 1);
}

}  // namespace
