// The Library window: the practice's charts, found as the user types, opened
// into the main window's form, added and removed.
#pragma once

#include <QMainWindow>
#include <functional>
#include <optional>
#include <vector>

#include "chart/birth_form.h"
#include "library/chart_library.h"
#include "platform/platform.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tavrinel {

class LibraryTableModel;

// What the window asks of the main window.
struct LibraryHooks {
    // The form as the user filled it, or nothing once its fault was shown.
    std::function<std::optional<BirthForm>()> CurrentForm;
    // Fills the form as Open does and calculates.
    std::function<void(const BirthForm&)> OpenChart;
};

// A main window of its own, so that a screen reader hears it as a window.
class LibraryWindow final : public QMainWindow {
    Q_OBJECT

  public:
    LibraryWindow(library::ChartLibrary& library, Platform& platform, LibraryHooks hooks,
                  QWidget* parent = nullptr);
    ~LibraryWindow() override;

    [[nodiscard]] LibraryTableModel& Model() const { return *model_; }

  public slots:
    // Runs the search box's text again, keeping the chosen chart chosen.
    void Refresh();
    void OpenCurrent();
    void AddCurrent();
    void RemoveSelected();
    void UndoRemove();
    void ImportFolder();
    void ExportSelected();
    void EditNotesAndTags();

  private:
    void Search(std::optional<std::int64_t> keep);
    void ShowMessage(const QString& text, BoxIcon icon);
    // What an import or export did, with the refused files and why.
    void Report(const QString& done, const library::ImportOutcome& outcome, bool imported);
    [[nodiscard]] std::vector<library::LibraryChart> SelectedCharts() const;
    void Select(std::int64_t id);
    void UpdateCommands();
    bool eventFilter(QObject* watched, QEvent* event) override;

    library::ChartLibrary& library_;
    Platform& platform_;
    LibraryHooks hooks_;
    LibraryTableModel* model_ = nullptr;
    // The last removal, whole, until the window closes.
    std::vector<library::LibraryChart> removed_;

    QLineEdit* txtSearch = nullptr;
    QTableView* grdCharts = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdOpen = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdNotes = nullptr;
    QAction* actUndo = nullptr;
};

}  // namespace tavrinel
