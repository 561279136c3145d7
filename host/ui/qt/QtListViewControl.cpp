#include "ui/qt/QtListViewControl.h"

#include <QHeaderView>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "ui/qt/Latin1.h"
#include "ui/qt/ListTableView.h"

QtListViewControl::QtListViewControl(const ControlTemplate& control, QWidget& parent,
                                     const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, *new ListTableView(&parent), geometry, std::move(channel)),
      view_(static_cast<QTableView*>(&Widget())),
      model_(new ListViewTableModel(control.Has(ControlStyle::SortAscending), view_)) {
  view_->setModel(model_);
  measuredFont_ = view_->font();
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(control.Has(ControlStyle::SingleSelection)
                              ? QAbstractItemView::SingleSelection
                              : QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setTabKeyNavigation(false);
  view_->setWordWrap(false);
  view_->setCornerButtonEnabled(false);
  view_->setShowGrid(false);
  view_->setSortingEnabled(false);
  view_->setVerticalScrollBarPolicy(control.Has(ControlStyle::VScroll) ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAsNeeded);
  // Rows of one height, never measured: a view of many thousand rows stays cheap.
  QHeaderView* rowHeader = view_->verticalHeader();
  rowHeader->setVisible(false);
  rowHeader->setSectionResizeMode(QHeaderView::Fixed);
  rowHeader->setDefaultSectionSize(view_->fontMetrics().height() + 4);
  QHeaderView* columnHeader = view_->horizontalHeader();
  columnHeader->setHighlightSections(false);
  columnHeader->setSectionsClickable(false);
  columnHeader->setStretchLastSection(false);
  columnHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Listen(view_->selectionModel(), &QItemSelectionModel::selectionChanged,
         [this](const QItemSelection& selected, const QItemSelection& deselected) {
           OnUserSelection(selected, deselected);
         });
  Listen(model_, &QAbstractItemModel::modelReset, [this] { FitLastColumnSoon(); });
  Listen(model_, &QAbstractItemModel::rowsInserted, [this] { FitLastColumnSoon(); });
  Listen(model_, &QAbstractItemModel::rowsRemoved, [this] { FitLastColumnSoon(); });
  Listen(model_, &QAbstractItemModel::dataChanged, [this] { FitLastColumnSoon(); });
  static_cast<ListTableView*>(view_)->SetResizeHandler([this] { FitLastColumnSoon(); });
}

void QtListViewControl::SetDeleteHandler(std::function<void()> remove) {
  static_cast<ListTableView*>(view_)->SetDeleteHandler(
      [alive = std::weak_ptr<int>(lifetime_), this, remove = std::move(remove)] {
        if (!alive.expired()) OnDeleteKey(remove);
      });
}

void QtListViewControl::OnDeleteKey(const std::function<void()>& remove) {
  const std::weak_ptr<int> alive = lifetime_;
  if (SelectedRowCount() == 0) {
    const QModelIndex current = view_->currentIndex();
    if (!current.isValid()) return;
    SelectAsUser(current.row());
    // The selection's notification may have changed the list, or taken it down.
    if (alive.expired() || SelectedRowCount() == 0) return;
  }
  const int place = SelectedRows().front();
  const int before = RowCount();
  remove();
  if (alive.expired() || RowCount() >= before || RowCount() == 0) return;
  SelectAsUser(std::min(place, RowCount() - 1));
}

void QtListViewControl::SelectAsUser(int row) {
  const QModelIndex current = view_->currentIndex();
  const QModelIndex target =
      model_->index(row, current.isValid() && current.row() == row ? current.column() : 0);
  view_->selectionModel()->setCurrentIndex(
      target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view_->scrollTo(target);
}

void QtListViewControl::StartCounting() { counted_ = RowChange{RowCount(), 0, 0, false}; }

void QtListViewControl::AddColumn(std::string_view title, int width, int format) {
  model_->AddColumn(ToQString(title), format);
  widestKnown_ = false;
  askedWidths_.push_back(std::max(width, 0));
  view_->horizontalHeader()->resizeSection(model_->columnCount() - 1, askedWidths_.back());
  if (model_->columnCount() == 1) ShowSelection();
  FitLastColumnSoon();
}

// Once per turn of the event loop, so that rows added one by one cost one pass.
void QtListViewControl::FitLastColumnSoon() {
  if (fitPending_) return;
  fitPending_ = true;
  QTimer::singleShot(0, view_, [alive = std::weak_ptr<int>(lifetime_), this] {
    if (!alive.expired()) FitLastColumn();
  });
}

int QtListViewControl::TextWidth(const std::string& text) {
  if (text.empty()) return 0;
  const auto known = widths_.find(text);
  if (known != widths_.end()) return known->second;
  const int width = view_->fontMetrics().horizontalAdvance(ToQString(text));
  widths_.emplace(text, width);
  return width;
}

void QtListViewControl::Widen(const std::string& text) {
  if (widestKnown_ && model_->columnCount() > 0) widest_ = std::max(widest_, TextWidth(text));
}

void QtListViewControl::Narrowing(const std::string& text) {
  if (widestKnown_ && !text.empty() && TextWidth(text) >= widest_) widestKnown_ = false;
}

void QtListViewControl::FitLastColumn() {
  fitPending_ = false;
  const int columns = model_->columnCount();
  if (columns == 0) return;
  const int last = columns - 1;
  if (view_->font() != measuredFont_) {
    measuredFont_ = view_->font();
    widths_.clear();
    widestKnown_ = false;
  }
  const ListViewModel& rows = model_->Rows();
  if (!widestKnown_) {
    widest_ = 0;
    for (int row = 0; row < rows.RowCount(); ++row)
      widest_ = std::max(widest_, TextWidth(rows.Cell(row, last)));
    widestKnown_ = true;
  }
  const int margin =
      2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1);
  QHeaderView* header = view_->horizontalHeader();
  const QString title = model_->headerData(last, Qt::Horizontal, Qt::DisplayRole).toString();
  const int widest = std::max(widest_, header->fontMetrics().horizontalAdvance(title)) + margin;
  int others = 0;
  for (int column = 0; column < last; ++column) others += header->sectionSize(column);
  const int rest = view_->viewport()->width() - others;
  const int width = std::max({askedWidths_.at(static_cast<std::size_t>(last)), widest, rest});
  if (header->sectionSize(last) != width) header->resizeSection(last, width);
}

void QtListViewControl::SetExtendedStyle(unsigned style) {
  extendedStyle_ = style;
  // Rows are always selected whole; LVS_EX_FULLROWSELECT only changes how Windows
  // highlights them.
  view_->setShowGrid((style & LVS_EX_GRIDLINES) != 0);
}

int QtListViewControl::InsertRow(int index, const ListViewRow& row) {
  const int inserted = model_->InsertRow(index, row);
  Widen(model_->Rows().Cell(inserted, LastColumn()));
  ++counted_.added;
  return inserted;
}

void QtListViewControl::InsertRows(std::span<const ListViewRow> rows) {
  if (rows.empty()) return;
  const int last = LastColumn();
  if (last >= 0) {
    for (const ListViewRow& row : rows) {
      if (static_cast<std::size_t>(last) < row.size()) Widen(row[static_cast<std::size_t>(last)]);
    }
  }
  view_->setUpdatesEnabled(false);
  model_->InsertRows(rows);
  counted_.added += static_cast<int>(rows.size());
  ShowSelection();
  view_->setUpdatesEnabled(true);
}

void QtListViewControl::SetCellText(int row, int column, std::string_view text) {
  const bool last = column == LastColumn() && row >= 0 && row < RowCount();
  if (last) Narrowing(model_->Rows().Cell(row, column));
  model_->SetCell(row, column, text);
  if (last) Widen(model_->Rows().Cell(row, column));
}

std::string QtListViewControl::CellText(int row, int column) const {
  return model_->Rows().Cell(row, column);
}

void QtListViewControl::DeleteRows(std::span<const int> rows) {
  const int before = RowCount();
  const int last = LastColumn();
  for (int row : rows) {
    if (row >= 0 && row < before) Narrowing(model_->Rows().Cell(row, last));
  }
  view_->setUpdatesEnabled(false);
  if (model_->DeleteRows(rows)) ShowSelection();
  view_->setUpdatesEnabled(true);
  counted_.removed += before - RowCount();
}

void QtListViewControl::DeleteAllRows() {
  counted_.removed += RowCount();
  counted_.emptied = counted_.emptied || RowCount() > 0;
  model_->Clear();
  widest_ = 0;
  widestKnown_ = true;
  // What is measured is kept for the texts of one list, not of every list shown.
  widths_.clear();
}

void QtListViewControl::SetRowSelected(int row, bool selected) {
  if (row < 0 || row >= RowCount()) return;
  if (selected && Template().Has(ControlStyle::SingleSelection)) model_->ClearSelection();
  model_->SetSelected(row, selected);
  ShowSelection();
}

int QtListViewControl::FindRowByPrefix(std::string_view prefix, int start) const {
  return model_->Rows().FindPrefix(prefix, start);
}

void QtListViewControl::ShowSelection() {
  if (model_->columnCount() == 0) return;
  QItemSelection selection;
  const std::vector<int> rows = model_->Rows().Selected();
  const int lastColumn = model_->columnCount() - 1;
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t end = i + 1;
    while (end < rows.size() && rows[end] == rows[end - 1] + 1) ++end;
    selection.select(model_->index(rows[i], 0), model_->index(rows[end - 1], lastColumn));
    i = end;
  }
  view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void QtListViewControl::OnUserSelection(const QItemSelection& selected,
                                        const QItemSelection& deselected) {
  // Changes made from code, and those Qt makes while rows come and go, are already
  // in the model.
  if (!Channel().IsOpen()) return;
  for (const QItemSelectionRange& range : deselected) {
    for (int row = range.top(); row <= range.bottom(); ++row) model_->SetSelected(row, false);
  }
  for (const QItemSelectionRange& range : selected) {
    for (int row = range.top(); row <= range.bottom(); ++row) model_->SetSelected(row, true);
  }
  SharedChannel()->Notify(Id(), LVN_ITEMCHANGED);
}
