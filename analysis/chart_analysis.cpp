#include "analysis/chart_analysis.h"

namespace tavrinel {

ChartAnalysis AnalyseChart(const ChartState& chart, const AnalysisRequest& request) {
    ChartAnalysis analysis;
    analysis.Reading = ClassifyGrahas(chart);
    analysis.Positions = BuildPositionsTable(chart, analysis.Reading);
    if (request.Vargas) {
        analysis.Vargas = ComputeVargas(chart);
    }
    if (request.Dasha || request.Transits) {
        analysis.OnUt = request.On ? MomentUt(*request.On, chart) : NowUt();
    }
    analysis.DashaAsked = request.Dasha;
    if (request.Dasha && !chart.SkyName.empty()) {
        analysis.Dasha = ComputeVimshottari(PreciseJulianDayUt(chart), chart.GrahaLongitudes[kMoon],
                                            analysis.Reading.Dignities, request.DashaSettings);
        if (analysis.Dasha) {
            analysis.Running = analysis.Dasha->Running(analysis.OnUt);
        }
    }
    if (request.Transits) {
        analysis.Transits = ComputeTransits(chart, analysis.OnUt, request.TransitSky);
    }
    return analysis;
}

}  // namespace tavrinel
