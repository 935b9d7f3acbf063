// The atlas on the input panel: places offered while the city is typed, and
// picking one fills the place, its coordinates and the zone in force at the
// birth, with a line below the panel saying what was chosen and why.
//
// Nothing of it exists until the city box is first used, so the window
// starts as fast and as small as it did without it.
#pragma once

#include <QObject>
#include <QStringList>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "atlas/zone_choice.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace tavrinel {

namespace atlas {
struct Place;
class Atlas;
}  // namespace atlas

class FrmMain;

class AtlasCompletion final : public QObject {
    Q_OBJECT

public:
    static constexpr int kMostSuggestions = 8;

    // Wires itself to the window's input panel; the window owns it.
    explicit AtlasCompletion(FrmMain& window);
    ~AtlasCompletion() override;

    // The places offered for the city as typed ("Pune, Maharashtra, India"),
    // each as --place takes it.
    [[nodiscard]] QStringList Suggestions() const;
    // Picks an offered place, as a click or Enter on it does.
    void Pick(int row);
    // The line below the panel; empty while no place is picked.
    [[nodiscard]] QString ZoneLineText() const;
    // Forgets the picked place: the zone is the user's again, and the line
    // goes. A reading file opened over a pick brings its own zone, which the
    // atlas must not describe or overwrite, even for a city of the same name.
    void DropPlace();
    // Says again what the sky in use makes of the zone: of the picked place,
    // or of an exact offset a reading file brought.
    void RefreshLine();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const atlas::Atlas& Places();
    void OnCityEdited(const QString& text);
    void OnCityChanged(const QString& text);
    void OnZoneChosenByHand();
    void Recompute();
    void ShowLine(const QString& text);
    void HideSuggestions();
    bool HandleListKey(int key);

    FrmMain& window_;
    QWidget* client_;
    QWidget* panel_;
    QLineEdit* city_;
    QComboBox* zone_;
    QCheckBox* dst_;
    QListWidget* list_ = nullptr;  // made on first use
    QLabel* line_ = nullptr;       // made on first pick
    std::future<void> loading_;
    std::vector<const atlas::Place*> offered_;
    const atlas::Place* picked_ = nullptr;
    QString pickedCityText_;
    bool zoneByHand_ = false;
    std::optional<atlas::ZoneDecision> decision_;
};

}  // namespace tavrinel
