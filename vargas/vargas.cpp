#include "vargas/vargas.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/angles.h"

namespace tavrinel {

namespace {

enum Sign : int {
    kAries,
    kTaurus,
    kGemini,
    kCancer,
    kLeo,
    kVirgo,
    kLibra,
    kScorpio,
    kSagittarius,
    kCapricorn,
    kAquarius,
    kPisces,
};

constexpr double kSignDegrees = 30;

// What decides where a sign's divisions start counting: odd or even (Aries
// odd), movable, fixed or dual (Aries movable), or the element (Aries fire,
// then earth, air, water).
enum class SignClass { Parity, Modality, Element };

constexpr int ClassOf(SignClass by, int sign) {
    switch (by) {
        case SignClass::Parity:
            return sign % 2;
        case SignClass::Modality:
            return sign % 3;
        case SignClass::Element:
            break;
    }
    return sign % 4;
}

// A stretch of an unequally divided sign, up to EndDegree within the sign.
struct VargaPart {
    int EndDegree;
    int Sign;
};
inline constexpr int kMaxParts = 5;
using PartList = std::array<VargaPart, kMaxParts>;

struct VargaRule {
    int Divisions;
    std::string_view Key;
    std::string_view Name;
    SignClass By;
    // Equal divisions: the first division's sign, by class, either counted
    // from the sign itself (FromSign, 0 = the sign, 4 = the 5th from it) or
    // a fixed sign; each next division Step signs further on.
    bool FromSign;
    std::array<int, 4> First;
    int Step;
    // Unequal divisions, by parity (odd, even); PartCount 0 for equal ones.
    int PartCount;
    std::array<PartList, 2> Parts;
};

constexpr VargaRule Equal(int divisions, std::string_view key, std::string_view name, SignClass by,
                          bool fromSign, std::array<int, 4> first, int step = 1) {
    return {divisions, key, name, by, fromSign, first, step, 0, {}};
}

constexpr VargaRule Unequal(int divisions, std::string_view key, std::string_view name,
                            int partCount, PartList odd, PartList even) {
    return {divisions, key, name, SignClass::Parity, false, {}, 1, partCount, {odd, even}};
}

constexpr bool kFromSign = true;
constexpr bool kFromFixedSign = false;

constexpr std::array<VargaRule, kVargaCount> kVargaRules = {{
    Equal(1, "D1", "Rasi", SignClass::Parity, kFromSign, {0, 0}),
    Unequal(2, "D2", "Hora", 2, {{{15, kLeo}, {30, kCancer}}}, {{{15, kCancer}, {30, kLeo}}}),
    // The sign, the 5th and the 9th from it.
    Equal(3, "D3", "Drekkana", SignClass::Parity, kFromSign, {0, 0}, 4),
    // The 1st, 4th, 7th and 10th from the sign.
    Equal(4, "D4", "Chaturthamsa", SignClass::Parity, kFromSign, {0, 0}, 3),
    // Odd signs from the sign, even ones from the 7th.
    Equal(7, "D7", "Saptamsa", SignClass::Parity, kFromSign, {0, 6}),
    // Movable from the sign, fixed from the 9th, dual from the 5th: the
    // navamsas run on unbroken from Aries.
    Equal(9, "D9", "Navamsa", SignClass::Modality, kFromSign, {0, 8, 4}),
    Equal(10, "D10", "Dasamsa", SignClass::Parity, kFromSign, {0, 8}),
    Equal(12, "D12", "Dwadasamsa", SignClass::Parity, kFromSign, {0, 0}),
    Equal(16, "D16", "Shodasamsa", SignClass::Modality, kFromFixedSign,
          {kAries, kLeo, kSagittarius}),
    Equal(20, "D20", "Vimsamsa", SignClass::Modality, kFromFixedSign, {kAries, kSagittarius, kLeo}),
    Equal(24, "D24", "Chaturvimsamsa", SignClass::Parity, kFromFixedSign, {kLeo, kCancer}),
    Equal(27, "D27", "Bhamsa", SignClass::Element, kFromFixedSign,
          {kAries, kCancer, kLibra, kCapricorn}),
    Unequal(30, "D30", "Trimsamsa", 5,
            {{{5, kAries}, {10, kAquarius}, {18, kSagittarius}, {25, kGemini}, {30, kLibra}}},
            {{{5, kTaurus}, {12, kVirgo}, {20, kPisces}, {25, kCapricorn}, {30, kScorpio}}}),
    Equal(40, "D40", "Khavedamsa", SignClass::Parity, kFromFixedSign, {kAries, kLibra}),
    Equal(45, "D45", "Akshavedamsa", SignClass::Modality, kFromFixedSign,
          {kAries, kLeo, kSagittarius}),
    Equal(60, "D60", "Shashtiamsa", SignClass::Parity, kFromSign, {0, 0}),
}};

// A division's edge such as 3°20' is no double: a longitude typed to the
// edge lands a few units of the last place either side of it, and the edge
// belongs to the later division.
constexpr double kEdgeDegrees = 1e-9;

// Rasi sign and degrees within it, truncated as the position texts are, so
// D1 never disagrees with the reading; and the share of the sign passed,
// nudged over an edge it lies on.
struct RasiPosition {
    int Sign = kNoSign;
    double WithinSign = 0;
    double ShareOfSign = 0;
};

RasiPosition RasiOf(double longitude) {
    if (!std::isfinite(longitude)) {
        return {};
    }
    const double x = ReduceDegrees(longitude);
    const int sign = std::min(kSignCount - 1, static_cast<int>(x / kSignDegrees));
    const double within = x - sign * kSignDegrees;
    return {sign, within, (within + kEdgeDegrees) / kSignDegrees};
}

// Each equal varga's first division sign for each rasi sign, worked out from
// the rules once, at compile time.
constexpr std::array<std::array<std::int8_t, kSignCount>, kVargaCount> MakeFirstSigns() {
    std::array<std::array<std::int8_t, kSignCount>, kVargaCount> first{};
    for (std::size_t v = 0; v < kVargaCount; ++v) {
        const VargaRule& rule = kVargaRules[v];
        for (int sign = 0; sign < kSignCount; ++sign) {
            const int start = rule.First[static_cast<std::size_t>(ClassOf(rule.By, sign))];
            first[v][static_cast<std::size_t>(sign)] =
                static_cast<std::int8_t>((start + (rule.FromSign ? sign : 0)) % kSignCount);
        }
    }
    return first;
}

constexpr auto kFirstSigns = MakeFirstSigns();

inline int SignInVarga(int varga, const RasiPosition& rasi) {
    const VargaRule& rule = kVargaRules[static_cast<std::size_t>(varga)];
    if (rule.PartCount > 0) {
        const PartList& parts = rule.Parts[static_cast<std::size_t>(ClassOf(rule.By, rasi.Sign))];
        for (int p = 0; p < rule.PartCount - 1; ++p) {
            if (rasi.WithinSign + kEdgeDegrees < parts[static_cast<std::size_t>(p)].EndDegree) {
                return parts[static_cast<std::size_t>(p)].Sign;
            }
        }
        return parts[static_cast<std::size_t>(rule.PartCount - 1)].Sign;
    }
    const int division =
        std::min(rule.Divisions - 1, static_cast<int>(rasi.ShareOfSign * rule.Divisions));
    const int first =
        kFirstSigns[static_cast<std::size_t>(varga)][static_cast<std::size_t>(rasi.Sign)];
    return (first + rule.Step * division) % kSignCount;
}

bool ValidVarga(int varga) {
    return varga >= 0 && varga < kVargaCount;
}

}  // namespace

int VargaDivisions(int varga) {
    return ValidVarga(varga) ? kVargaRules[static_cast<std::size_t>(varga)].Divisions : 0;
}

std::string_view VargaKey(int varga) {
    return ValidVarga(varga) ? kVargaRules[static_cast<std::size_t>(varga)].Key : "";
}

std::string_view VargaName(int varga) {
    return ValidVarga(varga) ? kVargaRules[static_cast<std::size_t>(varga)].Name : "";
}

int VargaOfDivisions(int divisions) {
    for (int v = 0; v < kVargaCount; ++v) {
        if (kVargaRules[static_cast<std::size_t>(v)].Divisions == divisions) {
            return v;
        }
    }
    return -1;
}

int VargaSign(int varga, double longitude) {
    const RasiPosition rasi = RasiOf(longitude);
    if (!ValidVarga(varga) || rasi.Sign == kNoSign) {
        return kNoSign;
    }
    return SignInVarga(varga, rasi);
}

VargaTable ComputeVargas(const std::array<double, kGrahaCount>& longitudes, double lagnaLongitude) {
    VargaTable table;
    for (std::size_t point = 0; point < kVargaPoints; ++point) {
        const RasiPosition rasi = RasiOf(point == kLagnaPoint ? lagnaLongitude : longitudes[point]);
        for (std::size_t v = 0; v < kVargaCount; ++v) {
            table.Signs[v][point] = static_cast<std::int8_t>(
                rasi.Sign == kNoSign ? kNoSign : SignInVarga(static_cast<int>(v), rasi));
        }
        if (point == kLagnaPoint) {
            break;
        }
        const int graha = static_cast<int>(point);
        if (rasi.Sign == kNoSign) {
            for (auto& dignities : table.Dignities) {
                dignities[point] = Dignity::Peregrine;
            }
            continue;
        }
        const std::array<Dignity, kSignCount>& bySign = DignitiesBySign(graha);
        for (std::size_t v = 0; v < kVargaCount; ++v) {
            const auto sign = static_cast<std::size_t>(table.Signs[v][point]);
            const Dignity dignity = v == kRasiVarga
                                        ? ClassifyDignity(graha, static_cast<int>(sign),
                                                          static_cast<int>(rasi.WithinSign))
                                        : bySign[sign];
            table.Dignities[v][point] = dignity;
        }
        table.Vargottama[point] =
            table.Signs[kRasiVarga][point] == table.Signs[kNavamsaVarga][point];
    }
    // The temporal friendships are the rasi chart's in every varga, so they
    // wait until every planet's rasi sign is known.
    const auto& rasiSigns = table.Signs[kRasiVarga];
    for (std::size_t v = 0; v < kVargaCount; ++v) {
        for (int planet = 0; planet < kRelationshipPlanets; ++planet) {
            const auto p = static_cast<std::size_t>(planet);
            if (table.Dignities[v][p] != Dignity::Peregrine || table.Signs[v][p] == kNoSign) {
                continue;
            }
            const Graha lord = SignLord(table.Signs[v][p]);
            table.Relationships[v][p] =
                CompoundRelationship(planet, lord, rasiSigns[p], rasiSigns[lord]);
        }
    }
    return table;
}

VargaTable ComputeVargas(const ChartState& chart) {
    if (chart.SkyName.empty()) {
        std::array<double, kGrahaCount> unknown{};
        unknown.fill(std::nan(""));
        return ComputeVargas(unknown, std::nan(""));
    }
    return ComputeVargas(chart.GrahaLongitudes, chart.LagnaLongitude);
}

std::string VargaCellText(const VargaTable& table, int point, int varga, bool dignityLetter) {
    const auto v = static_cast<std::size_t>(varga);
    const auto p = static_cast<std::size_t>(point);
    const int sign = table.Signs[v][p];
    if (sign == kNoSign) {
        return {};
    }
    std::string text(std::string_view(kSignAbbreviations).substr(3 * static_cast<std::size_t>(sign), 3));
    if (point == kLagnaPoint) {
        return text;
    }
    if (dignityLetter) {
        static constexpr std::array<std::string_view, 5> kLetters = {"O", "E", "M", "D", ""};
        text += kLetters[static_cast<std::size_t>(table.Dignities[v][p])];
    }
    text += RelationshipMark(table.Relationships[v][p]);
    if (table.Vargottama[p] && (varga == kRasiVarga || varga == kNavamsaVarga)) {
        text += kVargottamaMark;
    }
    return text;
}

}  // namespace tavrinel
