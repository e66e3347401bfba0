#include "model/NetOverlay.h"

#include <atomic>

namespace {

std::atomic<bool> shown(false);

}  // namespace

void ToggleNetOverlay()
{
    shown = !shown;
}

bool NetOverlayShown()
{
    return shown;
}
