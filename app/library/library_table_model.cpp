#include "app/library/library_table_model.h"

#include <QStringList>
#include <algorithm>

#include "chart/birth_form.h"

namespace tavrinel {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Case and accents aside, as the search itself treats them.
QString SortKey(const QString& text) {
    return text.normalized(QString::NormalizationForm_D).toCaseFolded();
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

LibraryTableModel::LibraryTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void LibraryTableModel::SetCharts(std::vector<library::LibraryChart> charts) {
    beginResetModel();
    charts_ = std::move(charts);
    SortCharts();
    shown_ = std::min(kFetchRows, ChartCount());
    endResetModel();
}

const library::LibraryChart* LibraryTableModel::ChartAt(int row) const {
    return row >= 0 && row < shown_ ? &charts_[static_cast<std::size_t>(row)] : nullptr;
}

int LibraryTableModel::RowOf(std::int64_t id) const {
    for (int row = 0; row < shown_; ++row) {
        if (charts_[static_cast<std::size_t>(row)].Id == id) {
            return row;
        }
    }
    return -1;
}

int LibraryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int LibraryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryTableModel::data(const QModelIndex& index, int role) const {
    const library::LibraryChart* chart = ChartAt(index.row());
    if (!chart || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
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

bool LibraryTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && shown_ < ChartCount();
}

void LibraryTableModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) {
        return;
    }
    const int more = std::min(kFetchRows, ChartCount() - shown_);
    beginInsertRows({}, shown_, shown_ + more - 1);
    shown_ += more;
    endInsertRows();
}

void LibraryTableModel::sort(int column, Qt::SortOrder order) {
    sortColumn_ = column;
    sortOrder_ = order;
    beginResetModel();
    SortCharts();
    endResetModel();
}

void LibraryTableModel::SortCharts() {
    if (sortColumn_ < 0 || sortColumn_ >= ColumnCount) {
        return;
    }
    // Keys made once: a comparison that folds texts would do it some
    // two million times for 100,000 charts.
    std::vector<std::pair<QString, std::size_t>> keys;
    keys.reserve(charts_.size());
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        const library::LibraryChart& chart = charts_[i];
        QString key;
        switch (sortColumn_) {
        case NameColumn:
            key = SortKey(FromUtf8(chart.Form.Name));
            break;
        case BornColumn:
            // Written year first, so its text sorts as the dates do.
            key = BornText(chart.Form);
            break;
        case PlaceColumn:
            key = SortKey(PlaceText(chart.Form));
            break;
        default:
            key = SortKey(TagsText(chart.Tags));
            break;
        }
        keys.emplace_back(std::move(key), i);
    }
    const bool descending = sortOrder_ == Qt::DescendingOrder;
    std::stable_sort(keys.begin(), keys.end(), [descending](const auto& a, const auto& b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    std::vector<library::LibraryChart> sorted;
    sorted.reserve(charts_.size());
    for (const auto& [key, i] : keys) {
        sorted.push_back(std::move(charts_[i]));
    }
    charts_ = std::move(sorted);
}

}  // namespace tavrinel
