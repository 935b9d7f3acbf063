#include "atlas/zone_choice.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "chart/birth_form.h"
#include "chart/time_zone_table.h"
#include "ephemeris/hemisphere_time.h"

namespace tavrinel::atlas {

namespace {

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

enum class By { Zone, Abbreviation, ZonePrefix, Any };
enum class Saving { Either, Without };

// Which list entry stands for a time, most particular first: the place's own
// zone, the database's name for the time, the region, then any place. A row
// applies only where its entry has the whole offset in force, so "CST" picks
// Central Standard Time in Chicago but not in Shanghai (UTC+8). Where no row
// applies, the first entry with the offset is taken. The description is the
// time's full name, shown in the line.
struct Preference {
    By Match;
    std::string_view Text;
    int Entry;
    std::string_view Description;
    Saving When = Saving::Either;
};

constexpr std::array kPreferences = {
    // South Australia has entries named for it.
    Preference{By::Zone, "Australia/Adelaide", 58, {}},
    Preference{By::Zone, "Australia/Adelaide", 56, {}},
    Preference{By::Zone, "Australia/Broken_Hill", 58, {}},
    Preference{By::Zone, "Australia/Broken_Hill", 56, {}},
    Preference{By::Zone, "Pacific/Guam", 30, {}},
    Preference{By::Zone, "Pacific/Saipan", 30, {}},
    Preference{By::Zone, "America/Nome", 51, {}},
    Preference{By::Zone, "Europe/Dublin", 16, {}},

    Preference{By::Abbreviation, "AHST", 1, "Alaska-Hawaii Standard Time"},
    Preference{By::Abbreviation, "AHDT", 0, "Alaska-Hawaii Daylight Time"},
    Preference{By::Abbreviation, "HST", 32, "Hawaii Standard Time"},
    Preference{By::Abbreviation, "HST", 1, "Hawaii Standard Time"},
    Preference{By::Abbreviation, "HDT", 31, "Hawaii Daylight Time"},
    Preference{By::Abbreviation, "HWT", 33, "Hawaii War Time"},
    Preference{By::Abbreviation, "HPT", 33, "Hawaii Peace Time"},
    Preference{By::Abbreviation, "AKST", 69, "Alaska Standard Time"},
    Preference{By::Abbreviation, "AKDT", 68, "Alaska Daylight Time"},
    Preference{By::Abbreviation, "YST", 69, "Yukon Standard Time"},
    Preference{By::Abbreviation, "YDT", 68, "Yukon Daylight Time"},
    Preference{By::Abbreviation, "YWT", 70, "Yukon War Time"},
    Preference{By::Abbreviation, "YPT", 70, "Yukon Peace Time"},
    Preference{By::Abbreviation, "PST", 54, "Pacific Standard Time"},
    Preference{By::Abbreviation, "PDT", 53, "Pacific Daylight Time"},
    Preference{By::Abbreviation, "PWT", 55, "Pacific War Time"},
    Preference{By::Abbreviation, "PPT", 55, "Pacific Peace Time"},
    Preference{By::Abbreviation, "MST", 44, "Mountain Standard Time"},
    Preference{By::Abbreviation, "MDT", 43, "Mountain Daylight Time"},
    Preference{By::Abbreviation, "MWT", 45, "Mountain War Time"},
    Preference{By::Abbreviation, "MPT", 45, "Mountain Peace Time"},
    Preference{By::Abbreviation, "CST", 21, "Central Standard Time"},
    Preference{By::Abbreviation, "CDT", 18, "Central Daylight Time"},
    Preference{By::Abbreviation, "CWT", 22, "Central War Time"},
    Preference{By::Abbreviation, "CPT", 22, "Central Peace Time"},
    Preference{By::Abbreviation, "EST", 27, "Eastern Standard Time"},
    Preference{By::Abbreviation, "EDT", 24, "Eastern Daylight Time"},
    Preference{By::Abbreviation, "EWT", 28, "Eastern War Time"},
    Preference{By::Abbreviation, "EPT", 28, "Eastern Peace Time"},
    Preference{By::Abbreviation, "AST", 3, "Atlantic Standard Time"},
    Preference{By::Abbreviation, "ADT", 4, "Atlantic Daylight Time"},
    Preference{By::Abbreviation, "AWT", 4, "Atlantic War Time"},
    Preference{By::Abbreviation, "APT", 4, "Atlantic Peace Time"},
    Preference{By::Abbreviation, "NST", 50, "Newfoundland Standard Time"},
    Preference{By::Abbreviation, "NDT", 50, "Newfoundland Daylight Time"},
    Preference{By::Abbreviation, "BST", 13, "Bering Standard Time"},
    Preference{By::Abbreviation, "GMT", 29, "Greenwich Mean Time"},
    Preference{By::Abbreviation, "UTC", 61, "Coordinated Universal Time"},
    Preference{By::Abbreviation, "WET", 29, "Western European Time"},
    Preference{By::Abbreviation, "BST", 16, "British Standard Time", Saving::Without},
    Preference{By::Abbreviation, "BST", 16, "British Summer Time"},
    Preference{By::Abbreviation, "BDST", 15, "British Double Summer Time"},
    Preference{By::Abbreviation, "IST", 16, "Irish Standard Time"},
    Preference{By::Abbreviation, "IST", 34, "India Standard Time"},
    Preference{By::Abbreviation, "IST", 26, "Israel Standard Time"},
    Preference{By::Abbreviation, "IDT", 25, "Israel Daylight Time"},
    Preference{By::Abbreviation, "CET", 20, "Central European Time"},
    Preference{By::Abbreviation, "CEST", 19, "Central European Summer Time"},
    Preference{By::Abbreviation, "MET", 41, "Middle European Time"},
    Preference{By::Abbreviation, "MEST", 40, "Middle European Summer Time"},
    Preference{By::Abbreviation, "WEST", 16, "Western European Summer Time"},
    Preference{By::Abbreviation, "EET", 26, "Eastern European Time"},
    Preference{By::Abbreviation, "EEST", 25, "Eastern European Summer Time"},
    Preference{By::Abbreviation, "MSK", 12, "Moscow Time"},
    Preference{By::Abbreviation, "JST", 38, "Japan Standard Time"},
    Preference{By::Abbreviation, "KST", 38, "Korea Standard Time"},
    Preference{By::Abbreviation, "HKT", 23, "Hong Kong Time"},
    Preference{By::Abbreviation, "CST", 23, "China Standard Time"},
    Preference{By::Abbreviation, "PKT", 64, "Pakistan Standard Time"},
    Preference{By::Abbreviation, "WIB", 60, "Western Indonesia Time"},
    Preference{By::Abbreviation, "AWST", 10, "Australian Western Standard Time"},
    Preference{By::Abbreviation, "AWDT", 9, "Australian Western Daylight Time"},
    Preference{By::Abbreviation, "ACST", 6, "Australian Central Standard Time"},
    Preference{By::Abbreviation, "ACDT", 5, "Australian Central Daylight Time"},
    Preference{By::Abbreviation, "AEST", 8, "Australian Eastern Standard Time"},
    Preference{By::Abbreviation, "AEDT", 7, "Australian Eastern Daylight Time"},
    Preference{By::Abbreviation, "ChST", 30, "Chamorro Standard Time"},
    Preference{By::Abbreviation, "NZMT", 49, "New Zealand Mean Time"},
    Preference{By::Abbreviation, "NZST", 47, "New Zealand Standard Time"},
    Preference{By::Abbreviation, "NZDT", 46, "New Zealand Daylight Time"},

    Preference{By::ZonePrefix, "Asia/", 62, {}},   // UTC+11 in Siberia
    Preference{By::ZonePrefix, "America/", 14, {}},  // UTC-3 in South America

    Preference{By::Any, {}, 20, {}},  // UTC+1
    Preference{By::Any, {}, 26, {}},  // UTC+2
    Preference{By::Any, {}, 23, {}},  // UTC+8
    Preference{By::Any, {}, 38, {}},  // UTC+9
    Preference{By::Any, {}, 27, {}},  // UTC-5
    Preference{By::Any, {}, 69, {}},  // UTC-9
};

std::string_view Field(std::string_view name, int which) {
    for (int k = 0; k < which; ++k) {
        const std::size_t comma = name.find(',');
        name = comma == std::string_view::npos ? std::string_view() : name.substr(comma + 1);
    }
    return TrimBlanks(name.substr(0, name.find(',')));
}

std::string_view EntryName(int entry) {
    return Field(kTimeZoneTable[static_cast<std::size_t>(entry)].Name, 0);
}

bool Applies(const Preference& row, std::string_view zone, const ZoneOffset& offset,
             bool useAbbreviation) {
    if (row.When == Saving::Without && offset.DaylightSaving) {
        return false;
    }
    switch (row.Match) {
    case By::Zone:
        return row.Text == zone;
    case By::Abbreviation:
        return useAbbreviation && row.Text == offset.Abbreviation;
    case By::ZonePrefix:
        return zone.substr(0, row.Text.size()) == row.Text;
    case By::Any:
        return true;
    }
    return false;
}

// The entry for an offset, or -1; `named` tells whether a row of the
// database's own name for the time chose it.
int EntryFor(std::string_view zone, const ZoneOffset& offset, int seconds, bool useAbbreviation) {
    for (const Preference& row : kPreferences) {
        if (ZoneEntryOffsetSeconds(row.Entry) == seconds &&
            Applies(row, zone, offset, useAbbreviation)) {
            return row.Entry;
        }
    }
    for (int entry = 0; entry < kZoneCount; ++entry) {
        if (ZoneEntryOffsetSeconds(entry) == seconds) {
            return entry;
        }
    }
    return -1;
}

std::string_view DescriptionOf(const ZoneOffset& offset) {
    for (const Preference& row : kPreferences) {
        // A daylight time may have no entry of its own but its standard
        // time's entry names it all the same.
        const int entry = ZoneEntryOffsetSeconds(row.Entry);
        const bool fits = entry == offset.TotalSeconds ||
                          (offset.DaylightSaving && entry == offset.StandardSeconds);
        if (row.Match == By::Abbreviation && fits && Applies(row, {}, offset, true)) {
            return row.Description;
        }
    }
    return {};
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string DateText(const LocalDateTime& when) {
    return std::to_string(when.Day) + " " +
           std::string(kMonthNames[static_cast<std::size_t>((when.Month + 11) % 12)]) + " " +
           std::to_string(when.Year);
}

std::string ClockText(const LocalDateTime& when) {
    return std::to_string(when.Hour) + ":" + TwoDigits(when.Minute);
}

std::string DurationText(int seconds) {
    const int minutes = (std::abs(seconds) + kSecondsPerMinute / 2) / kSecondsPerMinute;
    const int hours = minutes / 60;
    const int rest = minutes % 60;
    std::string text;
    if (hours > 0) {
        text = std::to_string(hours) + (hours == 1 ? " hour" : " hours");
    }
    if (rest > 0) {
        text += (text.empty() ? "" : " ") + std::to_string(rest) + (rest == 1 ? " minute" : " minutes");
    }
    return text;
}

constexpr std::string_view kLeftAlone = "; choose the zone yourself";

}  // namespace

std::string UtcOffsetText(int seconds) {
    std::string text = seconds < 0 ? "UTC\u2212" : "UTC+";
    const int magnitude = std::abs(seconds);
    text += std::to_string(magnitude / kSecondsPerHour);
    const int minutes = magnitude % kSecondsPerHour / kSecondsPerMinute;
    const int rest = magnitude % kSecondsPerMinute;
    if (minutes != 0 || rest != 0) {
        text += ":" + TwoDigits(minutes);
    }
    if (rest != 0) {
        text += ":" + TwoDigits(rest);
    }
    return text;
}

ZoneDecision DecideZone(const std::string& placeName, std::string_view ianaZone,
                        const LocalDateTime& when) {
    ZoneDecision decision;
    decision.InForce = LookUpZone(ianaZone, when);
    const ZoneLookup& found = decision.InForce;
    const std::string opening = placeName + ": ";
    switch (found.Kind) {
    case LocalTimeKind::UnknownZone:
        decision.Outcome = ZoneOutcome::UnknownZone;
        decision.Line = opening + "the time-zone database has no zone " + std::string(ianaZone) +
                        std::string(kLeftAlone);
        return decision;
    case LocalTimeKind::Skipped:
        decision.Outcome = ZoneOutcome::Skipped;
        decision.Line = opening + ClockText(when) + " on " + DateText(when) +
                        " did not exist there (clocks went from " +
                        UtcOffsetText(found.Offset.TotalSeconds) + " to " +
                        UtcOffsetText(found.Other.TotalSeconds) + ")" + std::string(kLeftAlone);
        return decision;
    case LocalTimeKind::Repeated:
        decision.Outcome = ZoneOutcome::Repeated;
        decision.Line = opening + ClockText(when) + " on " + DateText(when) +
                        " happened twice there (first " + UtcOffsetText(found.Offset.TotalSeconds) +
                        ", then " + UtcOffsetText(found.Other.TotalSeconds) + ")" +
                        std::string(kLeftAlone);
        return decision;
    case LocalTimeKind::Unique:
        break;
    }

    const ZoneOffset& offset = found.Offset;
    const std::string_view description = DescriptionOf(offset);
    std::string line = opening;
    if (!description.empty()) {
        line += std::string(description) + ", ";
    }
    // The database marks some winters as the "daylight saving" (Ireland,
    // Morocco in Ramadan, Namibia 1994-2017): clocks an hour behind the
    // standard time, which the user knows as winter time.
    const bool winterTime = offset.DaylightSaving && offset.TotalSeconds < offset.StandardSeconds;
    line += UtcOffsetText(offset.TotalSeconds);
    if (winterTime) {
        line += ", winter time on " + DateText(when) +
                " (time-zone database; standard time there is " +
                UtcOffsetText(offset.StandardSeconds) + ")";
    } else {
        line += (offset.DaylightSaving ? ", daylight saving on " : ", no daylight saving on ") +
                DateText(when) + " (time-zone database)";
    }

    decision.ZoneIndex = EntryFor(ianaZone, offset, offset.TotalSeconds, true);
    if (decision.ZoneIndex >= 0) {
        decision.Outcome = ZoneOutcome::WholeOffset;
        const std::string_view listed =
            Field(kTimeZoneTable[static_cast<std::size_t>(decision.ZoneIndex)].Name, 1);
        if (description.empty()) {
            line += "; no list entry is named for this time, so " +
                    std::string(EntryName(decision.ZoneIndex)) + ", which has the same offset";
        } else if (listed != offset.Abbreviation) {
            line += "; list entry " + std::string(EntryName(decision.ZoneIndex));
        }
        decision.Line = line;
        return decision;
    }
    // Ticking the box adds one hour; nothing else can make up the difference.
    const bool oneHourSaved =
        offset.DaylightSaving && offset.TotalSeconds - offset.StandardSeconds == kSecondsPerHour;
    const int standard = oneHourSaved ? EntryFor(ianaZone, offset, offset.StandardSeconds, false) : -1;
    if (standard >= 0) {
        decision.Outcome = ZoneOutcome::StandardAndDst;
        decision.ZoneIndex = standard;
        decision.DaylightSaving = true;
        decision.Line = line + "; no list entry has " + UtcOffsetText(offset.TotalSeconds) +
                        ", so " + std::string(EntryName(standard)) + " with daylight saving ticked";
        return decision;
    }
    decision.Outcome = ZoneOutcome::NoEntry;
    decision.Line = line + "; no list entry has this offset";
    return decision;
}

std::string DocumentedTimeNote(int zoneIndex, bool daylightSaving, const FormLongitude& longitude,
                               int trueOffsetSeconds) {
    if (zoneIndex < 0 || zoneIndex >= kZoneCount) {
        return {};
    }
    const TimeZoneEntry& zone = kTimeZoneTable[static_cast<std::size_t>(zoneIndex)];
    ChartState chart;
    chart.ZoneHours = static_cast<std::int16_t>(std::abs(zone.Hours));
    chart.ZoneMinutes = static_cast<std::int16_t>(std::abs(zone.Minutes));
    chart.LonDegrees = static_cast<std::int16_t>(longitude.Degrees);
    chart.LonMinutes = static_cast<std::int16_t>(longitude.Minutes);
    chart.LonDirection = longitude.East ? kTrue : kFalse;
    chart.DaylightSaving = daylightSaving ? kTrue : kFalse;
    const HemisphereTime moon = HemisphereTimeOf(chart);
    // Both time bases add their shift to the local time to reach Universal
    // Time; the truth is the local time less the offset in force.
    const double moonShift = (moon.UniversalHours - moon.LocalHours) * kSecondsPerHour;
    const double planetShift = zone.Hours * kSecondsPerHour + zone.Minutes * kSecondsPerMinute;
    const auto lag = [trueOffsetSeconds](double shift) {
        return static_cast<int>(std::lround(shift + trueOffsetSeconds));
    };
    const auto clause = [](std::string_view what, int seconds) {
        return "the documented " + std::string(what) + " computed " + DurationText(seconds) +
               (seconds > 0 ? " late" : " early") + " here";
    };
    const int moonLag = lag(moonShift);
    const int planetLag = lag(planetShift);
    if (moonLag != 0 && moonLag == planetLag) {
        return clause("Moon and planets are", moonLag);
    }
    std::string note;
    if (moonLag != 0) {
        note = clause("Moon is", moonLag);
    }
    if (planetLag != 0) {
        note += (note.empty() ? "" : "; ") + clause("planets are", planetLag);
    }
    return note;
}

std::string ExactOffsetClause(int seconds, const PreciseSkyUse& precise) {
    if (precise.InUse) {
        return "the precise sky casts the chart at exactly " + UtcOffsetText(seconds);
    }
    return "only the precise sky (" + std::string(precise.HowToChoose) + ") can cast it";
}

std::string ZoneLine(const ZoneDecision& decision, int selectedIndex, bool selectedDst,
                     bool chosenByHand, const FormLongitude& longitude,
                     const PreciseSkyUse& precise) {
    std::string line = decision.Line;
    if (decision.Outcome == ZoneOutcome::NoEntry && !chosenByHand) {
        line += "; " + ExactOffsetClause(decision.InForce.Offset.TotalSeconds, precise);
        return precise.InUse ? line : line + ", or choose the zone yourself";
    }
    if (chosenByHand && (selectedIndex != decision.ZoneIndex || selectedDst != decision.DaylightSaving)) {
        line += "; your own choice of zone is kept";
    }
    const bool known = decision.InForce.Kind == LocalTimeKind::Unique;
    if (known && (decision.ZoneIndex >= 0 || chosenByHand)) {
        const std::string note = DocumentedTimeNote(selectedIndex, selectedDst, longitude,
                                                    decision.InForce.Offset.TotalSeconds);
        if (!note.empty()) {
            line += "; " + note;
        }
    }
    return line;
}

}  // namespace tavrinel::atlas
