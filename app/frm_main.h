// The program's one working window: the input panel (Frame1) and the reading
// panel (Frame2) lie on top of each other and only the one in front is seen.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

#include "calculation/sky_choice.h"
#include "chart/birth_form.h"
#include "chart/chart_state.h"
#include "platform/platform.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace tavrinel {

class AtlasCompletion;
class KeyFilter;
class PanelFrame;
class RtbSink;
class ColourButton;
class SkyMenu;
class SkyPanel;
struct SkyCheck;
class ChartCommands;
class LibraryCommands;

inline constexpr const char* kWindowCaption = "Tavrinel v1.15";

class FrmMain final : public QMainWindow {
    Q_OBJECT

public:
    FrmMain(ChartState& chart, Platform& platform, QWidget* parent = nullptr);
    ~FrmMain() override;

    // The form as plain data, read from the controls.
    [[nodiscard]] BirthForm ReadForm() const;
    // Sets the controls from a form, as Open does; a list position out of
    // range leaves that list as it is.
    void WriteForm(const BirthForm& form);

    // The offset from UTC that no zone entry has, which the form carries
    // beside its controls (from the atlas or a reading file); none drops it.
    void SetExactOffset(std::optional<int> seconds) { utcOffsetSeconds_ = seconds; }
    [[nodiscard]] SkyChoice Sky() const;

    // The whole-form check: shows the first fault and moves the focus to it.
    bool ValidateInput();

    // Opens a saved reading as Open does once a file is chosen: a file given
    // on the command line (from a file manager) comes this way.
    void OpenReading(const QString& path);
    // Fills the form as Open does with a file's form, and calculates.
    void OpenForm(const BirthForm& form);

    void BringInputPanelToFront();
    void BringReadingPanelToFront();

public slots:
    void Calculate();
    void OnBack();
    void OnSave();
    void OnOpen();
    void OnCommand1();
    void OnOnlineHelp();
    void OnVisit();
    void OnUpdate();
    void OnAbout();

private:
    void CreateControls();
    void CreateMenus();
    void SetTabOrder();
    void ApplyColours();
    void FitFonts();
    void PlaceWindow();
    void FormLoad();
    // The box or option a refusal names.
    [[nodiscard]] QWidget* ControlOf(FormField field) const;
    void ShowFault(const FormFault& fault);
    void ShowError(const QString& text);
    void InstallKeyFilters();

    ChartState& chart_;
    Platform& platform_;
    QString fontFamily_;
    std::unique_ptr<RtbSink> sink_;
    ChartCommands* charts_ = nullptr;  // the chart window, exports and printing
    LibraryCommands* library_ = nullptr;

    // Controls, named as the window's design names them.
    std::array<QLabel*, 13> lblLabel{};
    QLabel* Label16 = nullptr;
    PanelFrame* Frame1 = nullptr;
    PanelFrame* Frame2 = nullptr;
    PanelFrame* Frame3 = nullptr;
    PanelFrame* Frame4 = nullptr;
    QPushButton* cmdOpen = nullptr;
    QLineEdit* txtLatDeg = nullptr;
    QLineEdit* txtLatMin = nullptr;
    std::array<QRadioButton*, 2> optLat{};
    QLineEdit* txtLonDeg = nullptr;
    QLineEdit* txtLonMin = nullptr;
    std::array<QRadioButton*, 2> optLong{};
    QLineEdit* txtName = nullptr;
    QLineEdit* txtCity = nullptr;
    ColourButton* Command1 = nullptr;
    QComboBox* cboMonth = nullptr;
    QComboBox* cboDate = nullptr;
    QComboBox* cboYear = nullptr;
    QLineEdit* txtState = nullptr;
    QComboBox* cboHour = nullptr;
    QComboBox* cboMinute = nullptr;
    QLineEdit* txtCountry = nullptr;
    QCheckBox* chkDST = nullptr;
    QComboBox* cboTimeZone = nullptr;
    ColourButton* cmdCalculate = nullptr;
    QTextEdit* RTB = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdBack = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuCalculate = nullptr;
    QAction* mnuFileSep = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuOnline = nullptr;
    QAction* mnuVisit = nullptr;
    QAction* mnuHelpSep1 = nullptr;
    QAction* mnuUpdate = nullptr;
    QAction* mnuHelpSep2 = nullptr;
    QAction* mnuAbout = nullptr;

    // Beyond the documented window: the Sky menu and the reading panel's sky lines.
    SkyMenu* skyMenu_ = nullptr;
    SkyPanel* skyPanel_ = nullptr;
    std::unique_ptr<SkyCheck> skyCheck_;
    AtlasCompletion* atlas_ = nullptr;
    std::optional<int> utcOffsetSeconds_;
};

}  // namespace tavrinel
