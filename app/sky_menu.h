// The Sky menu: which positions the reading is made from, and the ayanamsa
// and node of the precise sky (which the sky check uses too). The choice is a
// setting of the user, kept in the settings store, never part of a chart.
#pragma once

#include <QObject>

#include "calculation/sky_choice.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace tavrinel {

class SettingsStore;

class SkyMenu final : public QObject {
    Q_OBJECT

public:
    // Adds the menu at the end of the bar and checks the stored choice.
    SkyMenu(QMenuBar& bar, SettingsStore& settings);

    [[nodiscard]] SkyChoice Choice() const { return choice_; }

signals:
    void Changed();

private:
    void Pick(const SkyChoice& choice);
    void Check();

    SettingsStore& settings_;
    SkyChoice choice_;
    QMenu* menu_ = nullptr;
    QAction* documented_ = nullptr;
    QAction* precise_ = nullptr;
    QAction* lahiri_ = nullptr;
    QAction* raman_ = nullptr;
    QAction* krishnamurti_ = nullptr;
    QAction* meanNode_ = nullptr;
    QAction* trueNode_ = nullptr;
};

// Where the choice is kept: section and keys of the settings store.
inline constexpr const char* kSkySettingsSection = "Sky";
inline constexpr const char* kSkySettingKey = "Sky";
inline constexpr const char* kAyanamsaSettingKey = "Ayanamsa";
inline constexpr const char* kNodeSettingKey = "Node";

}  // namespace tavrinel
