#include "app/library/library_table_model.h"

#include <QStringList>
#include <algorithm>
#include <exception>

#include "chart/birth_form.h"

namespace tavrinel {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

QString BornText(const BirthForm& form) {
    return QStringLiteral("%1-%2-%3 %4:%5")
        .arg(form.YearIndex + kFirstYear, 4, 10, QLatin1Char('0'))
        .arg(form.MonthIndex + 1, 2, 10, QLatin1Char('0'))
        .arg(form.DayIndex + 1, 2, 10, QLatin1Char('0'))
        .arg(form.HourIndex, 2, 10, QLatin1Char('0'))
        .arg(form.MinuteIndex, 2, 10, QLatin1Char('0'));
}

QString PlaceText(const BirthForm& form) {
    QStringList parts;
    for (const std::string* text : {&form.City, &form.State, &form.Country}) {
        if (!text->empty()) {
            parts << FromUtf8(*text);
        }
    }
    return parts.join(QStringLiteral(", "));
}

QString TagsText(const std::vector<std::string>& tags) {
    QStringList texts;
    for (const std::string& tag : tags) {
        texts << FromUtf8(tag);
    }
    return texts.join(QStringLiteral(", "));
}

namespace {

// Rows kept once read: enough for a few screens, little beside 100,000 Ids.
constexpr std::size_t kRowsKept = 1024;

}  // namespace

LibraryTableModel::LibraryTableModel(const library::ChartLibrary& library, QObject* parent)
    : QAbstractTableModel(parent), library_(library) {}

void LibraryTableModel::Search(const std::string& text) {
    text_ = text;
    Query();
}

void LibraryTableModel::Query() {
    beginResetModel();
    ids_.clear();
    read_.clear();
    try {
        ids_ = library_.SearchIds(text_, order_, descending_);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

std::optional<library::LibraryChart> LibraryTableModel::ChartAt(int row) const {
    if (row < 0 || row >= ChartCount()) {
        return std::nullopt;
    }
    const std::int64_t id = ids_[static_cast<std::size_t>(row)];
    if (const auto found = read_.find(id); found != read_.end()) {
        return found->second;
    }
    std::optional<library::LibraryChart> chart;
    try {
        chart = library_.Find(id);
    } catch (const std::exception&) {
        // Another program holds the file for the moment: the row shows
        // empty until it is painted again.
        return std::nullopt;
    }
    if (chart) {
        if (read_.size() >= kRowsKept) {
            read_.clear();
        }
        read_.emplace(id, *chart);
    }
    return chart;
}

int LibraryTableModel::RowOf(std::int64_t id) const {
    const auto found = std::find(ids_.begin(), ids_.end(), id);
    return found == ids_.end() ? -1 : static_cast<int>(found - ids_.begin());
}

int LibraryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ChartCount();
}

int LibraryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const std::optional<library::LibraryChart> chart = ChartAt(index.row());
    if (!chart) {
        return {};
    }
    switch (index.column()) {
        case NameColumn:
            return FromUtf8(chart->Form.Name);
        case BornColumn:
            return BornText(chart->Form);
        case PlaceColumn:
            return PlaceText(chart->Form);
        case TagsColumn:
            return TagsText(chart->Tags);
        default:
            return {};
    }
}

QVariant LibraryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    static const char* const titles[ColumnCount] = {"Name", "Born", "Place", "Tags"};
    return section >= 0 && section < ColumnCount ? QVariant(QLatin1String(titles[section]))
                                                 : QVariant();
}

void LibraryTableModel::sort(int column, Qt::SortOrder order) {
    static constexpr library::ChartOrder orders[ColumnCount] = {
        library::ChartOrder::Name, library::ChartOrder::Born, library::ChartOrder::Place,
        library::ChartOrder::Tags};
    order_ = column >= 0 && column < ColumnCount ? orders[column] : library::ChartOrder::Match;
    descending_ = order == Qt::DescendingOrder;
    try {
        Query();
    } catch (const std::exception&) {
        // The view asked: nothing to tell the user through. The list is
        // empty until the next search, which says what is wrong.
    }
}

}  // namespace tavrinel
