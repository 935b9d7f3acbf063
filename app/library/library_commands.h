// File > Library... and File > Add to Library: the chart library opened on
// first use, its window, and a message instead of either when the library
// file cannot be used, the rest of the program working on.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/library/library_window.h"

class QAction;
class QMenu;
class QWidget;

namespace tavrinel {

class LibraryCommands final : public QObject {
    Q_OBJECT

  public:
    // The entries go into the menu before `before`; the library's file is
    // found when it is first needed, so that a test can point it elsewhere.
    LibraryCommands(QWidget& window, QMenu& fileMenu, QAction* before, Platform& platform,
                    LibraryHooks hooks,
                    std::function<std::filesystem::path()> path = library::DefaultLibraryPath);
    ~LibraryCommands() override;

    // The open Library window, if any.
    [[nodiscard]] LibraryWindow* Window() const { return window_; }

  public slots:
    void ShowLibrary();
    void AddCurrentChart();

  private:
    // The library, opened now if it was not; nothing after telling the user why.
    library::ChartLibrary* Library();

    QWidget& parent_;
    Platform& platform_;
    LibraryHooks hooks_;
    std::function<std::filesystem::path()> path_;
    std::unique_ptr<library::ChartLibrary> library_;
    QPointer<LibraryWindow> window_;
};

}  // namespace tavrinel
