// The Library window's table: one row per chart that the search found. The
// model holds only the charts' Ids, in the order asked; a row's chart is read
// from the library when the view first shows it, so that a practice of
// 100,000 charts opens at once and in little memory.
#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/chart_library.h"

namespace tavrinel {

class LibraryTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { NameColumn, BornColumn, PlaceColumn, TagsColumn, ColumnCount };

    LibraryTableModel(const library::ChartLibrary& library, QObject* parent = nullptr);

    // Runs the search for the text, in the column's order once one is chosen.
    // Throws as the library does; the rows are then none.
    void Search(const std::string& text);
    [[nodiscard]] std::optional<library::LibraryChart> ChartAt(int row) const;
    [[nodiscard]] int ChartCount() const { return static_cast<int>(ids_.size()); }
    // The chart's row, or -1.
    [[nodiscard]] int RowOf(std::int64_t id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

  private:
    void Query();

    const library::ChartLibrary& library_;
    std::string text_;
    library::ChartOrder order_ = library::ChartOrder::Match;
    bool descending_ = false;
    std::vector<std::int64_t> ids_;
    // The rows read lately; a screenful is some tens of them.
    mutable std::unordered_map<std::int64_t, library::LibraryChart> read_;
};

// The texts a row shows, also read by the tests.
[[nodiscard]] QString BornText(const BirthForm& form);
[[nodiscard]] QString PlaceText(const BirthForm& form);
[[nodiscard]] QString TagsText(const std::vector<std::string>& tags);

}  // namespace tavrinel
