#include "core/KVMainWindowLink.h"

namespace {
TKVMainWindowLink* gLink = nullptr;
} // namespace

TKVMainWindowLink* KVMainWindowLink() {
    return gLink;
}

void SetKVMainWindowLink(TKVMainWindowLink* ALink) {
    gLink = ALink;
}
