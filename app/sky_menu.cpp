#include "app/sky_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "platform/platform.h"

namespace tavrinel {

namespace {

QString Key(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

std::string Stored(SettingsStore& settings, const char* key) {
    return settings.Get(QLatin1String(kSkySettingsSection), QLatin1String(key)).toStdString();
}

// A stored value this program does not know (edited by hand, or from a later
// version) gives the default rather than a guess.
SkyChoice ReadChoice(SettingsStore& settings) {
    SkyChoice choice;
    choice.Engine = ParseSkyEngine(Stored(settings, kSkySettingKey)).value_or(choice.Engine);
    choice.Precise.Zodiac =
        ParseAyanamsa(Stored(settings, kAyanamsaSettingKey)).value_or(choice.Precise.Zodiac);
    choice.Precise.Node = ParseNode(Stored(settings, kNodeSettingKey)).value_or(choice.Precise.Node);
    return choice;
}

QAction* AddChoice(QMenu* menu, QActionGroup* group, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    group->addAction(action);
    return action;
}

}  // namespace

SkyMenu::SkyMenu(QMenuBar& bar, SettingsStore& settings)
    : QObject(&bar), settings_(settings), choice_(ReadChoice(settings)) {
    menu_ = bar.addMenu(QStringLiteral("S&ky"));
    menu_->setObjectName(QStringLiteral("mnuSky"));

    auto* engines = new QActionGroup(menu_);
    documented_ = AddChoice(menu_, engines, "mnuSkyDocumented", QStringLiteral("As &documented (v1.15)"));
    precise_ = AddChoice(menu_, engines, "mnuSkyPrecise", QStringLiteral("&Precise (Swiss Ephemeris)"));
    menu_->addSection(QStringLiteral("Ayanamsa"));
    auto* zodiacs = new QActionGroup(menu_);
    lahiri_ = AddChoice(menu_, zodiacs, "mnuAyanamsaLahiri", QStringLiteral("&Lahiri (Chitrapaksha)"));
    raman_ = AddChoice(menu_, zodiacs, "mnuAyanamsaRaman", QStringLiteral("&Raman"));
    krishnamurti_ = AddChoice(menu_, zodiacs, "mnuAyanamsaKrishnamurti", QStringLiteral("&Krishnamurti"));
    menu_->addSection(QStringLiteral("Rahu and Ketu"));
    auto* nodes = new QActionGroup(menu_);
    meanNode_ = AddChoice(menu_, nodes, "mnuNodeMean", QStringLiteral("&Mean node"));
    trueNode_ = AddChoice(menu_, nodes, "mnuNodeTrue", QStringLiteral("&True node"));
    Check();

    const auto on = [this](QAction* action, auto change) {
        connect(action, &QAction::triggered, this, [this, change] {
            SkyChoice next = choice_;
            change(next);
            Pick(next);
        });
    };
    on(documented_, [](SkyChoice& c) { c.Engine = SkyEngine::Documented; });
    on(precise_, [](SkyChoice& c) { c.Engine = SkyEngine::Precise; });
    on(lahiri_, [](SkyChoice& c) { c.Precise.Zodiac = Ayanamsa::Lahiri; });
    on(raman_, [](SkyChoice& c) { c.Precise.Zodiac = Ayanamsa::Raman; });
    on(krishnamurti_, [](SkyChoice& c) { c.Precise.Zodiac = Ayanamsa::Krishnamurti; });
    on(meanNode_, [](SkyChoice& c) { c.Precise.Node = NodeKind::Mean; });
    on(trueNode_, [](SkyChoice& c) { c.Precise.Node = NodeKind::True; });
}

void SkyMenu::Check() {
    (choice_.Engine == SkyEngine::Precise ? precise_ : documented_)->setChecked(true);
    switch (choice_.Precise.Zodiac) {
    case Ayanamsa::Lahiri:
        lahiri_->setChecked(true);
        break;
    case Ayanamsa::Raman:
        raman_->setChecked(true);
        break;
    case Ayanamsa::Krishnamurti:
        krishnamurti_->setChecked(true);
        break;
    }
    (choice_.Precise.Node == NodeKind::True ? trueNode_ : meanNode_)->setChecked(true);
}

void SkyMenu::Pick(const SkyChoice& choice) {
    const QString section = QLatin1String(kSkySettingsSection);
    settings_.Set(section, QLatin1String(kSkySettingKey), Key(SkyEngineKey(choice.Engine)));
    settings_.Set(section, QLatin1String(kAyanamsaSettingKey), Key(AyanamsaKey(choice.Precise.Zodiac)));
    settings_.Set(section, QLatin1String(kNodeSettingKey), Key(NodeKey(choice.Precise.Node)));
    const bool changed = choice.Engine != choice_.Engine ||
                         choice.Precise.Zodiac != choice_.Precise.Zodiac ||
                         choice.Precise.Node != choice_.Precise.Node;
    choice_ = choice;
    Check();
    if (changed) {
        emit Changed();
    }
}

}  // namespace tavrinel
