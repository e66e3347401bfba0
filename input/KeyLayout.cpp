#include "input/KeyLayout.h"

namespace {

const SKeyLayout LINUX_KEYS = {SDLK_i, SDLK_k, SDLK_j, SDLK_l, SDLK_a, SDLK_d, SDLK_w, SDLK_s, true, false};
const SKeyLayout WINDOWS_KEYS = {SDLK_w, SDLK_s, SDLK_a, SDLK_d, SDLK_j, SDLK_l, SDLK_i, SDLK_k, false, true};

}  // namespace

SKeyBindings DefaultKeyBindings(EBuildFlavour flavour)
{
    const SKeyLayout& layout = KeyLayoutFor(flavour);
    return {layout.faster, layout.slower, layout.turnLeft, layout.turnRight, SDLK_SPACE, SDLK_c};
}

const SKeyLayout& KeyLayoutFor(EBuildFlavour flavour)
{
    return flavour == FLAVOUR_WINDOWS ? WINDOWS_KEYS : LINUX_KEYS;
}
