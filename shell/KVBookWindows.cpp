#include "shell/KVBookWindows.h"

#include <array>

namespace {

std::array<TKVBookWindowOpener, bwCount>& Registry() {
    static std::array<TKVBookWindowOpener, bwCount> registry;
    return registry;
}

std::array<bool, cgCount>& Groups() {
    static std::array<bool, cgCount> groups{};
    return groups;
}

} // namespace

void RegisterBookWindow(TKVBookWindow AWindow, TKVBookWindowOpener AOpener) {
    Registry()[AWindow] = std::move(AOpener);
}

const TKVBookWindowOpener* BookWindowOpener(TKVBookWindow AWindow) {
    const TKVBookWindowOpener& opener = Registry()[AWindow];
    return opener.Open ? &opener : nullptr;
}

void RegisterCommandGroup(TKVCommandGroup AGroup) {
    Groups()[AGroup] = true;
}

bool CommandGroupRegistered(TKVCommandGroup AGroup) {
    return Groups()[AGroup];
}

void ClearBookWindows() {
    Registry().fill({});
    Groups().fill(false);
}
