#include "app/library/library_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
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
T* Named(T* widget, const char* objectName, const char* accessibleName, const char* description) {
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(QLatin1String(accessibleName));
    widget->setAccessibleDescription(QLatin1String(description));
    return widget;
}

std::filesystem::path LocalPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Tags as typed: separated by commas, blanks around them dropped.
std::vector<std::string> ParseTags(const QString& text) {
    std::vector<std::string> tags;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString tag = part.trimmed();
        if (!tag.isEmpty()) {
            tags.push_back(tag.toStdString());
        }
    }
    std::sort(tags.begin(), tags.end());
    tags.erase(std::unique(tags.begin(), tags.end()), tags.end());
    return tags;
}

std::vector<std::string> Without(const std::vector<std::string>& tags,
                                 const std::vector<std::string>& others) {
    std::vector<std::string> rest;
    for (const std::string& tag : tags) {
        if (std::find(others.begin(), others.end(), tag) == others.end()) {
            rest.push_back(tag);
        }
    }
    return rest;
}

// Refused files listed in a report at most; the rest are counted.
constexpr std::size_t kRefusalsListed = 20;

}  // namespace

LibraryWindow::LibraryWindow(library::ChartLibrary& library, Platform& platform, LibraryHooks hooks,
                             QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      library_(library),
      platform_(platform),
      hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmLibrary"));
    setWindowTitle(QStringLiteral("Library - %1").arg(QLatin1String(kMessageBoxTitle)));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    txtSearch = Named(new QLineEdit(this), "txtLibrarySearch", "Search",
                      "Finds the charts whose name, place, notes or tags begin with every word "
                      "typed; Down moves to the list");
    txtSearch->setClearButtonEnabled(true);
    searchLabel->setBuddy(txtSearch);

    model_ = new LibraryTableModel(library_, this);
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
    grdCharts->verticalHeader()->setDefaultSectionSize(grdCharts->fontMetrics().height() + 8);
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
    cmdImport =
        Named(new QPushButton(QStringLiteral("&Import Folder..."), this), "cmdLibraryImport",
              "Import folder", "Adds every reading file in a folder and the folders within it");
    cmdExport = Named(new QPushButton(QStringLiteral("&Export..."), this), "cmdLibraryExport",
                      "Export", "Writes a reading file for each chosen chart into a folder");
    cmdNotes = Named(new QPushButton(QStringLiteral("No&tes and Tags..."), this), "cmdLibraryNotes",
                     "Notes and tags", "Edits the chosen chart's notes and tags");
    auto* cmdClose = Named(new QPushButton(QStringLiteral("&Close"), this), "cmdLibraryClose",
                           "Close", "Closes the Library window");
    for (QPushButton* button :
         {cmdOpen, cmdAdd, cmdRemove, cmdImport, cmdExport, cmdNotes, cmdClose}) {
        button->setAutoDefault(false);
        PressOnReturn(*button);
    }

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(txtSearch, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(lblCount, 1);
    for (QPushButton* button :
         {cmdOpen, cmdAdd, cmdRemove, cmdImport, cmdExport, cmdNotes, cmdClose}) {
        buttonRow->addWidget(button);
    }
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);
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

    // A new text chooses its best match, at the top.
    connect(txtSearch, &QLineEdit::textChanged, this, [this] {
        Search(std::nullopt);
        grdCharts->scrollToTop();
    });
    connect(grdCharts, &QAbstractItemView::activated, this, &LibraryWindow::OpenCurrent);
    connect(grdCharts->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryWindow::UpdateCommands);
    connect(model_, &QAbstractItemModel::modelReset, this, &LibraryWindow::UpdateCommands);
    connect(cmdOpen, &QPushButton::clicked, this, &LibraryWindow::OpenCurrent);
    connect(cmdAdd, &QPushButton::clicked, this, &LibraryWindow::AddCurrent);
    connect(addShortcut, &QAction::triggered, this, &LibraryWindow::AddCurrent);
    connect(cmdRemove, &QPushButton::clicked, this, &LibraryWindow::RemoveSelected);
    connect(actUndo, &QAction::triggered, this, &LibraryWindow::UndoRemove);
    auto* closeShortcut = new QAction(this);
    closeShortcut->setShortcut(QKeySequence(Qt::Key_Escape));
    closeShortcut->setShortcutContext(Qt::WindowShortcut);
    addAction(closeShortcut);
    connect(closeShortcut, &QAction::triggered, this, &QWidget::close);
    connect(cmdImport, &QPushButton::clicked, this, &LibraryWindow::ImportFolder);
    connect(cmdExport, &QPushButton::clicked, this, &LibraryWindow::ExportSelected);
    connect(cmdNotes, &QPushButton::clicked, this, &LibraryWindow::EditNotesAndTags);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    setTabOrder(txtSearch, grdCharts);
    setTabOrder(grdCharts, cmdOpen);
    setTabOrder(cmdOpen, cmdAdd);
    setTabOrder(cmdAdd, cmdRemove);
    setTabOrder(cmdRemove, cmdImport);
    setTabOrder(cmdImport, cmdExport);
    setTabOrder(cmdExport, cmdNotes);
    setTabOrder(cmdNotes, cmdClose);

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
    try {
        model_->Search(txtSearch->text().toStdString());
    } catch (const std::exception& error) {
        ShowMessage(QString::fromStdString(error.what()), BoxIcon::Error);
    }
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
    if (const int row = model_->RowOf(id); row >= 0) {
        grdCharts->setCurrentIndex(model_->index(row, 0));
        grdCharts->scrollTo(model_->index(row, 0));
    }
}

std::vector<library::LibraryChart> LibraryWindow::SelectedCharts() const {
    std::vector<library::LibraryChart> charts;
    for (const QModelIndex& index : grdCharts->selectionModel()->selectedRows()) {
        if (auto chart = model_->ChartAt(index.row())) {
            charts.push_back(std::move(*chart));
        }
    }
    if (charts.empty()) {
        if (auto chart = model_->ChartAt(grdCharts->currentIndex().row())) {
            charts.push_back(std::move(*chart));
        }
    }
    return charts;
}

void LibraryWindow::UpdateCommands() {
    const int row = grdCharts->currentIndex().row();
    const bool chosen = row >= 0 && row < model_->ChartCount();
    cmdOpen->setEnabled(chosen);
    cmdRemove->setEnabled(chosen);
    cmdExport->setEnabled(chosen);
    cmdNotes->setEnabled(chosen);
    actUndo->setEnabled(!removed_.empty());
}

void LibraryWindow::OpenCurrent() {
    if (const auto chart = model_->ChartAt(grdCharts->currentIndex().row())) {
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
        ShowMessage(
            QStringLiteral("The chart of %1 is in the library already.").arg(FromUtf8(form->Name)),
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
    // The charts come back whole, under their own Ids, so that a study
    // that named them still joins to them.
    std::optional<std::int64_t> last;
    try {
        for (const library::LibraryChart& chart : removed_) {
            if (const auto id = library_.Restore(chart)) {
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

void LibraryWindow::ImportFolder() {
    const std::optional<QString> folder =
        platform_.Files.GetExistingFolder(this, QStringLiteral("Import Reading Files"));
    if (!folder) {
        return;
    }
    const std::vector<std::filesystem::path> files =
        library::FindReadingFiles({LocalPath(*folder)});
    QProgressDialog progress(QStringLiteral("Importing reading files..."), QStringLiteral("Cancel"),
                             0, static_cast<int>(files.size()), this);
    progress.setObjectName(QStringLiteral("dlgLibraryImport"));
    progress.setWindowTitle(QLatin1String(kMessageBoxTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    library::ImportOutcome total;
    std::size_t done = 0;
    // One batch at a time, each committed: a cancel keeps what came before it.
    while (done < files.size() && !progress.wasCanceled()) {
        const std::size_t end = std::min(files.size(), done + library::kImportBatchSize);
        const std::vector<std::filesystem::path> batch(files.begin() + std::ptrdiff_t(done),
                                                       files.begin() + std::ptrdiff_t(end));
        try {
            library::ImportOutcome outcome = library_.Import(batch);
            total.Imported += outcome.Imported;
            total.Duplicates += outcome.Duplicates;
            total.Refused.insert(total.Refused.end(), outcome.Refused.begin(),
                                 outcome.Refused.end());
        } catch (const std::exception& error) {
            progress.cancel();
            ShowMessage(QString::fromUtf8(error.what()), BoxIcon::Error);
            break;
        }
        done = end;
        progress.setValue(static_cast<int>(done));
        // Cancel, pressed during the batch, is heard now.
        QCoreApplication::processEvents();
    }
    const bool cancelled = done < files.size();
    progress.reset();
    Search(std::nullopt);
    Report(cancelled ? QStringLiteral("The import was cancelled after %1 of %2 files; what was "
                                      "imported stays in the library.")
                           .arg(done)
                           .arg(files.size())
                     : QStringLiteral("%1 files read from %2.").arg(files.size()).arg(*folder),
           total, true);
}

void LibraryWindow::ExportSelected() {
    const std::vector<library::LibraryChart> charts = SelectedCharts();
    if (charts.empty()) {
        return;
    }
    const std::optional<QString> folder =
        platform_.Files.GetExistingFolder(this, QStringLiteral("Export Charts to Folder"));
    if (!folder) {
        return;
    }
    const library::ImportOutcome outcome = library::ExportCharts(charts, LocalPath(*folder));
    Report(QStringLiteral("%1 reading files written to %2.").arg(outcome.Imported).arg(*folder),
           outcome, false);
}

void LibraryWindow::Report(const QString& done, const library::ImportOutcome& outcome,
                           bool imported) {
    QString text = done;
    if (imported) {
        text += QStringLiteral("\nImported: %1\nIn the library already: %2")
                    .arg(outcome.Imported)
                    .arg(outcome.Duplicates);
    }
    if (!outcome.Refused.empty()) {
        text += QStringLiteral("\nRefused: %1").arg(outcome.Refused.size());
        const std::size_t listed = std::min(outcome.Refused.size(), kRefusalsListed);
        for (std::size_t i = 0; i < listed; ++i) {
            text += QStringLiteral("\n%1: %2")
                        .arg(QString::fromUtf8(outcome.Refused[i].File.c_str()),
                             QString::fromUtf8(outcome.Refused[i].Reason.c_str()));
        }
        if (listed < outcome.Refused.size()) {
            text += QStringLiteral("\nand %1 more").arg(outcome.Refused.size() - listed);
        }
    }
    ShowMessage(text, outcome.Refused.empty() ? BoxIcon::Information : BoxIcon::Error);
}

void LibraryWindow::EditNotesAndTags() {
    const std::optional<library::LibraryChart> current =
        model_->ChartAt(grdCharts->currentIndex().row());
    if (!current) {
        return;
    }
    const library::LibraryChart chart = *current;
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmLibraryNotes"));
    dialog.setWindowTitle(QStringLiteral("Notes and Tags - %1").arg(FromUtf8(chart.Form.Name)));
    auto* notes = Named(new QPlainTextEdit(FromUtf8(chart.Notes), &dialog), "txtLibraryNotes",
                        "Notes", "Any text about the chart; the search finds its words");
    notes->setTabChangesFocus(true);
    auto* tags = Named(new QLineEdit(TagsText(chart.Tags), &dialog), "txtLibraryTags", "Tags",
                       "Words that group charts, separated by commas");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->setObjectName(QStringLiteral("cmdLibraryNotesButtons"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("&Notes:"), notes);
    layout->addRow(QStringLiteral("T&ags:"), tags);
    layout->addRow(buttons);
    dialog.resize(480, 280);
    if (platform_.Dialogs.RunModal(dialog) != QDialog::Accepted) {
        return;
    }
    const std::vector<std::string> wanted = ParseTags(tags->text());
    try {
        library_.SetNotes(chart.Id, notes->toPlainText().toStdString());
        library_.RemoveTags(chart.Id, Without(chart.Tags, wanted));
        library_.AddTags(chart.Id, Without(wanted, chart.Tags));
    } catch (const std::exception& error) {
        ShowMessage(QString::fromUtf8(error.what()), BoxIcon::Error);
    }
    Search(chart.Id);
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
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tavrinel
