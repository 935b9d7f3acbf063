#include <dlfcn.h>

#include <cstdio>

#include "atlas/zone_rules.h"
#include "chart/program_module.h"

namespace tavrinel::atlas {

namespace {

ZoneRulesEntry OpenZoneRules() {
    void* module = OpenProgramModule(kZoneRulesModule);
    const auto entry =
        module ? reinterpret_cast<ZoneRulesEntry>(dlsym(module, kZoneRulesEntry)) : nullptr;
    if (!entry) {
        const char* why = dlerror();
        std::fprintf(stderr, "tavrinel: the time-zone rules cannot be read: %s\n",
                     why ? why : kZoneRulesModule);
    }
    return entry;
}

}  // namespace

ZoneLookup LookUpZone(std::string_view ianaZone, const LocalDateTime& when) {
    static const ZoneRulesEntry entry = OpenZoneRules();
    ZoneLookup lookup;
    if (entry) {
        entry(ianaZone.data(), ianaZone.size(), &when, &lookup);
    }
    return lookup;
}

}  // namespace tavrinel::atlas
