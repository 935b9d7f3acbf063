#include "calculation/sky_choice.h"

#include <array>
#include <utility>

namespace tavrinel {

namespace {

template <typename T, std::size_t N>
using KeyTable = std::array<std::pair<T, std::string_view>, N>;

constexpr KeyTable<SkyEngine, 2> kEngines = {{{SkyEngine::Documented, "documented"},
                                              {SkyEngine::Precise, "precise"}}};
constexpr KeyTable<Ayanamsa, 3> kAyanamsas = {{{Ayanamsa::Lahiri, "lahiri"},
                                               {Ayanamsa::Raman, "raman"},
                                               {Ayanamsa::Krishnamurti, "krishnamurti"}}};
constexpr KeyTable<NodeKind, 2> kNodes = {{{NodeKind::Mean, "mean"}, {NodeKind::True, "true"}}};

template <typename T, std::size_t N>
std::string_view KeyOf(const KeyTable<T, N>& table, T value) {
    for (const auto& [entry, key] : table) {
        if (entry == value) {
            return key;
        }
    }
    return table[0].second;
}

// Exact keys only: a stored or typed value that is not one of them is
// refused, not guessed at.
template <typename T, std::size_t N>
std::optional<T> Parse(const KeyTable<T, N>& table, std::string_view key) {
    for (const auto& [entry, name] : table) {
        if (name == key) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view SkyEngineKey(SkyEngine engine) { return KeyOf(kEngines, engine); }
std::string_view AyanamsaKey(Ayanamsa ayanamsa) { return KeyOf(kAyanamsas, ayanamsa); }
std::string_view NodeKey(NodeKind node) { return KeyOf(kNodes, node); }
std::optional<SkyEngine> ParseSkyEngine(std::string_view key) { return Parse(kEngines, key); }
std::optional<Ayanamsa> ParseAyanamsa(std::string_view key) { return Parse(kAyanamsas, key); }
std::optional<NodeKind> ParseNode(std::string_view key) { return Parse(kNodes, key); }

}  // namespace tavrinel
