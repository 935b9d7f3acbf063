#include "app/library/library_commands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <exception>

#include "app/startup.h"

namespace tavrinel {

LibraryCommands::LibraryCommands(QWidget& window, QMenu& fileMenu, QAction* before,
                                 Platform& platform, LibraryHooks hooks,
                                 std::function<std::filesystem::path()> path)
    : QObject(&window),
      parent_(window),
      platform_(platform),
      hooks_(std::move(hooks)),
      path_(std::move(path)) {
    auto* library = new QAction(QStringLiteral("&Library..."), &fileMenu);
    library->setObjectName(QStringLiteral("mnuLibrary"));
    library->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    auto* add = new QAction(QStringLiteral("&Add to Library"), &fileMenu);
    add->setObjectName(QStringLiteral("mnuAddToLibrary"));
    add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    for (QAction* action : {library, add}) {
        fileMenu.insertAction(before, action);
        // The keys work while the menu is closed.
        window.addAction(action);
    }
    fileMenu.insertSeparator(before)->setObjectName(QStringLiteral("mnuLibrarySep"));
    connect(library, &QAction::triggered, this, &LibraryCommands::ShowLibrary);
    connect(add, &QAction::triggered, this, &LibraryCommands::AddCurrentChart);
}

LibraryCommands::~LibraryCommands() {
    // The window works on the library: it goes first.
    delete window_.data();
}

library::ChartLibrary* LibraryCommands::Library() {
    if (!library_) {
        try {
            library_ = std::make_unique<library::ChartLibrary>(path_());
        } catch (const std::exception& error) {
            // The message names the file and what is wrong with it.
            QString text = QString::fromUtf8(error.what());
            if (!text.isEmpty()) {
                text[0] = text[0].toUpper();
            }
            platform_.Messages.Show(&parent_, QLatin1String(kMessageBoxTitle),
                                    text + QStringLiteral(". The rest of the program works on."),
                                    BoxIcon::Error, BoxButtons::Ok);
            return nullptr;
        }
    }
    return library_.get();
}

void LibraryCommands::ShowLibrary() {
    if (!window_) {
        library::ChartLibrary* library = Library();
        if (!library) {
            return;
        }
        window_ = new LibraryWindow(*library, platform_, hooks_, &parent_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void LibraryCommands::AddCurrentChart() {
    if (window_) {
        window_->AddCurrent();
        return;
    }
    library::ChartLibrary* library = Library();
    if (!library) {
        return;
    }
    const std::optional<BirthForm> form = hooks_.CurrentForm();
    if (!form) {
        return;
    }
    try {
        const bool added = library->Add(*form).has_value();
        platform_.Messages.Show(
            &parent_, QLatin1String(kMessageBoxTitle),
            (added ? QStringLiteral("The chart of %1 was added to the library.")
                   : QStringLiteral("The chart of %1 is in the library already."))
                .arg(QString::fromUtf8(form->Name.c_str())),
            BoxIcon::Information, BoxButtons::Ok);
    } catch (const std::exception& error) {
        platform_.Messages.Show(&parent_, QLatin1String(kMessageBoxTitle),
                                QString::fromUtf8(error.what()), BoxIcon::Error, BoxButtons::Ok);
    }
}

}  // namespace tavrinel
