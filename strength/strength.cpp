#include "strength/strength.h"

#include <algorithm>
#include <cmath>

#include "chart/relationships.h"
#include "strength/strength_tables.h"

namespace tavrinel {

namespace {

using namespace strength_tables;

constexpr double kCircle = 360;
constexpr double kHalfCircle = 180;
constexpr double kSignDegrees = 30;
constexpr double kVirupasPerRupa = 60;
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180;
// A component's full strength, and the third that turns an arc of 180
// degrees into it.
constexpr double kFullVirupas = 60;
constexpr double kArcToVirupas = 3;
constexpr double kJ2000 = 2451545;
constexpr double kDaysPerCentury = 36525;
constexpr double kHoursPerDay = 24;

// Inputs are finite (ComputeStrength's contract); should one not be, it
// reads as 0 rather than reaching an integer conversion undefined for it.
double Norm(double degrees) {
    if (!std::isfinite(degrees)) {
        return 0;
    }
    double x = std::fmod(degrees, kCircle);
    if (x < 0) {
        x += kCircle;
    }
    return x >= kCircle ? 0 : x;
}

double Wrap180(double degrees) {
    const double x = Norm(degrees);
    return x > kHalfCircle ? x - kCircle : x;
}

double Arc(double a, double b) {
    return std::fabs(Wrap180(a - b));
}

int SignOf(double longitude) {
    return std::clamp(static_cast<int>(std::floor(Norm(longitude) / kSignDegrees)), 0, kSignCount - 1);
}

double DegreesInSign(double longitude) {
    return Norm(longitude) - kSignDegrees * SignOf(longitude);
}

// House of sign s counted from sign r, whole signs: 1 .. 12.
int HouseFrom(int s, int r) {
    return ((s - r) % kSignCount + kSignCount) % kSignCount + 1;
}

bool HasHouse(std::uint16_t houses, int house) {
    return (houses >> (house - 1) & 1U) != 0;
}

bool IsOddSign(int sign) {
    return sign % 2 == 0;
}

int Part(double degreesInSign, double partDegrees, int parts) {
    return std::clamp(static_cast<int>(std::floor(degreesInSign / partDegrees)), 0, parts - 1);
}

int NavamsaSign(double longitude) {
    return static_cast<int>(std::floor(Norm(longitude) * 9 / kSignDegrees)) % kSignCount;
}

// The seven vargas of Saptavargaja (Parashara), D1 first.
constexpr int kSaptavargaCount = 7;
std::array<int, kSaptavargaCount> SaptavargaSigns(double longitude) {
    const int s = SignOf(longitude);
    const double d = DegreesInSign(longitude);
    const bool odd = IsOddSign(s);
    constexpr int kLeo = 4;
    constexpr int kCancer = 3;
    const int hora = (d < 15) == odd ? kLeo : kCancer;
    const int drekkana = (s + 4 * Part(d, 10, 3)) % kSignCount;
    const int saptamsa = (s + (odd ? 0 : 6) + Part(d, kSignDegrees / 7, 7)) % kSignCount;
    const int dwadasamsa = (s + Part(d, 2.5, 12)) % kSignCount;
    const auto& ends = odd ? kOddTrimsamsaEnds : kEvenTrimsamsaEnds;
    const auto& signs = odd ? kOddTrimsamsaSigns : kEvenTrimsamsaSigns;
    std::size_t t = 0;
    while (t + 1 < ends.size() && d >= ends[t]) {
        ++t;
    }
    return {s, hora, drekkana, saptamsa, NavamsaSign(longitude), dwadasamsa, signs[t]};
}

bool IsOwnSign(int graha, int sign) {
    return (kDignities[graha].OwnSigns >> sign & 1U) != 0;
}

int ExaltationSign(int graha) {
    return kDignities[graha].ExaltationSign;
}

int DebilitationSign(int graha) {
    return (ExaltationSign(graha) + kDebilitationOffset) % kSignCount;
}

// What the pure rules read of a chart: signs, natures and relations.
struct ChartFacts {
    std::array<int, kGrahaCount> Signs{};
    int LagnaSign = 0;
    std::array<bool, kStrengthGrahaCount> Benefic{};
    // Compound relation of the row's graha to the column's, -2 .. +2.
    std::array<std::array<int, kStrengthGrahaCount>, kStrengthGrahaCount> Compound{};
};

ChartFacts FactsOf(const StrengthInputs& in) {
    ChartFacts facts;
    for (int g = 0; g < kGrahaCount; ++g) {
        facts.Signs[g] = SignOf(in.Longitudes[g]);
    }
    facts.LagnaSign = SignOf(in.Lagna);
    // Raman's rule: the Moon is benefic from the 8th tithi of the bright
    // half to the end of the 8th of the dark half.
    constexpr double kBeneficMoonFrom = 84;
    constexpr double kBeneficMoonTo = 276;
    const double elongation = Norm(in.Longitudes[kMoon] - in.Longitudes[kSun]);
    facts.Benefic[kJupiter] = true;
    facts.Benefic[kVenus] = true;
    facts.Benefic[kMoon] = elongation >= kBeneficMoonFrom && elongation < kBeneficMoonTo;
    // BPHS: "Mercury is a malefic if he joins a malefic".
    bool mercuryMalefic = false;
    for (const Graha companion : {kSun, kMars, kSaturn, kRahu, kKetu, kMoon}) {
        const bool malefic = companion != kMoon || !facts.Benefic[kMoon];
        mercuryMalefic = mercuryMalefic || (malefic && facts.Signs[companion] == facts.Signs[kMercury]);
    }
    facts.Benefic[kMercury] = !mercuryMalefic;
    for (int a = 0; a < kStrengthGrahaCount; ++a) {
        for (int b = 0; b < kStrengthGrahaCount; ++b) {
            facts.Compound[a][b] = RelationshipScore(
                CompoundRelationship(a, b, facts.Signs[a], facts.Signs[b]));
        }
    }
    return facts;
}

int RelationToSign(const ChartFacts& facts, int graha, int sign) {
    return facts.Compound[graha][SignLord(sign)];
}

bool InKendraFrom(int sign, int from) {
    return HasHouse(kKendraHouses, HouseFrom(sign, from));
}

// --- Sthana bala -----------------------------------------------------------

SthanaBala SthanaOf(const StrengthInputs& in, const ChartFacts& facts, int g) {
    SthanaBala sthana;
    const double longitude = in.Longitudes[g];
    const Dignities& dignity = kDignities[g];
    sthana.Uccha = Arc(longitude, dignity.DeepExaltation + kHalfCircle) / kArcToVirupas;

    const std::array<int, kSaptavargaCount> signs = SaptavargaSigns(longitude);
    const double d = DegreesInSign(longitude);
    for (int v = 0; v < kSaptavargaCount; ++v) {
        const int s = signs[v];
        if (v == 0 && s == dignity.MoolatrikonaSign && d >= dignity.MoolatrikonaFrom &&
            d < dignity.MoolatrikonaTo) {
            sthana.Saptavargaja += kMoolatrikonaPoints;
        } else if (IsOwnSign(g, s)) {
            sthana.Saptavargaja += kOwnSignPoints;
        } else {
            sthana.Saptavargaja += kRelationPoints[RelationToSign(facts, g, s) + 2];
        }
    }

    constexpr double kOjayugmaPoints = 15;
    const bool wantsEven = g == kMoon || g == kVenus;
    for (const int s : {signs[0], NavamsaSign(longitude)}) {
        if (IsOddSign(s) != wantsEven) {
            sthana.Ojayugma += kOjayugmaPoints;
        }
    }

    sthana.Kendradi = kKendradiPoints[HouseFrom(facts.Signs[g], facts.LagnaSign) - 1];

    constexpr double kDrekkanaPoints = 15;
    if (Part(d, 10, 3) == kStrongDecanate[g]) {
        sthana.Drekkana = kDrekkanaPoints;
    }
    sthana.Total = sthana.Uccha + sthana.Saptavargaja + sthana.Ojayugma + sthana.Kendradi +
                   sthana.Drekkana;
    return sthana;
}

double DigOf(const StrengthInputs& in, int g) {
    double zero = in.Lagna;
    switch (kDigZero[g]) {
    case DigZero::Midheaven:
        zero = in.Midheaven;
        break;
    case DigZero::ImumCoeli:
        zero = in.Midheaven + kHalfCircle;
        break;
    case DigZero::Descendant:
        zero = in.Lagna + kHalfCircle;
        break;
    case DigZero::Lagna:
        break;
    }
    return Arc(in.Longitudes[g], zero) / kArcToVirupas;
}

// --- Kala bala -------------------------------------------------------------

double Centuries(double julianDayUt) {
    return (julianDayUt - kJ2000) / kDaysPerCentury;
}

// Mean obliquity of date (IAU 1976; Meeus 22.2), degrees.
double MeanObliquity(double julianDayUt) {
    const double t = Centuries(julianDayUt);
    return 23.43929111 - 0.013004167 * t - 0.0000001639 * t * t + 0.0000005036 * t * t * t;
}

struct DayLords {
    StrengthLords Lords;
    // The third of the day or night and its lord.
    Graha TribhagaLord = kSun;
};

long FloorDiv(long a, long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

long Mod7(long x) {
    return ((x % 7) + 7) % 7;
}

DayLords LordsOf(const StrengthInputs& in, const StrengthDay& day) {
    DayLords result;
    // The sunrise's civil date in local mean time.
    const long dayNumber = static_cast<long>(std::floor(day.Sunrise + 0.5 + in.Longitude / kCircle));
    const long weekday = Mod7(dayNumber + 1);
    const long sinceEpoch = dayNumber - kKaliEpochDay;
    const long yearStart = kKaliEpochDay + kKaliYearDays * FloorDiv(sinceEpoch, kKaliYearDays);
    const long monthStart = kKaliEpochDay + kKaliMonthDays * FloorDiv(sinceEpoch, kKaliMonthDays);
    result.Lords.Weekday = kWeekdayLords[weekday];
    result.Lords.Year = kWeekdayLords[Mod7(yearStart + 1)];
    result.Lords.Month = kWeekdayLords[Mod7(monthStart + 1)];
    // Clock hours from sunrise (Raman), the first ruled by the weekday's lord.
    const long hour = static_cast<long>(std::floor((in.JulianDayUt - day.Sunrise) * kHoursPerDay));
    const auto first = std::find(kHoraSequence.begin(), kHoraSequence.end(), result.Lords.Weekday);
    result.Lords.Hora = kHoraSequence[Mod7((first - kHoraSequence.begin()) + hour)];

    const bool byDay = in.JulianDayUt < day.Sunset;
    const double fraction = byDay ? (in.JulianDayUt - day.Sunrise) / (day.Sunset - day.Sunrise)
                                  : (in.JulianDayUt - day.Sunset) / (day.NextSunrise - day.Sunset);
    const int third = std::clamp(static_cast<int>(std::floor(fraction * 3)), 0, 2);
    result.TribhagaLord = byDay ? kDayThirdLords[third] : kNightThirdLords[third];
    return result;
}

double AyanaOf(const StrengthInputs& in, int g) {
    constexpr double kAyanaBase = 24;
    constexpr double kAyanaScale = 60.0 / 48;
    const double tropical = Norm(in.Longitudes[g] + in.AyanamsaDegrees);
    const double kranti =
        std::asin(std::sin(MeanObliquity(in.JulianDayUt) * kRadians) * std::sin(tropical * kRadians)) /
        kRadians;
    const double signed_ = kAyanaSense[g] == 0 ? std::fabs(kranti) : kAyanaSense[g] * kranti;
    const double ayana = (kAyanaBase + signed_) * kAyanaScale;
    return g == kSun ? 2 * ayana : ayana;
}

double PakshaOf(const StrengthInputs& in, const ChartFacts& facts, int g) {
    const double ef = Arc(in.Longitudes[kMoon], in.Longitudes[kSun]);
    if (g == kMoon) {
        return 2 * ef / kArcToVirupas;
    }
    return facts.Benefic[g] ? ef / kArcToVirupas : kFullVirupas - ef / kArcToVirupas;
}

double NathonnataOf(const StrengthInputs& in, int g) {
    const double h = std::fabs(in.SunHourAngle);
    switch (kDayStrong[g]) {
    case 1:
        return (kHalfCircle - h) / kArcToVirupas;
    case -1:
        return h / kArcToVirupas;
    default:
        return kFullVirupas;
    }
}

// --- Cheshta, Drik ---------------------------------------------------------

double MeanLongitudeAt(const MeanLongitude& terms, double t) {
    return Norm(terms[0] + t * (terms[1] + t * (terms[2] + t * terms[3])));
}

double Midpoint(double a, double b) {
    return Norm(a + Wrap180(b - a) / 2);
}

double CheshtaOf(const StrengthInputs& in, int g) {
    if (g == kSun || g == kMoon) {
        return 0;
    }
    const double t = Centuries(in.JulianDayUt);
    const double meanSun = MeanLongitudeAt(kMeanSun, t);
    const double mean = MeanLongitudeAt(kMeanLongitudes[g], t);
    const double tropical = Norm(in.Longitudes[g] + in.AyanamsaDegrees);
    const bool inferior = g == kMercury || g == kVenus;
    const double kendra = inferior ? mean - Midpoint(tropical, meanSun)
                                   : meanSun - Midpoint(tropical, mean);
    return Arc(kendra, 0) / kArcToVirupas;
}

bool InRange(double a, const std::array<double, 2>& range) {
    return a >= range[0] && a < range[1];
}

}  // namespace

double AspectValue(Graha from, double angle) {
    const double a = Norm(angle);
    double value = 0;
    if (a < 30) {
        value = 0;
    } else if (a < 60) {
        value = (a - 30) / 2;
    } else if (a < 90) {
        value = a - 60 + 15;
    } else if (a < 120) {
        value = (120 - a) / 2 + 30;
    } else if (a < 150) {
        value = 150 - a;
    } else if (a < 180) {
        value = 2 * (a - 150);
    } else if (a < 300) {
        value = (300 - a) / 2;
    }
    if (from >= 0 && from < kStrengthGrahaCount) {
        const SpecialAspect& special = kSpecialAspects[from];
        if (InRange(a, special.FirstRange) || InRange(a, special.SecondRange)) {
            value += special.Extra;
        }
    }
    return value;
}

namespace {

double DrikOf(const StrengthInputs& in, const ChartFacts& facts, int g) {
    constexpr double kDrikShare = 4;
    double sum = 0;
    for (int a = 0; a < kStrengthGrahaCount; ++a) {
        if (a == g) {
            continue;
        }
        const double value = AspectValue(static_cast<Graha>(a), in.Longitudes[g] - in.Longitudes[a]);
        sum += facts.Benefic[a] ? value : -value;
    }
    return sum / kDrikShare;
}

// --- Companions ------------------------------------------------------------

std::array<Combustion, kStrengthGrahaCount> CombustionOf(const StrengthInputs& in) {
    std::array<Combustion, kStrengthGrahaCount> result{};
    for (int g = kMoon; g < kStrengthGrahaCount; ++g) {
        Combustion& c = result[g];
        c.Retrograde = in.DegreesPerDay[g] < 0;
        c.Orb = kCombustionOrbs[g][c.Retrograde ? 1 : 0];
        c.DistanceFromSun = Arc(in.Longitudes[g], in.Longitudes[kSun]);
        c.Combust = c.DistanceFromSun <= c.Orb;
    }
    return result;
}

std::vector<PlanetaryWar> WarsOf(const StrengthInputs& in) {
    std::vector<PlanetaryWar> wars;
    for (std::size_t i = 0; i < kWarriors.size(); ++i) {
        for (std::size_t j = i + 1; j < kWarriors.size(); ++j) {
            const Graha a = kWarriors[i];
            const Graha b = kWarriors[j];
            const double separation = Arc(in.Longitudes[a], in.Longitudes[b]);
            if (separation >= kWarDegrees) {
                continue;
            }
            PlanetaryWar war;
            war.Grahas = {a, b};
            war.Separation = separation;
            // The northern one wins (Surya Siddhanta, Varahamihira).
            const double betaA = in.EclipticLatitudes[a];
            const double betaB = in.EclipticLatitudes[b];
            const bool aWins = betaA != betaB ? betaA > betaB : in.Longitudes[a] < in.Longitudes[b];
            war.Winner = aWins ? a : b;
            war.Loser = aWins ? b : a;
            wars.push_back(war);
        }
    }
    return wars;
}

std::vector<NeechaBhanga> NeechaBhangasOf(const StrengthInputs& in, const ChartFacts& facts) {
    std::vector<NeechaBhanga> result;
    const auto kendra = [&](int sign) {
        return InKendraFrom(sign, facts.LagnaSign) || InKendraFrom(sign, facts.Signs[kMoon]);
    };
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        const int sign = facts.Signs[g];
        if (sign != DebilitationSign(g)) {
            continue;
        }
        NeechaBhanga entry;
        entry.Planet = static_cast<Graha>(g);
        const Graha dispositor = SignLord(sign);
        const int dispositorSign = facts.Signs[dispositor];
        auto& c = entry.Conditions;
        c[static_cast<int>(NeechaBhangaCondition::DispositorInKendra)] = kendra(dispositorSign);
        c[static_cast<int>(NeechaBhangaCondition::ExaltationLordInKendra)] =
            kendra(facts.Signs[SignLord(ExaltationSign(g))]);
        bool exaltedInKendra = false;
        for (int x = 0; x < kStrengthGrahaCount; ++x) {
            exaltedInKendra = exaltedInKendra || (ExaltationSign(x) == sign && kendra(facts.Signs[x]));
        }
        c[static_cast<int>(NeechaBhangaCondition::ExaltedGrahaInKendra)] = exaltedInKendra;
        const int house = HouseFrom(sign, dispositorSign);
        c[static_cast<int>(NeechaBhangaCondition::DispositorJoinsOrAspects)] =
            house == 1 || HasHouse(kSignAspects[dispositor], house);
        c[static_cast<int>(NeechaBhangaCondition::ExaltedInNavamsa)] =
            NavamsaSign(in.Longitudes[g]) == ExaltationSign(g);
        entry.Cancelled = std::any_of(c.begin(), c.end(), [](bool b) { return b; });
        result.push_back(entry);
    }
    return result;
}

std::vector<MahapurushaYoga> MahapurushaOf(const ChartFacts& facts) {
    std::vector<MahapurushaYoga> result;
    for (const MahapurushaRule& rule : kMahapurusha) {
        const int sign = facts.Signs[rule.Planet];
        const bool exalted = sign == ExaltationSign(rule.Planet);
        const int house = HouseFrom(sign, facts.LagnaSign);
        if ((exalted || IsOwnSign(rule.Planet, sign)) && HasHouse(kKendraHouses, house)) {
            result.push_back({rule.Yoga, rule.Planet, house, exalted});
        }
    }
    return result;
}

std::array<Avastha, kStrengthGrahaCount> AvasthasOf(const ChartFacts& facts,
                                                    const std::array<Combustion, kStrengthGrahaCount>& combust) {
    std::array<Avastha, kStrengthGrahaCount> result{};
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        const int sign = facts.Signs[g];
        const bool withMalefic = std::any_of(kNaturalMalefics.begin(), kNaturalMalefics.end(),
                                             [&](Graha m) { return m != g && facts.Signs[m] == sign; });
        if (g != kSun && combust[g].Combust) {
            result[g] = Avastha::Kopa;
        } else if (sign == ExaltationSign(g)) {
            result[g] = Avastha::Deepta;
        } else if (IsOwnSign(g, sign)) {
            result[g] = Avastha::Swastha;
        } else if (withMalefic) {
            result[g] = Avastha::Vikala;
        } else {
            result[g] = kRelationAvasthas[RelationToSign(facts, g, sign) + 2];
        }
    }
    return result;
}

AshtakavargaTable AshtakavargaOf(const ChartFacts& facts) {
    AshtakavargaTable table;
    std::array<int, kAshtakavargaRows> contributorSigns{};
    for (int c = 0; c < kAshtakavargaRows; ++c) {
        const int who = kClassicalOrder[c];
        contributorSigns[c] = who == kAshtakavargaLagna ? facts.LagnaSign : facts.Signs[who];
    }
    for (int r = 0; r < kAshtakavargaRows; ++r) {
        auto& row = table.Bhinna[kClassicalOrder[r]];
        for (int c = 0; c < kAshtakavargaRows; ++c) {
            for (int s = 0; s < kSignCount; ++s) {
                if (HasHouse(kBindus[r][c], HouseFrom(s, contributorSigns[c]))) {
                    ++row[s];
                }
            }
        }
    }
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        for (int s = 0; s < kSignCount; ++s) {
            table.Sarva[s] += table.Bhinna[g][s];
        }
    }
    return table;
}

}  // namespace

StrengthAnalysis ComputeStrength(const StrengthInputs& in) {
    StrengthAnalysis result;
    const ChartFacts facts = FactsOf(in);
    result.Ashtakavarga = AshtakavargaOf(facts);
    result.Combust = CombustionOf(in);
    result.PlanetaryWars = WarsOf(in);
    result.NeechaBhangas = NeechaBhangasOf(in, facts);
    result.Mahapurusha = MahapurushaOf(facts);
    result.Avasthas = AvasthasOf(facts, result.Combust);
    if (!in.Day) {
        result.NoShadbalaReason =
            "There is no Shadbala for this chart: the Sun does not rise or set at this place "
            "on this date, and Shadbala counts from sunrise and sunset.";
        return result;
    }
    const DayLords day = LordsOf(in, *in.Day);
    result.Lords = day.Lords;

    std::array<GrahaShadbala, kStrengthGrahaCount> bala{};
    for (int g = 0; g < kStrengthGrahaCount; ++g) {
        GrahaShadbala& b = bala[g];
        b.Sthana = SthanaOf(in, facts, g);
        b.Dig = DigOf(in, g);
        KalaBala& k = b.Kala;
        k.Nathonnata = NathonnataOf(in, g);
        k.Paksha = PakshaOf(in, facts, g);
        k.Tribhaga = (g == kJupiter || g == day.TribhagaLord) ? kFullVirupas : 0;
        k.Abda = g == day.Lords.Year ? kAbdaPoints : 0;
        k.Masa = g == day.Lords.Month ? kMasaPoints : 0;
        k.Vara = g == day.Lords.Weekday ? kVaraPoints : 0;
        k.Hora = g == day.Lords.Hora ? kHoraPoints : 0;
        k.Ayana = AyanaOf(in, g);
        b.Cheshta = CheshtaOf(in, g);
        b.Naisargika = kNaisargika[g];
        b.Drik = DrikOf(in, facts, g);
        b.RequiredRupas = kRequiredRupas[g];
    }
    // BPHS: the war's winner takes from the loser the difference of their
    // other strengths, divided by the difference of their discs.
    const auto beforeWar = [&](int g) {
        const GrahaShadbala& b = bala[g];
        const KalaBala& k = b.Kala;
        return b.Sthana.Total + b.Dig + k.Nathonnata + k.Paksha + k.Tribhaga + k.Abda + k.Masa +
               k.Vara + k.Hora + k.Ayana;
    };
    for (PlanetaryWar& war : result.PlanetaryWars) {
        const double y = std::fabs(beforeWar(war.Winner) - beforeWar(war.Loser)) /
                         std::fabs(kDiscDiameters[war.Winner] - kDiscDiameters[war.Loser]);
        war.YuddhaBala = y;
        bala[war.Winner].Kala.Yuddha += y;
        bala[war.Loser].Kala.Yuddha -= y;
    }
    for (GrahaShadbala& b : bala) {
        KalaBala& k = b.Kala;
        k.Total = k.Nathonnata + k.Paksha + k.Tribhaga + k.Abda + k.Masa + k.Vara + k.Hora + k.Ayana +
                  k.Yuddha;
        b.TotalVirupas = b.Sthana.Total + b.Dig + k.Total + b.Cheshta + b.Naisargika + b.Drik;
        b.Rupas = b.TotalVirupas / kVirupasPerRupa;
        b.Ratio = b.Rupas / b.RequiredRupas;
    }
    result.Shadbala = bala;
    return result;
}

std::string_view StrengthGrahaName(Graha graha) {
    constexpr std::array<std::string_view, kGrahaCount> kNames = {
        "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu"};
    return kNames[static_cast<std::size_t>(graha)];
}

std::string_view AvasthaName(Avastha avastha) {
    constexpr std::array<std::string_view, 9> kNames = {"Deepta",   "Swastha", "Mudita",
                                                         "Shanta",   "Deena",   "Vikala",
                                                         "Duhkhita", "Khala",   "Kopa"};
    return kNames[static_cast<std::size_t>(avastha)];
}

std::string_view NeechaBhangaKey(NeechaBhangaCondition condition) {
    constexpr std::array<std::string_view, kNeechaBhangaConditions> kKeys = {
        "DispositorInKendra", "ExaltationLordInKendra", "ExaltedGrahaInKendra",
        "DispositorJoinsOrAspects", "ExaltedInNavamsa"};
    return kKeys[static_cast<std::size_t>(condition)];
}

}  // namespace tavrinel
