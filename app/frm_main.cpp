#include "app/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <algorithm>
#include <filesystem>
#include <type_traits>

#include "app/accessible_names.h"
#include "app/atlas_completion.h"
#include "app/chart_commands.h"
#include "app/colour_button.h"
#include "app/focus_keys.h"
#include "app/key_filter.h"
#include "app/library/library_commands.h"
#include "app/list_rows.h"
#include "app/panel_frame.h"
#include "app/rtb_sink.h"
#include "app/sky_check_view.h"
#include "app/sky_menu.h"
#include "app/startup.h"
#include "app/twips.h"
#include "app/window_font.h"
#include "chart/reading_file.h"
#include "chart/reading_file_check.h"
#include "help/about_window.h"
#include "help/program_icon.h"
#include "help/web_links.h"
#include "help/web_search.h"
#include "calculation/calculation.h"
#include "chart/time_zone_table.h"

namespace tavrinel {

namespace {

constexpr int kClientWidthTwips = 9060;
constexpr int kClientHeightTwips = 5955;

const QColor kBackground(192, 31, 120);
const QColor kFrameCaption(255, 255, 255);
const QColor kCaptionText(224, 224, 224);
const QColor kCalculateButton(255, 199, 6);
constexpr int kTimeZoneRowsShown = 15;

// Qt's form of the one file type "Tavrinel (*.tvl)|*.tvl".
constexpr const char* kReadingFileFilter = "Tavrinel (*.tvl)";
constexpr const char* kOpenDialogTitle = "Select the source file";
constexpr const char* kLocationSearchSuffix = " Latitude Longitude";

template <typename Widget, typename Parent>
Widget* Place(Parent* parent, const char* name, QRect rect) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, QRect rect) {
    auto* label = Place<QLabel>(parent, name, rect);
    label->setText(QLatin1String(text));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, QRect rect, std::size_t maxLength = 0) {
    auto* box = Place<QLineEdit>(parent, name, rect);
    if (maxLength > 0) {
        box->setMaxLength(static_cast<int>(maxLength));
    }
    return box;
}

template <typename Button>
Button* MakeButton(QWidget* parent, const char* name, const char* text, QRect rect) {
    auto* button = Place<Button>(parent, name, rect);
    button->setText(QLatin1String(text));
    if constexpr (std::is_base_of_v<QPushButton, Button>) {
        button->setAutoDefault(false);
    }
    return button;
}

// All of a widget's colours in one change: each change goes on to every
// control inside it.
void SetColours(QWidget* widget,
                std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours) {
    QPalette palette = widget->palette();
    for (const auto& [role, colour] : colours) {
        palette.setColor(role, colour);
    }
    widget->setPalette(palette);
}

// The panels' background, given as each panel is made: a colour given to a
// panel afterwards would go on to every control already inside it.
void ColourPanel(QWidget* panel) {
    SetColours(panel, {{QPalette::Window, kBackground}});
    panel->setAutoFillBackground(true);
}

void ColourFrame(QGroupBox* frame) {
    SetColours(frame, {{QPalette::Window, kBackground}, {QPalette::WindowText, kFrameCaption}});
    frame->setAutoFillBackground(true);
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

FileDialogRequest ReadingFileRequest(const char* title, const QString& proposedPath) {
    return {QLatin1String(title), QLatin1String(kReadingFileFilter),
            QString::fromLatin1(kReadingFileExtension.data(),
                                static_cast<qsizetype>(kReadingFileExtension.size())),
            proposedPath};
}

// A degree or minute box cuts whatever is set into it to its three
// characters, which would turn "1234" from a file into a different number,
// 123. The box is widened for such a text so that it stays whole and the
// form check refuses it.
void SetNumberBoxText(QLineEdit* box, const QString& text) {
    box->setMaxLength(std::max(static_cast<int>(kMaxDigits), static_cast<int>(text.size())));
    box->setText(text);
}

// Narrows a widened box again as the user shortens its text, so that typing
// never makes it longer than it is and, once short enough, not longer than
// three characters.
void NarrowNumberBox(QLineEdit* box) {
    const int length = static_cast<int>(box->text().size());
    if (box->maxLength() <= static_cast<int>(kMaxDigits) || length >= box->maxLength()) {
        return;
    }
    // Setting the length puts the cursor at the end; the user is typing
    // wherever it was.
    const int cursor = box->cursorPosition();
    box->setMaxLength(std::max(static_cast<int>(kMaxDigits), length));
    box->setCursorPosition(cursor);
}

}  // namespace

FrmMain::FrmMain(ChartState& chart, Platform& platform, QWidget* parent)
    : QMainWindow(parent), chart_(chart), platform_(platform) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(kWindowCaption));
    // The controls take the window's font as they are made; setting it
    // afterwards would send every control, and every list with its popup,
    // a font change.
    fontFamily_ = PickWindowFontFamily();
    setFont(WindowFont(fontFamily_, kDesignPixelSize, false));
    setWindowIcon(ProgramIcon());

    CreateControls();
    CreateMenus();
    TabToSelectedOption({optLong[0], optLong[1]});
    TabToSelectedOption({optLat[0], optLat[1]});
    for (QPushButton* button : {cmdOpen, static_cast<QPushButton*>(Command1),
                                static_cast<QPushButton*>(cmdCalculate), cmdSave, cmdBack}) {
        PressOnReturn(*button);
    }
    ApplyColours();
    InstallKeyFilters();
    DescribeControls(*this);
    sink_ = std::make_unique<RtbSink>(*RTB, [this] { BringReadingPanelToFront(); });

    FormLoad();
    atlas_ = new AtlasCompletion(*this);
    // The lists are filled now, so the fonts can be fitted to their entries.
    FitFonts();
    charts_ =
        new ChartCommands(*this, *mnuFile, mnuExit, *Frame2, cmdSave->font(), chart_, *skyCheck_,
                          platform_);
    library_ = new LibraryCommands(
        *this, *mnuFile, mnuExit, platform_,
        {[this]() -> std::optional<BirthForm> {
             if (!ValidateInput()) {
                 return std::nullopt;
             }
             return ReadForm();
         },
         [this](const BirthForm& form) {
             OpenForm(form);
             raise();
             activateWindow();
         }});
    SetTabOrder();
    PlaceWindow();
}

FrmMain::~FrmMain() = default;

void FrmMain::CreateControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    ColourPanel(client);
    setCentralWidget(client);

    lblLabel[11] = MakeLabel(client, "lblLabel11",
                             "Are your planets present in compatible signs? Or do they negate the "
                             "attributes of the sign they are present in? The placements effect the "
                             "expression of the characteristics reflected by the planet.",
                             TwipsRect(323, 600, 8415, 600));
    lblLabel[12] = MakeLabel(client, "lblLabel12",
                             "Know more about the placements of the planets in Tavrinel.",
                             TwipsRect(2003, 1245, 5055, 360));
    for (QLabel* centred : {lblLabel[11], lblLabel[12]}) {
        centred->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        centred->setWordWrap(true);
    }

    Frame1 = Place<PanelFrame>(client, "Frame1", TwipsRect(23, 1725, 9015, 3615));
    Frame1->setTitle(QStringLiteral("Personal Details"));
    Frame2 = Place<PanelFrame>(client, "Frame2", TwipsRect(23, 1725, 9015, 3615));
    Frame2->setTitle(QStringLiteral("Tavrinel"));
    ColourFrame(Frame1);
    ColourFrame(Frame2);

    // --- Input panel ----------------------------------------------------
    QWidget* f1 = Frame1;
    cmdOpen = MakeButton<QPushButton>(f1, "cmdOpen", "&Open Previously Saved Reading",
                                      TwipsRect(120, 480, 4000, 735));
    lblLabel[3] = MakeLabel(f1, "lblLabel3", "Latitude", TwipsRect(4680, 630, 675, 195));
    txtLatDeg = MakeTextBox(f1, "txtLatDeg", TwipsRect(5820, 585, 555, 300), kMaxDigits);
    Frame3 = Place<PanelFrame>(f1, "Frame3", TwipsRect(6480, 480, 850, 500));
    ColourPanel(Frame3);
    optLat[0] = MakeButton<QRadioButton>(Frame3, "optLat0", "North", TwipsRect(30, 30, 800, 200));
    optLat[1] = MakeButton<QRadioButton>(Frame3, "optLat1", "South", TwipsRect(30, 250, 800, 200));
    txtLatMin = MakeTextBox(f1, "txtLatMin", TwipsRect(7440, 585, 525, 300), kMaxDigits);
    lblLabel[5] = MakeLabel(f1, "lblLabel5", "DEG/MIN", TwipsRect(8085, 630, 780, 195));
    lblLabel[4] = MakeLabel(f1, "lblLabel4", "Longitude", TwipsRect(4680, 1290, 825, 195));
    txtLonDeg = MakeTextBox(f1, "txtLonDeg", TwipsRect(5820, 1230, 555, 300), kMaxDigits);
    Frame4 = Place<PanelFrame>(f1, "Frame4", TwipsRect(6480, 1125, 850, 500));
    ColourPanel(Frame4);
    optLong[0] = MakeButton<QRadioButton>(Frame4, "optLong0", "East", TwipsRect(30, 30, 800, 200));
    optLong[1] = MakeButton<QRadioButton>(Frame4, "optLong1", "West", TwipsRect(30, 250, 800, 200));
    txtLonMin = MakeTextBox(f1, "txtLonMin", TwipsRect(7440, 1230, 525, 300), kMaxDigits);
    lblLabel[6] = MakeLabel(f1, "lblLabel6", "DEG/MIN", TwipsRect(8085, 1290, 780, 195));
    lblLabel[0] = MakeLabel(f1, "lblLabel0", "Name", TwipsRect(120, 1470, 495, 195));
    txtName = MakeTextBox(f1, "txtName", TwipsRect(1260, 1410, 2800, 300));
    lblLabel[7] = MakeLabel(f1, "lblLabel7", "City", TwipsRect(4680, 1770, 345, 195));
    txtCity = MakeTextBox(f1, "txtCity", TwipsRect(5820, 1740, 1845, 285));
    Command1 = MakeButton<ColourButton>(f1, "Command1",
                                          "Click here to find Latitude && Longitude",
                                          TwipsRect(7770, 1755, 1095, 945));
    lblLabel[1] = MakeLabel(f1, "lblLabel1", "Date of Birth", TwipsRect(120, 1905, 1095, 195));
    cboMonth = Place<QComboBox>(f1, "cboMonth", TwipsRect(1260, 1845, 1455, 315));
    cboDate = Place<QComboBox>(f1, "cboDate", TwipsRect(2760, 1845, 615, 315));
    cboYear = Place<QComboBox>(f1, "cboYear", TwipsRect(3420, 1845, 885, 315));
    lblLabel[8] = MakeLabel(f1, "lblLabel8", "State", TwipsRect(4680, 2100, 450, 195));
    txtState = MakeTextBox(f1, "txtState", TwipsRect(5820, 2085, 1845, 285));
    lblLabel[2] = MakeLabel(f1, "lblLabel2", "Time of Birth", TwipsRect(120, 2355, 1110, 195));
    cboHour = Place<QComboBox>(f1, "cboHour", TwipsRect(1260, 2295, 615, 315));
    cboMinute = Place<QComboBox>(f1, "cboMinute", TwipsRect(1905, 2295, 570, 315));
    Label16 = MakeLabel(f1, "Label16", "HH/MM", TwipsRect(2685, 2370, 585, 195));
    lblLabel[9] = MakeLabel(f1, "lblLabel9", "Country", TwipsRect(4680, 2460, 690, 195));
    txtCountry = MakeTextBox(f1, "txtCountry", TwipsRect(5820, 2430, 1845, 285));
    lblLabel[10] = MakeLabel(f1, "lblLabel10", "Time Zone", TwipsRect(120, 2760, 915, 195));
    chkDST = MakeButton<QCheckBox>(f1, "chkDST", "Daylight Saving Time",
                                   TwipsRect(2040, 2760, 2415, 200));
    // Open, the 71 zones would fill the screen's height.
    cboTimeZone = Place<ScrollingList>(f1, "cboTimeZone", TwipsRect(120, 3090, 4335, 315));
    cboTimeZone->setMaxVisibleItems(kTimeZoneRowsShown);
    cmdCalculate = MakeButton<ColourButton>(f1, "cmdCalculate", "&Get My Tavrinel Reading",
                                           TwipsRect(4800, 2880, 4065, 525));

    optLat[0]->setChecked(true);
    optLong[0]->setChecked(true);

    // --- Reading panel --------------------------------------------------
    RTB = Place<QTextEdit>(Frame2, "RTB", TwipsRect(120, 360, 8775, 2655));
    RTB->setReadOnly(true);
    RTB->setUndoRedoEnabled(false);
    RTB->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RTB->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cmdSave = MakeButton<QPushButton>(Frame2, "cmdSave", "&Save", TwipsRect(6840, 3120, 1000, 400));
    cmdBack = MakeButton<QPushButton>(Frame2, "cmdBack", "&Back", TwipsRect(7895, 3120, 1000, 400));

    // Right of the Chart button, in the strip left of Save.
    skyPanel_ = new SkyPanel(Frame2, TwipsRect(1200, 3030, 5580, 570), cmdSave->geometry(),
                             fontFamily_);
    skyCheck_ = std::make_unique<SkyCheck>();

    connect(cmdCalculate, &QPushButton::clicked, this, &FrmMain::Calculate);
    connect(cmdBack, &QPushButton::clicked, this, &FrmMain::OnBack);
    connect(cmdSave, &QPushButton::clicked, this, &FrmMain::OnSave);
    connect(cmdOpen, &QPushButton::clicked, this, &FrmMain::OnOpen);
    connect(Command1, &QPushButton::clicked, this, &FrmMain::OnCommand1);
}

void FrmMain::CreateMenus() {
    // Access keys only: none of the entries has a shortcut key.
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuCalculate = mnuFile->addAction(QStringLiteral("Get My &Rasi Chart"));
    mnuFileSep = mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("&Exit"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuOnline = mnuHelp->addAction(QStringLiteral("&Online Help"));
    mnuVisit = mnuHelp->addAction(QStringLiteral("&Visit Us Online"));
    mnuHelpSep1 = mnuHelp->addSeparator();
    mnuUpdate = mnuHelp->addAction(QStringLiteral("Check for Software &Update"));
    mnuHelpSep2 = mnuHelp->addSeparator();
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About Software"));

    const std::pair<QAction*, const char*> names[] = {
        {mnuCalculate, "mnuCalculate"}, {mnuFileSep, "mnuFileSep"}, {mnuExit, "mnuExit"},
        {mnuOnline, "mnuOnline"},       {mnuVisit, "mnuVisit"},     {mnuHelpSep1, "mnuHelpSep1"},
        {mnuUpdate, "mnuUpdate"},       {mnuHelpSep2, "mnuHelpSep2"}, {mnuAbout, "mnuAbout"},
    };
    for (const auto& [action, name] : names) {
        action->setObjectName(QLatin1String(name));
    }

    connect(mnuCalculate, &QAction::triggered, this, &FrmMain::Calculate);
    connect(mnuExit, &QAction::triggered, this, &FrmMain::close);
    connect(mnuOnline, &QAction::triggered, this, &FrmMain::OnOnlineHelp);
    connect(mnuVisit, &QAction::triggered, this, &FrmMain::OnVisit);
    connect(mnuUpdate, &QAction::triggered, this, &FrmMain::OnUpdate);
    connect(mnuAbout, &QAction::triggered, this, &FrmMain::OnAbout);

    skyMenu_ = new SkyMenu(*menuBar(), platform_.Settings);
    connect(skyMenu_, &SkyMenu::Changed, this, [this] {
        // The atlas's line says what the sky makes of an exact offset.
        if (atlas_) {
            atlas_->RefreshLine();
        }
        if (!Frame2->isHidden()) {
            Calculate();
        }
    });
}

void FrmMain::SetTabOrder() {
    // By the design's tab indices: 0-14 the entry fields and Calculate, then
    // Open, the check box, the option pairs, the location button, and on the
    // reading panel Save, Back and the reading. The two buttons added to the
    // panel's row come before Save, in the row's order.
    QWidget* const order[] = {
        txtName,   cboDate,    cboMonth,   cboYear,   cboHour,      cboMinute,
        cboTimeZone, txtLatDeg, txtLatMin, txtLonDeg, txtLonMin,   txtCity,
        txtState,  txtCountry, cmdCalculate, cmdOpen, chkDST,       optLong[1],
        optLong[0], optLat[1], optLat[0],  Command1,  charts_->Button(),
        skyPanel_->CompareButton(), cmdSave, cmdBack, RTB,
    };
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void FrmMain::ApplyColours() {
    // The panels have theirs from CreateControls.
    for (QLabel* label : lblLabel) {
        SetColours(label, {{QPalette::WindowText, kCaptionText}});
    }
    SetColours(Label16, {{QPalette::WindowText, kCaptionText}});
    for (QAbstractButton* option : {static_cast<QAbstractButton*>(optLat[0]),
                                    static_cast<QAbstractButton*>(optLat[1]),
                                    static_cast<QAbstractButton*>(optLong[0]),
                                    static_cast<QAbstractButton*>(optLong[1]),
                                    static_cast<QAbstractButton*>(chkDST)}) {
        SetColours(option, {{QPalette::WindowText, kCaptionText}});
    }
    SetColours(Command1, {{QPalette::Button, kBackground}, {QPalette::ButtonText, kCaptionText}});
    SetColours(cmdCalculate,
               {{QPalette::Button, kCalculateButton}, {QPalette::ButtonText, Qt::black}});
    // The reading box keeps the ordinary colours for its scroll bar, whose
    // arrows the style draws in the text colours: the panel's light caption
    // colour would make them vanish. The reading's runs bring their own
    // colours.
    const QPalette ordinary = QApplication::palette();
    SetColours(RTB, {{QPalette::Window, ordinary.color(QPalette::Window)},
                     {QPalette::WindowText, ordinary.color(QPalette::WindowText)},
                     {QPalette::Button, ordinary.color(QPalette::Button)},
                     {QPalette::ButtonText, ordinary.color(QPalette::ButtonText)},
                     {QPalette::Text, ordinary.color(QPalette::Text)}});
}

void FrmMain::FitFonts() {
    std::vector<const QWidget*> frames = {Frame1, Frame2};
    // The short labels are the tightest fits: measured first, a size that
    // is too large is given up after a few of them.
    std::vector<QWidget*> captioned(lblLabel.begin(), lblLabel.end());
    captioned.insert(captioned.end(), {Label16, cmdOpen, optLat[0], optLat[1], optLong[0],
                                       optLong[1], Command1, chkDST, cmdCalculate, cmdSave,
                                       cmdBack});
    std::vector<const QWidget*> captionChecks(captioned.begin(), captioned.end());
    captionChecks.insert(captionChecks.end(), frames.begin(), frames.end());
    // The families the layout was measured with have their sizes in a table
    // (the layout tests hold every caption to it); any other family is
    // measured here, which costs a noticeable part of the start-up.
    const std::optional<int> measured = MeasuredCaptionPixelSize(fontFamily_);
    const int captionSize =
        measured ? *measured
                 : FittingPixelSize(captionChecks, fontFamily_, true, kDesignPixelSize);
    const QFont caption = WindowFont(fontFamily_, captionSize, true);
    for (QWidget* widget : captioned) {
        widget->setFont(caption);
    }
    Frame1->SetCaptionFont(caption);
    Frame2->SetCaptionFont(caption);

    // The lists of numbers hold at most four digits and have room for them
    // in any font; the names of months and zones are what could be cut.
    if (!measured) {
        const std::vector<const QWidget*> textChecks = {cboMonth, cboTimeZone};
        const int textSize = FittingPixelSize(textChecks, fontFamily_, false);
        if (textSize != kDesignPixelSize) {
            setFont(WindowFont(fontFamily_, textSize, false));
        }
    }
}

void FrmMain::PlaceWindow() {
    setFixedSize(sizeHint());
    if (const QScreen* screen = this->screen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void FrmMain::InstallKeyFilters() {
    for (QLineEdit* box : {txtName, txtCity, txtState, txtCountry}) {
        new KeyFilter(*box, FilterFamily::Letters, platform_.Messages);
    }
    for (QLineEdit* box : {txtLatDeg, txtLatMin, txtLonDeg, txtLonMin}) {
        new KeyFilter(*box, FilterFamily::Numbers, platform_.Messages);
        connect(box, &QLineEdit::textEdited, this, [box] { NarrowNumberBox(box); });
    }
}

namespace {

QStringList NumberEntries(int first, int last) {
    QStringList entries;
    entries.reserve(last - first + 1);
    for (int n = first; n <= last; ++n) {
        entries << QString::number(n);
    }
    return entries;
}

}  // namespace

void FrmMain::FormLoad() {
    cboDate->addItems(NumberEntries(1, kDayCount));
    QStringList months;
    for (std::string_view month : kMonthNames) {
        months << FromView(month);
    }
    cboMonth->addItems(months);
    cboYear->addItems(NumberEntries(kFirstYear, kLastYear));
    cboHour->addItems(NumberEntries(0, kHourCount - 1));
    cboMinute->addItems(NumberEntries(0, kMinuteCount - 1));
    LoadTimeZoneTables(chart_);
    QStringList zones;
    for (const std::string& zone : chart_.TimeZoneNames) {
        zones << QString::fromStdString(zone);
    }
    cboTimeZone->addItems(zones);
    for (QComboBox* list : {cboDate, cboMonth, cboYear, cboHour, cboMinute, cboTimeZone}) {
        list->setCurrentIndex(0);
    }
    BringInputPanelToFront();
}

BirthForm FrmMain::ReadForm() const {
    BirthForm form;
    form.Name = txtName->text().toStdString();
    form.LatDeg = txtLatDeg->text().toStdString();
    form.LatMin = txtLatMin->text().toStdString();
    form.LonDeg = txtLonDeg->text().toStdString();
    form.LonMin = txtLonMin->text().toStdString();
    form.City = txtCity->text().toStdString();
    form.State = txtState->text().toStdString();
    form.Country = txtCountry->text().toStdString();
    form.DayIndex = cboDate->currentIndex();
    form.MonthIndex = cboMonth->currentIndex();
    form.YearIndex = cboYear->currentIndex();
    form.HourIndex = cboHour->currentIndex();
    form.MinuteIndex = cboMinute->currentIndex();
    form.ZoneIndex = cboTimeZone->currentIndex();
    form.Latitude = optLat[0]->isChecked()   ? LatitudeChoice::North
                    : optLat[1]->isChecked() ? LatitudeChoice::South
                                             : LatitudeChoice::None;
    form.Longitude = optLong[0]->isChecked()   ? LongitudeChoice::East
                     : optLong[1]->isChecked() ? LongitudeChoice::West
                                               : LongitudeChoice::None;
    form.DaylightSaving = chkDST->isChecked();
    form.UtcOffsetSeconds = utcOffsetSeconds_;
    return form;
}

SkyChoice FrmMain::Sky() const { return skyMenu_->Choice(); }

void FrmMain::WriteForm(const BirthForm& form) {
    for (const auto& [box, text] : {std::pair{txtName, &form.Name}, {txtCity, &form.City},
                                    {txtState, &form.State}, {txtCountry, &form.Country}}) {
        box->setText(QString::fromStdString(*text));
    }
    for (const auto& [box, text] : {std::pair{txtLatDeg, &form.LatDeg}, {txtLatMin, &form.LatMin},
                                    {txtLonDeg, &form.LonDeg}, {txtLonMin, &form.LonMin}}) {
        SetNumberBoxText(box, QString::fromStdString(*text));
    }
    // A position the list does not have leaves its selection alone.
    for (const auto& [list, index] :
         {std::pair{cboDate, form.DayIndex}, {cboMonth, form.MonthIndex},
          {cboYear, form.YearIndex}, {cboHour, form.HourIndex}, {cboMinute, form.MinuteIndex},
          {cboTimeZone, form.ZoneIndex}}) {
        if (index >= 0 && index < list->count()) {
            list->setCurrentIndex(index);
        }
    }
    if (form.Latitude != LatitudeChoice::None) {
        optLat[form.Latitude == LatitudeChoice::South ? 1 : 0]->setChecked(true);
    }
    if (form.Longitude != LongitudeChoice::None) {
        optLong[form.Longitude == LongitudeChoice::West ? 1 : 0]->setChecked(true);
    }
    chkDST->setChecked(form.DaylightSaving);
    utcOffsetSeconds_ = form.UtcOffsetSeconds;
}

void FrmMain::ShowError(const QString& text) {
    platform_.Messages.Show(this, QLatin1String(kMessageBoxTitle), text, BoxIcon::Error,
                            BoxButtons::Ok);
}

QWidget* FrmMain::ControlOf(FormField field) const {
    switch (field) {
    case FormField::None:
        return nullptr;
    case FormField::Name:
        return txtName;
    case FormField::LatDeg:
        return txtLatDeg;
    case FormField::LatMin:
        return txtLatMin;
    case FormField::LonDeg:
        return txtLonDeg;
    case FormField::LonMin:
        return txtLonMin;
    case FormField::City:
        return txtCity;
    case FormField::State:
        return txtState;
    case FormField::Country:
        return txtCountry;
    case FormField::LatitudeNorth:
        return optLat[0];
    case FormField::LongitudeEast:
        return optLong[0];
    }
    return nullptr;
}

void FrmMain::ShowFault(const FormFault& fault) {
    platform_.Messages.Show(this, QLatin1String(kMessageBoxTitle), FromView(fault.Message),
                            fault.Icon == MessageIcon::Error ? BoxIcon::Error
                                                             : BoxIcon::Information,
                            BoxButtons::Ok);
    QWidget* control = ControlOf(fault.Field);
    // A direction is chosen for the user rather than pointed at.
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        option->setChecked(true);
    } else if (control) {
        control->setFocus(Qt::OtherFocusReason);
    }
}

bool FrmMain::ValidateInput() {
    if (const std::optional<FormFault> fault = ValidateBirthForm(ReadForm())) {
        ShowFault(*fault);
        return false;
    }
    return true;
}

void FrmMain::Calculate() {
    if (!ValidateInput()) {
        return;
    }
    const SkyChoice sky = skyMenu_->Choice();
    if (!CalculateChart(ReadForm(), chart_, *sink_, sky, skyCheck_.get())) {
        ShowError(QString::fromStdString(chart_.SkyName));
        return;
    }
    skyPanel_->ShowCalculation(chart_, sky, *skyCheck_);
    charts_->ChartCalculated(sky.Precise);
}

void FrmMain::OnBack() { BringInputPanelToFront(); }

void FrmMain::BringInputPanelToFront() {
    Frame1->show();
    Frame1->raise();
    Frame2->hide();
}

void FrmMain::BringReadingPanelToFront() {
    Frame2->show();
    Frame2->raise();
    Frame1->hide();
}

void FrmMain::OnSave() {
    // Blanks alone pass Calculate, but the file trims them to nothing and
    // Open refuses that: such a reading is not saved at all.
    if (const auto fault = CheckChartForReadingFile(chart_)) {
        ShowError(QStringLiteral("The reading was not saved: the %1 box %2.")
                      .arg(ControlOf(fault->Field)->accessibleName(),
                           QString::fromStdString(fault->Message)));
        return;
    }
    const std::optional<QString> chosen = platform_.Files.GetSaveFileName(
        this, ReadingFileRequest(kMessageBoxTitle, QFile::decodeName(chart_.SaveFileName.c_str())));
    if (!chosen) {
        return;
    }
    const QByteArray path = QFile::encodeName(*chosen);
    chart_.SaveFileName = path.toStdString();
    // The earlier file stays as it was when this fails; the user must hear
    // that the reading was not saved.
    if (const auto error = SaveReadingFile(std::filesystem::path(path.toStdString()),
                                           WriteReadingFile(chart_, cboTimeZone->currentIndex()))) {
        ShowError(QString::fromLocal8Bit(error->Message));
    }
}

void FrmMain::OnOpen() {
    const std::optional<QString> chosen =
        platform_.Files.GetOpenFileName(this, ReadingFileRequest(kOpenDialogTitle, QString()));
    if (chosen) {
        OpenReading(*chosen);
    }
}

void FrmMain::OpenReading(const QString& path) {
    // The file changes the form as the window shows it: what a damaged line
    // leaves alone stays as the user sees it now.
    BirthForm form = ReadForm();
    if (const auto error = OpenReadingFile(
            std::filesystem::path(QFile::encodeName(path).toStdString()), form)) {
        ShowError(QString::fromLocal8Bit(error->Message));
        return;
    }
    OpenForm(form);
}

void FrmMain::OpenForm(const BirthForm& form) {
    atlas_->DropPlace();
    WriteForm(form);
    atlas_->RefreshLine();
    Calculate();
}

void FrmMain::OnCommand1() {
    const std::pair<QLineEdit*, const char*> required[] = {
        {txtCity, "Please Enter City"},
        {txtState, "Please Enter State"},
        {txtCountry, "Please Enter Country"},
    };
    for (const auto& [box, message] : required) {
        if (box->text().isEmpty()) {
            ShowError(QLatin1String(message));
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    // The texts as typed, blanks and all.
    const QString text = txtCity->text() + QLatin1Char(' ') + txtState->text() +
                         QLatin1Char(' ') + txtCountry->text() +
                         QLatin1String(kLocationSearchSuffix);
    WebSearch search(platform_.Web);
    static_cast<void>(search.Search(text, QLatin1String(kCoordinatesSiteAddress)));
}

void FrmMain::OnOnlineHelp() { OpenOnlineHelp(platform_.Web); }
void FrmMain::OnVisit() { OpenHomePage(platform_.Web); }
void FrmMain::OnUpdate() { OpenDownloadPage(platform_.Web); }

void FrmMain::OnAbout() {
    frmAbout about(platform_.Web, this);
    platform_.Dialogs.RunModal(about);
}

}  // namespace tavrinel
