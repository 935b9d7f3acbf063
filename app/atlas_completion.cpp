#include "app/atlas_completion.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "app/frm_main.h"
#include "app/twips.h"
#include "atlas/atlas.h"
#include "atlas/place_form.h"
#include "chart/time_zone_table.h"

namespace tavrinel {

namespace {

// Below the input panel, across its width: two lines of small text fit
// between the panel's frame and the window's edge.
constexpr QRect kLineRect = TwipsRect(143, 5370, 8790, 570);
const QColor kLineText(224, 224, 224);

template <typename T>
T* Control(QObject& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr const char* kZoneLineName = "lblZoneLine";

// The zone line is a notification to assistive technology: a screen reader
// speaks one as it is shown, so that the seven boxes a pick fills are not
// filled in silence. Its name is its text.
class ZoneLineAccessible final : public QAccessibleWidget {
public:
    explicit ZoneLineAccessible(QLabel* line) : QAccessibleWidget(line, QAccessible::Notification) {}
    [[nodiscard]] QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<const QLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ZoneLineRole(const QString& className, QObject* object) {
    if (className == QLatin1String("QLabel") && object->objectName() == QLatin1String(kZoneLineName)) {
        return new ZoneLineAccessible(static_cast<QLabel*>(object));
    }
    return nullptr;
}

}  // namespace

AtlasCompletion::AtlasCompletion(FrmMain& window)
    : QObject(&window),
      window_(window),
      client_(window.centralWidget()),
      panel_(Control<QWidget>(window, "Frame1")),
      city_(Control<QLineEdit>(window, "txtCity")),
      zone_(Control<QComboBox>(window, "cboTimeZone")),
      dst_(Control<QCheckBox>(window, "chkDST")) {
    setObjectName(QStringLiteral("atlasCompletion"));
    // Installed after the key filter, so it sees the keys first: it takes
    // only the list's own keys and leaves every character to the filter.
    city_->installEventFilter(this);
    panel_->installEventFilter(this);
    connect(city_, &QLineEdit::textEdited, this, &AtlasCompletion::OnCityEdited);
    connect(city_, &QLineEdit::textChanged, this, &AtlasCompletion::OnCityChanged);
    for (const char* name : {"cboDate", "cboMonth", "cboYear", "cboHour", "cboMinute"}) {
        connect(Control<QComboBox>(window, name), &QComboBox::currentIndexChanged, this,
                &AtlasCompletion::Recompute);
    }
    // Only the user's own changes: the atlas's choice does not count.
    connect(zone_, &QComboBox::activated, this, &AtlasCompletion::OnZoneChosenByHand);
    connect(dst_, &QCheckBox::clicked, this, &AtlasCompletion::OnZoneChosenByHand);
}

AtlasCompletion::~AtlasCompletion() {
    if (loading_.valid()) {
        loading_.wait();
    }
}

const atlas::Atlas& AtlasCompletion::Places() { return atlas::Atlas::Shared(); }

bool AtlasCompletion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_ && line_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        line_->setVisible(!panel_->isHidden() && !line_->text().isEmpty());
    }
    if (watched != city_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        // The atlas is read in the background while the user starts typing.
        if (!loading_.valid()) {
            loading_ = std::async(std::launch::async, [] { static_cast<void>(atlas::Atlas::Shared()); });
        }
        break;
    case QEvent::FocusOut:
        HideSuggestions();
        break;
    case QEvent::KeyPress:
        return HandleListKey(static_cast<QKeyEvent*>(event)->key());
    default:
        break;
    }
    return false;
}

bool AtlasCompletion::HandleListKey(int key) {
    if (!list_ || list_->isHidden()) {
        return false;
    }
    const int rows = list_->count();
    switch (key) {
    // No place is current while the list opens, as in a completer's popup:
    // Down comes to the first, Up to the last.
    case Qt::Key_Down:
        list_->setCurrentRow((list_->currentRow() + 1) % rows);
        return true;
    case Qt::Key_Up:
        list_->setCurrentRow(list_->currentRow() < 0 ? rows - 1
                                                     : (list_->currentRow() + rows - 1) % rows);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Pick(std::max(0, list_->currentRow()));
        return true;
    case Qt::Key_Escape:
        HideSuggestions();
        return true;
    default:
        return false;
    }
}

void AtlasCompletion::OnCityEdited(const QString& text) {
    offered_ = Places().Complete(text.toStdString(), kMostSuggestions);
    if (offered_.empty()) {
        HideSuggestions();
        return;
    }
    if (!list_) {
        list_ = new QListWidget(client_);
        list_->setObjectName(QStringLiteral("lstPlaces"));
        list_->setAccessibleName(QStringLiteral("Places"));
        list_->setAccessibleDescription(
            QStringLiteral("Places from the atlas whose names begin with the city typed; "
                           "arrow keys choose, Enter picks"));
        list_->setFocusPolicy(Qt::NoFocus);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(list_, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { Pick(list_->row(item)); });
    }
    list_->clear();
    for (const atlas::Place* place : offered_) {
        list_->addItem(FromUtf8(Places().CandidateText(*place)));
    }
    list_->setCurrentRow(-1);
    // Under the city box, moved left as far as the longest name needs.
    constexpr int kMargin = 4;
    const QPoint below = city_->mapTo(client_, QPoint(0, city_->height()));
    const int frame = 2 * list_->frameWidth();
    const int width = std::min(client_->width() - 2 * kMargin,
                               std::max(city_->width(), list_->sizeHintForColumn(0) + frame + kMargin));
    const int left = std::max(kMargin, std::min(below.x(), client_->width() - kMargin - width));
    list_->setGeometry(left, below.y(), width, list_->sizeHintForRow(0) * list_->count() + frame);
    list_->show();
    list_->raise();
}

void AtlasCompletion::HideSuggestions() {
    if (list_) {
        list_->hide();
    }
}

QStringList AtlasCompletion::Suggestions() const {
    QStringList names;
    if (list_ && !list_->isHidden()) {
        for (int row = 0; row < list_->count(); ++row) {
            names << list_->item(row)->text();
        }
    }
    return names;
}

void AtlasCompletion::Pick(int row) {
    if (row < 0 || row >= static_cast<int>(offered_.size())) {
        return;
    }
    const atlas::Place& place = *offered_[static_cast<std::size_t>(row)];
    HideSuggestions();
    BirthForm form = window_.ReadForm();
    atlas::FillPlace(place, form);
    // Set before the box changes, so the change is not taken for the user
    // leaving the place.
    pickedCityText_ = QString::fromStdString(form.City);
    picked_ = &place;
    zoneByHand_ = false;
    window_.WriteForm(form);
    for (const char* name : {"txtCity", "txtState", "txtCountry"}) {
        Control<QLineEdit>(window_, name)->setCursorPosition(0);  // show a long name's start
    }
    Recompute();
}

void AtlasCompletion::OnCityChanged(const QString& text) {
    if (picked_ && text != pickedCityText_) {
        DropPlace();
    }
}

void AtlasCompletion::DropPlace() {
    // An exact offset was the place's; nothing unseen may stay in the form.
    if (picked_) {
        window_.SetExactOffset(std::nullopt);
    }
    picked_ = nullptr;
    zoneByHand_ = false;
    decision_.reset();
    ShowLine(QString());
}

void AtlasCompletion::OnZoneChosenByHand() {
    // A zone chosen by hand is the user's, whatever offset came before it.
    window_.SetExactOffset(std::nullopt);
    if (!picked_) {
        RefreshLine();
        return;
    }
    zoneByHand_ = true;
    Recompute();
}

void AtlasCompletion::Recompute() {
    if (!picked_) {
        return;
    }
    const atlas::LocalDateTime when = atlas::LocalTimeOf(window_.ReadForm());
    decision_ = atlas::DecideZone(picked_->Name, picked_->Zone, when);
    if (!zoneByHand_) {
        std::optional<int> exact;
        if (decision_->ZoneIndex >= 0) {
            zone_->setCurrentIndex(decision_->ZoneIndex);
            dst_->setChecked(decision_->DaylightSaving);
        } else if (decision_->Outcome == atlas::ZoneOutcome::NoEntry) {
            // The list shows the nearest entry, which a reading file's zone
            // line keeps for readers that know only the list.
            exact = decision_->InForce.Offset.TotalSeconds;
            zone_->setCurrentIndex(NearestZoneEntry(*exact));
            dst_->setChecked(false);
        }
        window_.SetExactOffset(exact);
    }
    RefreshLine();
}

void AtlasCompletion::RefreshLine() {
    const atlas::PreciseSkyUse precise{window_.Sky().Engine == SkyEngine::Precise, "Sky menu"};
    if (picked_ && decision_) {
        std::string line = atlas::ZoneLine(*decision_, zone_->currentIndex(), dst_->isChecked(),
                                           zoneByHand_, atlas::LongitudeOf(*picked_), precise);
        constexpr std::size_t kMostNamed = 3;
        const std::vector<const atlas::Place*> others = Places().OthersNamedAs(*picked_);
        if (!others.empty()) {
            line += "; the name " + picked_->Name + " also means " +
                    atlas::PlaceList(others, kMostNamed);
        }
        ShowLine(FromUtf8(line));
        return;
    }
    const std::optional<int> exact = window_.ReadForm().UtcOffsetSeconds;
    if (!exact) {
        ShowLine(QString());
        return;
    }
    ShowLine(FromUtf8("The reading opened was cast at " + atlas::UtcOffsetText(*exact) +
                      ", which no list entry has; " + atlas::ExactOffsetClause(*exact, precise) +
                      (precise.InUse ? "" : ", or choose the zone yourself")));
}

void AtlasCompletion::ShowLine(const QString& text) {
    if (!line_) {
        if (text.isEmpty()) {
            return;
        }
        static const bool roleInstalled = [] {
            QAccessible::installFactory(&ZoneLineRole);
            return true;
        }();
        static_cast<void>(roleInstalled);
        line_ = new QLabel(client_);
        line_->setObjectName(QLatin1String(kZoneLineName));
        // Its text is what a screen reader must say, so the line is only
        // described.
        line_->setAccessibleDescription(QStringLiteral("Time zone chosen"));
        line_->setGeometry(kLineRect);
        line_->setWordWrap(true);
        line_->setTextFormat(Qt::PlainText);
        line_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = line_->palette();
        palette.setColor(QPalette::WindowText, kLineText);
        line_->setPalette(palette);
        QFont font = line_->font();
        font.setPixelSize(std::max(9, font.pixelSize() - 1));
        line_->setFont(font);
    }
    const bool changed = text != line_->text();
    line_->setText(text);
    line_->setToolTip(text);
    const bool visible = !text.isEmpty() && !panel_->isHidden();
    // A notification is spoken as it appears: a new text appears anew.
    if (changed && visible && line_->isVisible()) {
        line_->hide();
    }
    line_->setVisible(visible);
}

QString AtlasCompletion::ZoneLineText() const { return line_ ? line_->text() : QString(); }

}  // namespace tavrinel
