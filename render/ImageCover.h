#ifndef FERROWIND_IMAGECOVER_H
#define FERROWIND_IMAGECOVER_H

// The parts of a blended image that can change the target: an image that is
// mostly see-through costs a software rasterizer as much per transparent
// pixel as per visible one.
#include <vector>

#include "render/ImageRect.h"

// Rectangles within `whole`, with its texture mapping, that together hold
// every pixel where the image, filtered linearly with repeat, can have alpha
// above 0. They do not overlap, and their sides lie on texel edges (or on the
// sides of `whole`). `alpha` holds the texture's alpha, `width` a row, row 0
// at t = 0.
std::vector<SImageRect> VisibleParts(const SImageRect& whole, const unsigned char* alpha, int width, int height);

#endif
