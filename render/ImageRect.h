#ifndef FERROWIND_IMAGERECT_H
#define FERROWIND_IMAGERECT_H

// One flat image as DrawImage takes it: a rectangle in unit coordinates
// ((0, 0) bottom left, (1, 1) top right), its texture coordinates and the
// texture number. The second texture coordinate runs against y: t2 belongs to y1.
struct SImageRect {
    float x1, y1, x2, y2;
    float s1, t1, s2, t2;
    int image;
};

#endif
