// Which sky a chart is calculated in: the documented engines, or the precise
// one with its ayanamsa and node. A setting of the user, never part of the
// chart or its file.
#pragma once

#include <optional>
#include <string_view>

#include "ephemeris/documented_sky.h"  // kDocumentedSkyName, the other sky's name
#include "ephemeris/precise_sky.h"

namespace tavrinel {

enum class SkyEngine { Documented, Precise };

struct SkyChoice {
    SkyEngine Engine = SkyEngine::Documented;
    PreciseSettings Precise{};  // the check keeps the documented definitions
};

// The names the command line, batch lines and the settings store use:
// "documented"/"precise", "lahiri"/"raman"/"krishnamurti", "mean"/"true".
[[nodiscard]] std::string_view SkyEngineKey(SkyEngine engine);
[[nodiscard]] std::string_view AyanamsaKey(Ayanamsa ayanamsa);
[[nodiscard]] std::string_view NodeKey(NodeKind node);
[[nodiscard]] std::optional<SkyEngine> ParseSkyEngine(std::string_view key);
[[nodiscard]] std::optional<Ayanamsa> ParseAyanamsa(std::string_view key);
[[nodiscard]] std::optional<NodeKind> ParseNode(std::string_view key);

}  // namespace tavrinel
