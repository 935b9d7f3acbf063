#include "app/library/library_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

#include "app/focus_keys.h"
#include "app/library/library_table_model.h"
#include "app/startup.h"

namespace tavrinel {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

template <typename T>
T* Named(T* widget, const char* objectName, const char* accessibleName,
         const char* description) {
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(QLatin1String(accessibleName));
    widget->setAccessibleDescription(QLatin1String(description));
    return widget;
}

}  // namespace

LibraryWindow::LibraryWindow(library::ChartLibrary& library, Platform& platform,
                             LibraryHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window), library_(library), platform_(platform), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmLibrary"));
    setWindowTitle(QStringLiteral("Library - %1").arg(QLatin1String(kMessageBoxTitle)));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    txtSearch = Named(new QLineEdit(this), "txtLibrarySearch", "Search",
                      "Finds the charts whose name, place, notes or tags begin with every word "
                      "typed; Down moves to the list");
    txtSearch->setClearButtonEnabled(true);
    searchLabel->setBuddy(txtSearch);

    model_ = new LibraryTableModel(this);
    grdCharts = Named(new QTableView(this), "grdLibrary", "Charts",
                      "The library's charts; Return opens the chosen one, Delete removes it");
    grdCharts->setModel(model_);
    grdCharts->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdCharts->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdCharts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdCharts->setTabKeyNavigation(false);
    grdCharts->setAlternatingRowColors(true);
    grdCharts->setWordWrap(false);
    grdCharts->verticalHeader()->hide();
    // Every row the same height: the view then never measures 100,000 of them.
    grdCharts->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdCharts->horizontalHeader()->setStretchLastSection(true);
    grdCharts->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    grdCharts->setSortingEnabled(true);
    grdCharts->installEventFilter(this);
    txtSearch->installEventFilter(this);

    lblCount = Named(new QLabel(this), "lblLibraryCount", "Charts found", "");

    cmdOpen = Named(new QPushButton(QStringLiteral("&Open"), this), "cmdLibraryOpen", "Open",
                    "Fills the form with the chosen chart and calculates it");
    cmdAdd = Named(new QPushButton(QStringLiteral("A&dd Current Chart"), this), "cmdLibraryAdd",
                   "Add current chart", "Adds the chart in the main window's form (Ctrl+D)");
    cmdRemove = Named(new QPushButton(QStringLiteral("&Remove..."), this), "cmdLibraryRemove",
                      "Remove", "Removes the chosen charts after asking; Ctrl+Z brings them back");
    auto* cmdClose = Named(new QPushButton(QStringLiteral("&Close"), this), "cmdLibraryClose",
                           "Close", "Closes the Library window");
    for (QPushButton* button : {cmdOpen, cmdAdd, cmdRemove, cmdClose}) {
        button->setAutoDefault(false);
        PressOnReturn(*button);
    }

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(txtSearch, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(lblCount, 1);
    for (QPushButton* button : {cmdOpen, cmdAdd, cmdRemove, cmdClose}) {
        buttonRow->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(grdCharts, 1);
    layout->addLayout(buttonRow);

    auto* addShortcut = new QAction(this);
    addShortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addShortcut->setShortcutContext(Qt::WindowShortcut);
    addAction(addShortcut);
    actUndo = new QAction(QStringLiteral("Undo Remove"), this);
    actUndo->setObjectName(QStringLiteral("actLibraryUndo"));
    actUndo->setShortcut(QKeySequence::Undo);
    // In the search box its own Ctrl+Z undoes the typing first.
    actUndo->setShortcutContext(Qt::WindowShortcut);
    addAction(actUndo);

    connect(txtSearch, &QLineEdit::textChanged, this, &LibraryWindow::Refresh);
    connect(grdCharts, &QAbstractItemView::activated, this, &LibraryWindow::OpenCurrent);
    connect(grdCharts->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryWindow::UpdateCommands);
    connect(model_, &QAbstractItemModel::modelReset, this, &LibraryWindow::UpdateCommands);
    connect(cmdOpen, &QPushButton::clicked, this, &LibraryWindow::OpenCurrent);
    connect(cmdAdd, &QPushButton::clicked, this, &LibraryWindow::AddCurrent);
    connect(addShortcut, &QAction::triggered, this, &LibraryWindow::AddCurrent);
    connect(cmdRemove, &QPushButton::clicked, this, &LibraryWindow::RemoveSelected);
    connect(actUndo, &QAction::triggered, this, &LibraryWindow::UndoRemove);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    setTabOrder(txtSearch, grdCharts);
    setTabOrder(grdCharts, cmdOpen);
    setTabOrder(cmdOpen, cmdAdd);
    setTabOrder(cmdAdd, cmdRemove);
    setTabOrder(cmdRemove, cmdClose);

    resize(760, 480);
    grdCharts->setColumnWidth(LibraryTableModel::NameColumn, 220);
    grdCharts->setColumnWidth(LibraryTableModel::BornColumn, 140);
    grdCharts->setColumnWidth(LibraryTableModel::PlaceColumn, 260);
    Search(std::nullopt);
    txtSearch->setFocus(Qt::OtherFocusReason);
}

LibraryWindow::~LibraryWindow() = default;

void LibraryWindow::Refresh() {
    const auto charts = SelectedCharts();
    Search(charts.empty() ? std::nullopt : std::optional(charts.front().Id));
}

void LibraryWindow::Search(std::optional<std::int64_t> keep) {
    std::vector<library::LibraryChart> found;
    try {
        found = library_.Search(txtSearch->text().toStdString());
    } catch (const std::exception& error) {
        ShowMessage(QString::fromStdString(error.what()), BoxIcon::Error);
    }
    model_->SetCharts(std::move(found));
    lblCount->setText(model_->ChartCount() == 1
                          ? QStringLiteral("1 chart")
                          : QStringLiteral("%1 charts").arg(model_->ChartCount()));
    lblCount->setAccessibleDescription(lblCount->text());
    if (keep) {
        Select(*keep);
    }
    if (!grdCharts->currentIndex().isValid() && model_->rowCount() > 0) {
        grdCharts->setCurrentIndex(model_->index(0, 0));
    }
    UpdateCommands();
}

void LibraryWindow::Select(std::int64_t id) {
    int row = model_->RowOf(id);
    while (row < 0 && model_->canFetchMore({})) {
        model_->fetchMore({});
        row = model_->RowOf(id);
    }
    if (row >= 0) {
        grdCharts->setCurrentIndex(model_->index(row, 0));
        grdCharts->scrollTo(model_->index(row, 0));
    }
}

std::vector<library::LibraryChart> LibraryWindow::SelectedCharts() const {
    std::vector<library::LibraryChart> charts;
    for (const QModelIndex& index : grdCharts->selectionModel()->selectedRows()) {
        if (const auto* chart = model_->ChartAt(index.row())) {
            charts.push_back(*chart);
        }
    }
    if (charts.empty()) {
        if (const auto* chart = model_->ChartAt(grdCharts->currentIndex().row())) {
            charts.push_back(*chart);
        }
    }
    return charts;
}

void LibraryWindow::UpdateCommands() {
    const bool chosen = model_->ChartAt(grdCharts->currentIndex().row()) != nullptr;
    cmdOpen->setEnabled(chosen);
    cmdRemove->setEnabled(chosen);
    actUndo->setEnabled(!removed_.empty());
}

void LibraryWindow::OpenCurrent() {
    if (const auto* chart = model_->ChartAt(grdCharts->currentIndex().row())) {
        hooks_.OpenChart(chart->Form);
    }
}

void LibraryWindow::AddCurrent() {
    const std::optional<BirthForm> form = hooks_.CurrentForm();
    if (!form) {
        return;
    }
    std::optional<std::int64_t> id;
    try {
        id = library_.Add(*form);
    } catch (const std::exception& error) {
        ShowMessage(QString::fromStdString(error.what()), BoxIcon::Error);
        return;
    }
    if (!id) {
        ShowMessage(QStringLiteral("The chart of %1 is in the library already.")
                        .arg(FromUtf8(form->Name)),
                    BoxIcon::Information);
        return;
    }
    Search(id);
}

void LibraryWindow::RemoveSelected() {
    std::vector<library::LibraryChart> charts = SelectedCharts();
    if (charts.empty()) {
        return;
    }
    const QString question =
        charts.size() == 1
            ? QStringLiteral("Remove the chart of %1 from the library?")
                  .arg(FromUtf8(charts.front().Form.Name))
            : QStringLiteral("Remove these %1 charts from the library?").arg(charts.size());
    if (platform_.Messages.Show(this, QLatin1String(kMessageBoxTitle), question,
                                BoxIcon::Information, BoxButtons::YesNo) != BoxAnswer::Yes) {
        return;
    }
    const int row = grdCharts->currentIndex().row();
    std::vector<library::LibraryChart> removed;
    try {
        for (library::LibraryChart& chart : charts) {
            if (library_.Remove(chart.Id)) {
                removed.push_back(std::move(chart));
            }
        }
    } catch (const std::exception& error) {
        ShowMessage(QString::fromStdString(error.what()), BoxIcon::Error);
    }
    if (!removed.empty()) {
        removed_ = std::move(removed);
    }
    Search(std::nullopt);
    if (model_->rowCount() > 0) {
        grdCharts->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), 0));
    }
    UpdateCommands();
}

void LibraryWindow::UndoRemove() {
    if (removed_.empty()) {
        return;
    }
    // The charts come back with their notes and tags, under new Ids.
    std::optional<std::int64_t> last;
    try {
        for (const library::LibraryChart& chart : removed_) {
            if (const auto id = library_.Add(chart.Form)) {
                library_.SetNotes(*id, chart.Notes);
                library_.AddTags(*id, chart.Tags);
                last = id;
            }
        }
    } catch (const std::exception& error) {
        ShowMessage(QString::fromStdString(error.what()), BoxIcon::Error);
        return;
    }
    removed_.clear();
    Search(last);
}

void LibraryWindow::ShowMessage(const QString& text, BoxIcon icon) {
    platform_.Messages.Show(this, QLatin1String(kMessageBoxTitle), text, icon, BoxButtons::Ok);
}

bool LibraryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == txtSearch && key->modifiers() == Qt::NoModifier) {
            if (key->key() == Qt::Key_Down && model_->rowCount() > 0) {
                grdCharts->setFocus(Qt::TabFocusReason);
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                OpenCurrent();
                return true;
            }
        }
        if (watched == grdCharts && key->key() == Qt::Key_Delete) {
            RemoveSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tavrinel
