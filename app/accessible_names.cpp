#include "app/accessible_names.h"

#include <QLabel>
#include <QWidget>
#include <utility>

namespace tavrinel {

namespace {

struct Description {
    const char* objectName;
    // Null where the control's own caption is its name (buttons, boxes).
    const char* name;
    const char* description;
};

constexpr Description kDescriptions[] = {
    {"cmdOpen", nullptr, "Opens a saved reading file (.tvl) and shows its reading"},
    {"txtName", "Name", "The person's name, in letters and blanks"},
    {"cboDate", "Date of Birth: day", "The day of the month of birth"},
    {"cboMonth", "Date of Birth: month", "The month of birth"},
    {"cboYear", "Date of Birth: year", "The year of birth, 1901 to 2050"},
    {"cboHour", "Time of Birth: hours", "The hour of the clock time of birth, 0 to 24"},
    {"cboMinute", "Time of Birth: minutes", "The minutes of the clock time of birth"},
    {"chkDST", nullptr, "Tick when daylight-saving time was in force at the birth"},
    {"cboTimeZone", "Time Zone", "The time zone of the clock time of birth"},
    {"txtLatDeg", "Latitude: degrees", "Degrees of latitude of the place of birth, digits only"},
    {"txtLatMin", "Latitude: minutes", "Minutes of latitude, digits only"},
    {"Frame3", "Latitude direction", "North or south of the equator"},
    {"optLat0", nullptr, "The place of birth is north of the equator"},
    {"optLat1", nullptr, "The place of birth is south of the equator"},
    {"txtLonDeg", "Longitude: degrees", "Degrees of longitude of the place of birth, digits only"},
    {"txtLonMin", "Longitude: minutes", "Minutes of longitude, digits only"},
    {"Frame4", "Longitude direction", "East or west of Greenwich"},
    {"optLong0", nullptr, "The place of birth is east of Greenwich"},
    {"optLong1", nullptr, "The place of birth is west of Greenwich"},
    {"txtCity", "City", "The city of birth, in letters and blanks"},
    {"txtState", "State", "The state or province of birth, in letters and blanks"},
    {"txtCountry", "Country", "The country of birth, in letters and blanks"},
    {"Command1", "Find Latitude & Longitude",
     "Searches the web for the coordinates of the city, state and country typed"},
    {"cmdCalculate", nullptr, "Calculates the positions of the grahas and shows the reading"},
    {"RTB", "Reading", "The reading of the grahas' dignities, in colour"},
    {"cmdSave", nullptr, "Saves the birth data of this reading to a .tvl file"},
    {"cmdBack", nullptr, "Returns to the birth data"},
};

// Which control each caption labels. A screen reader on this platform names a
// drop-down list by its label relation, not by an accessible name.
constexpr std::pair<const char*, const char*> kCaptions[] = {
    {"lblLabel0", "txtName"},   {"lblLabel4", "txtLonDeg"}, {"lblLabel7", "txtCity"},
    {"lblLabel3", "txtLatDeg"}, {"lblLabel8", "txtState"},  {"lblLabel9", "txtCountry"},
    {"lblLabel10", "cboTimeZone"},
};

// The lists that share one caption on the screen ("Date of Birth" above
// three of them): each is labelled by a caption of its own that only
// assistive technology reads, its accessible name above.
constexpr const char* kListsUnderOneCaption[] = {"cboDate", "cboMonth", "cboYear", "cboHour",
                                                 "cboMinute"};

}  // namespace

void DescribeControls(QWidget& window) {
    for (const Description& entry : kDescriptions) {
        auto* control = window.findChild<QWidget*>(QLatin1String(entry.objectName));
        if (!control) {
            continue;
        }
        if (entry.name) {
            control->setAccessibleName(QString::fromUtf8(entry.name));
        }
        control->setAccessibleDescription(QString::fromUtf8(entry.description));
    }
    for (const char* listName : kListsUnderOneCaption) {
        auto* list = window.findChild<QWidget*>(QLatin1String(listName));
        if (!list) {
            continue;
        }
        // Unnamed: not a control of the window's design.
        auto* caption = new QLabel(list->accessibleName(), list->parentWidget());
        caption->setBuddy(list);
        caption->hide();
    }
    for (const auto& [labelName, controlName] : kCaptions) {
        auto* label = window.findChild<QLabel*>(QLatin1String(labelName));
        auto* control = window.findChild<QWidget*>(QLatin1String(controlName));
        if (label && control) {
            label->setBuddy(control);
        }
    }
}

}  // namespace tavrinel
