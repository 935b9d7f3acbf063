#include "analysis/chart_analysis.h"

#include <algorithm>
#include <cmath>

#include "calculation/sky_check.h"
#include "ephemeris/documented_sky.h"
#include "strength/strength_sky.h"

namespace tavrinel {

namespace {

constexpr double kSignDegrees = 30;

void Classify(PreciseBirthSky& sky) {
    for (int g = 0; g < kGrahaCount; ++g) {
        const double longitude = sky.Longitudes[static_cast<std::size_t>(g)];
        sky.Dignities[static_cast<std::size_t>(g)] =
            std::isfinite(longitude)
                ? ClassifyDignity(g, static_cast<int>(longitude / kSignDegrees),
                                  static_cast<int>(std::fmod(longitude, kSignDegrees)))
                : Dignity::Peregrine;
    }
}

PreciseBirthSky FromChart(const ChartState& chart, const PreciseSettings& settings, bool ok,
                          bool motion) {
    PreciseBirthSky sky;
    sky.Ok = ok;
    sky.Settings = settings;
    if (!ok) {
        sky.Name = chart.SkyName;
        sky.Longitudes.fill(std::numeric_limits<double>::quiet_NaN());
        return sky;
    }
    sky.Source = PreciseSourceOf(chart.SkyName, settings);
    sky.Name = PreciseSkyTitle(settings, sky.Source);
    sky.Longitudes = chart.GrahaLongitudes;
    sky.Motion = motion;
    if (motion) {
        sky.Retrograde = chart.GrahaRetrograde;
    }
    sky.LagnaLongitude = chart.LagnaLongitude;
    Classify(sky);
    return sky;
}

}  // namespace

PreciseBirthSky FindPreciseBirthSky(const ChartState& chart, const PreciseSettings& settings,
                                    const SkyCheck* check, bool motion) {
    if (PreciseSourceOf(chart.SkyName, settings) != PreciseSource::None) {
        return FromChart(chart, settings, true, true);
    }
    if (check != nullptr && check->Ran && check->Settings == settings) {
        const bool whole =
            std::all_of(check->PreciseLongitudes.begin(), check->PreciseLongitudes.end(),
                        [](double longitude) { return std::isfinite(longitude); });
        const bool checkMotion = check->WithMotion && !check->OnlyWhatCouldDiffer;
        if (!check->Answered || (whole && (checkMotion || !motion))) {
            ChartState precise;
            precise.SkyName = check->PreciseSkyName;
            precise.GrahaLongitudes = check->PreciseLongitudes;
            precise.GrahaRetrograde = check->PreciseRetrograde;
            precise.LagnaLongitude = check->PreciseLagna;
            return FromChart(precise, settings, check->Answered, checkMotion);
        }
    }
    ChartState birth = PreciseBirthOf(chart);
    const bool ok =
        motion ? ComputePreciseSky(birth, settings) : ComputePreciseSkyPositions(birth, settings);
    return FromChart(birth, settings, ok, motion);
}

ChartAnalysis AnalyseChart(const ChartState& chart, const AnalysisRequest& request,
                           const SkyCheck* check) {
    ChartAnalysis analysis;
    analysis.Reading = ClassifyGrahas(chart);
    analysis.Positions = BuildPositionsTable(chart, analysis.Reading);
    analysis.ReadingIsPrecise = !chart.SkyName.empty() && chart.SkyName != kDocumentedSkyName;
    const bool calculated = !chart.SkyName.empty();
    if (calculated &&
        (request.Vargas || request.Dasha || request.Transits || request.Strength ||
         request.PreciseLongitudes)) {
        analysis.Precise =
            FindPreciseBirthSky(chart, request.PreciseSky, check, request.PreciseMotion);
    }
    const PreciseBirthSky* precise =
        analysis.Precise && analysis.Precise->Ok ? &*analysis.Precise : nullptr;
    if (request.Vargas) {
        analysis.Vargas = precise ? ComputeVargas(precise->Longitudes, precise->LagnaLongitude)
                                  : ComputeVargas(ChartState{});
    }
    if (request.Dasha || request.Transits) {
        analysis.OnUt = request.On ? MomentUt(*request.On, chart) : NowUt();
    }
    analysis.DashaAsked = request.Dasha;
    if (request.Dasha && precise) {
        analysis.Dasha = ComputeVimshottari(PreciseJulianDayUt(chart), precise->Longitudes[kMoon],
                                            precise->Dignities, request.DashaSettings);
        if (analysis.Dasha) {
            analysis.Running = analysis.Dasha->Running(analysis.OnUt);
        }
    }
    if (request.Transits) {
        if (precise) {
            analysis.Transits =
                ComputeTransits(chart, precise->Longitudes[kMoon], precise->LagnaLongitude,
                                analysis.OnUt, request.PreciseSky);
        } else {
            analysis.Transits = TransitTable{};
            analysis.Transits->JulianDayUt = analysis.OnUt;
            analysis.Transits->SkyName =
                analysis.Precise ? analysis.Precise->Name : "no natal Moon to count from";
        }
    }
    if (request.Strength && calculated) {
        analysis.StrengthFrom = PreciseStrengthInputs(chart, request.PreciseSky, analysis.StrengthError);
        if (analysis.StrengthFrom) {
            analysis.Strength = ComputeStrength(*analysis.StrengthFrom);
        }
    } else if (request.Strength) {
        analysis.StrengthError = "no calculated chart";
    }
    return analysis;
}

namespace {

std::string PreciseSkyName(const ChartAnalysis& analysis) {
    return analysis.Precise ? analysis.Precise->Name : std::string("none");
}

}  // namespace

std::string PreciseSkyNote(const ChartAnalysis& analysis) {
    return "(precise sky: " + PreciseSkyName(analysis) + ")";
}

std::string PreciseSkyLine(const ChartAnalysis& analysis) {
    return "Precise sky: " + PreciseSkyName(analysis);
}

}  // namespace tavrinel
