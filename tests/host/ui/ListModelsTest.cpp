#include <gtest/gtest.h>

#include "ui/backend/ItemListModel.h"
#include "ui/backend/ListViewModel.h"

namespace {

std::vector<std::string> FirstColumns(const ListViewModel& model) {
  std::vector<std::string> keys;
  for (int i = 0; i < model.RowCount(); ++i) keys.push_back(model.Cell(i, 0) + model.Cell(i, 1));
  return keys;
}

TEST(ListViewModelTest, BatchInsertPlacesRowsAsOneByOneInsertsWould) {
  const std::vector<ListViewRow> first = {{"b", "1"}, {"a", "2"}, {"b", "3"}};
  const std::vector<ListViewRow> second = {{"b", "4"}, {"a", "5"}, {"c", "6"}, {"", "7"}};
  ListViewModel batch(true);
  ListViewModel single(true);
  batch.InsertMany(first);
  batch.InsertMany(second);
  for (const auto& rows : {first, second}) {
    for (const ListViewRow& row : rows) single.Insert(0, row);
  }
  const std::vector<std::string> expected = {"7", "a2", "a5", "b1", "b3", "b4", "c6"};
  EXPECT_EQ(FirstColumns(batch), expected);
  EXPECT_EQ(FirstColumns(single), expected);

  std::vector<std::string> inserted;
  for (int row : batch.InsertionOrder()) inserted.push_back(batch.Cell(row, 1));
  EXPECT_EQ(inserted, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
}

TEST(ListViewModelTest, UnsortedRowsGoWhereTheyAreTold) {
  ListViewModel model;
  model.Insert(-1, {"x"});
  model.Insert(0, {"y"});
  model.Insert(99, {"z"});
  model.InsertMany(std::vector<ListViewRow>{{"b"}, {"a"}});
  EXPECT_EQ(FirstColumns(model), (std::vector<std::string>{"y", "x", "z", "b", "a"}));
}

TEST(ListViewModelTest, FindsThePrefixFromTheTopOrAfterARow) {
  for (bool sorted : {true, false}) {
    SCOPED_TRACE(sorted ? "sorted" : "unsorted");
    ListViewModel model(sorted);
    model.InsertMany(
        std::vector<ListViewRow>{{"2024-01-01"}, {"2024-01-02"}, {"2024-02-01"}, {"2025-01-01"}});
    EXPECT_EQ(model.FindPrefix("2024-02"), 2);
    EXPECT_EQ(model.FindPrefix("2024"), 0);
    EXPECT_EQ(model.FindPrefix("2024", 0), 1);
    EXPECT_EQ(model.FindPrefix("2024", 2), -1);
    EXPECT_EQ(model.FindPrefix("2024-01-01x"), -1);
    EXPECT_EQ(model.FindPrefix("2026"), -1);
    EXPECT_EQ(model.FindPrefix(""), 0);
    EXPECT_EQ(model.FindPrefix("", 3), -1);
  }
}

TEST(ListViewModelTest, DeletesAnySetOfRowsAndKeepsTheSelectionCount) {
  ListViewModel model(true);
  model.InsertMany(std::vector<ListViewRow>{{"a"}, {"b"}, {"c"}, {"d"}, {"e"}});
  model.SetSelected(1, true);
  model.SetSelected(3, true);
  model.SetSelected(3, true);
  EXPECT_EQ(model.SelectedCount(), 2);
  const int doomed[] = {3, 0, 3, -1, 17};
  model.Delete(doomed);
  EXPECT_EQ(FirstColumns(model), (std::vector<std::string>{"b", "c", "e"}));
  EXPECT_EQ(model.Selected(), std::vector<int>{0});
  EXPECT_EQ(model.SelectedCount(), 1);
  EXPECT_EQ(model.Cell(7, 0), "");
  EXPECT_EQ(model.Cell(0, 5), "");
}

TEST(ItemListModelTest, KeepsSortedOrderAndTheSelectionOnItsItem) {
  ItemListModel items(true);
  EXPECT_EQ(items.Add("USD"), 0);
  EXPECT_EQ(items.Add("EUR"), 0);
  EXPECT_TRUE(items.Select(1));  // USD
  EXPECT_EQ(items.Add("GBP"), 1);
  EXPECT_EQ(items.Add("GBP"), 2);  // after the equal one
  EXPECT_EQ(items.Add("eur"), 4);  // byte-wise: lower case after upper case
  EXPECT_EQ(items.Text(items.Selection()), "USD");
  EXPECT_EQ(items.Insert(0, "first"), 0);
  EXPECT_EQ(items.Text(items.Selection()), "USD");
  EXPECT_TRUE(items.Delete(0));
  EXPECT_EQ(items.Text(items.Selection()), "USD");
  EXPECT_TRUE(items.Delete(items.Selection()));
  EXPECT_EQ(items.Selection(), -1);
  EXPECT_FALSE(items.Select(9));
  EXPECT_EQ(items.Insert(9, "x"), -1);
  EXPECT_EQ(items.FindExact("eur"), 3);
  EXPECT_EQ(items.FindExact("Eur"), -1);
}

}  // namespace
