// The one door to the IANA rules, built as a module of its own (see
// zone_rules.h) with the date library. The packaged date library reads the
// system's compiled zone files, but only their table of transitions, which
// ends in 2037; the rule that goes on from there stands in the file's footer
// as a POSIX TZ text, and the library's POSIX zone reads that.
//
// This file is compiled as C++17: under C++20 the POSIX zone header names
// hh_mm_ss ambiguously between the library and the standard library.
#include "atlas/zone_rules.h"

#include <date/tz.h>
#include <date/ptz.h>

#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace tavrinel::atlas {

namespace {

using std::chrono::seconds;

constexpr const char* kZoneDirectory = "/usr/share/zoneinfo/";
// A transition table's last entry runs "forever"; anything past this year
// is past the table.
constexpr date::year kTableEnd{2200};
constexpr int kStandardSearchSteps = 16;

bool SafeZoneName(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.find("..") != std::string_view::npos) {
        return false;
    }
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                        c == '/' || c == '_' || c == '-' || c == '+';
        if (!ok) {
            return false;
        }
    }
    return true;
}

// The POSIX TZ text at the end of a version 2+ zone file, or empty.
std::string ReadFooter(const std::string& name) {
    std::ifstream file(kZoneDirectory + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 6 || bytes.compare(0, 4, "TZif") != 0 || bytes[4] < '2' ||
        bytes.back() != '\n') {
        return {};
    }
    const std::size_t start = bytes.rfind('\n', bytes.size() - 2);
    return start == std::string::npos ? std::string() : bytes.substr(start + 1, bytes.size() - start - 2);
}

const std::string& CachedFooter(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, std::string, std::less<>> footers;
    const std::lock_guard<std::mutex> lock(mutex);
    auto found = footers.find(name);
    if (found == footers.end()) {
        found = footers.emplace(name, ReadFooter(name)).first;
    }
    return found->second;
}

std::string PlainAbbreviation(const std::string& abbreviation) {
    // "+0530" and the like are offsets written out, not names.
    if (abbreviation.empty() || abbreviation[0] == '+' || abbreviation[0] == '-' ||
        (abbreviation[0] >= '0' && abbreviation[0] <= '9')) {
        return {};
    }
    return abbreviation;
}

// The zone files mark daylight saving by a flag only; the standard offset is
// that of the nearest period without it, earlier first.
int StandardOffset(const date::time_zone& zone, const date::sys_info& info) {
    if (info.save == std::chrono::minutes{0}) {
        return static_cast<int>(info.offset.count());
    }
    date::sys_info probe = info;
    for (int step = 0; step < kStandardSearchSteps; ++step) {
        probe = zone.get_info(probe.begin - seconds{1});
        if (probe.save == std::chrono::minutes{0}) {
            return static_cast<int>(probe.offset.count());
        }
    }
    probe = info;
    for (int step = 0; step < kStandardSearchSteps; ++step) {
        probe = zone.get_info(probe.end);
        if (probe.save == std::chrono::minutes{0}) {
            return static_cast<int>(probe.offset.count());
        }
    }
    return static_cast<int>(info.offset.count());
}

ZoneOffset FromTable(const date::time_zone& zone, const date::sys_info& info) {
    return {static_cast<int>(info.offset.count()), info.save != std::chrono::minutes{0},
            StandardOffset(zone, info), PlainAbbreviation(info.abbrev)};
}

ZoneOffset FromRule(const date::sys_info& info) {
    const auto save = std::chrono::duration_cast<seconds>(info.save);
    return {static_cast<int>(info.offset.count()), save != seconds{0},
            static_cast<int>((info.offset - save).count()), PlainAbbreviation(info.abbrev)};
}

LocalTimeKind KindOf(int result) {
    switch (result) {
    case date::local_info::nonexistent:
        return LocalTimeKind::Skipped;
    case date::local_info::ambiguous:
        return LocalTimeKind::Repeated;
    default:
        return LocalTimeKind::Unique;
    }
}

ZoneLookup LookUpInDatabase(std::string_view ianaZone, const LocalDateTime& when) {
    ZoneLookup lookup;
    if (!SafeZoneName(ianaZone)) {
        return lookup;
    }
    const std::string name(ianaZone);
    const date::time_zone* zone = nullptr;
    try {
        zone = date::locate_zone(name);
    } catch (const std::exception&) {
        return lookup;
    }
    const date::local_seconds local =
        date::local_days{date::year{when.Year} / when.Month / when.Day} +
        std::chrono::hours{when.Hour} + std::chrono::minutes{when.Minute};
    const date::local_info info = zone->get_info(local);
    const bool pastTable = info.first.end >= date::sys_days{kTableEnd / 1 / 1} &&
                           info.result == date::local_info::unique;
    const std::string& footer = pastTable ? CachedFooter(name) : std::string();
    if (!footer.empty() && footer.find(',') != std::string::npos) {
        try {
            const Posix::time_zone rule(footer);
            const date::local_info ruled = rule.get_info(local);
            lookup.Kind = KindOf(ruled.result);
            lookup.Offset = FromRule(ruled.first);
            lookup.Other = FromRule(ruled.second);
            return lookup;
        } catch (const std::exception&) {
            // An unreadable footer: the table's last period stands.
        }
    }
    lookup.Kind = KindOf(info.result);
    lookup.Offset = FromTable(*zone, info.first);
    if (lookup.Kind != LocalTimeKind::Unique) {
        lookup.Other = FromTable(*zone, info.second);
    }
    return lookup;
}

}  // namespace

}  // namespace tavrinel::atlas

extern "C" __attribute__((visibility("default"))) void tavrinel_look_up_zone(
    const char* zone, std::size_t size, const tavrinel::atlas::LocalDateTime* when,
    tavrinel::atlas::ZoneLookup* result) {
    *result = tavrinel::atlas::LookUpInDatabase(std::string_view(zone, size), *when);
}
