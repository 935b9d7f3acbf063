// The Library window's table: one row per chart that the search found. The
// charts come from the library in one query, but the view is handed rows a
// screenful at a time, so that a practice of 100,000 charts opens at once.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "library/chart_library.h"

namespace tavrinel {

class LibraryTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn, BornColumn, PlaceColumn, TagsColumn, ColumnCount };
    // Rows handed to the view at a time.
    static constexpr int kFetchRows = 256;

    explicit LibraryTableModel(QObject* parent = nullptr);

    // The search's charts in the library's order (best match first), sorted
    // again when the user has chosen a column.
    void SetCharts(std::vector<library::LibraryChart> charts);
    [[nodiscard]] const library::LibraryChart* ChartAt(int row) const;
    [[nodiscard]] int ChartCount() const { return static_cast<int>(charts_.size()); }
    // The row of the chart with that Id among those handed out, or -1.
    [[nodiscard]] int RowOf(std::int64_t id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void SortCharts();

    std::vector<library::LibraryChart> charts_;
    int shown_ = 0;
    int sortColumn_ = -1;  // none: the search's order
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

// The texts a row shows, also read by the tests.
[[nodiscard]] QString BornText(const BirthForm& form);
[[nodiscard]] QString PlaceText(const BirthForm& form);
[[nodiscard]] QString TagsText(const std::vector<std::string>& tags);

}  // namespace tavrinel
