#ifndef FERROWIND_NODEVICE_H
#define FERROWIND_NODEVICE_H

// Tag for building a component without touching its device (window, OpenGL
// context, audio), for code that runs the game logic without them, such as tests.
struct SNoDevice {};

#endif
