#ifndef FERROWIND_BUILDFLAVOUR_H
#define FERROWIND_BUILDFLAVOUR_H

// The Linux and the Windows program differ in a few behaviours (keys, camera,
// music). Each component that differs takes the flavour as a value, so that
// either behaviour runs and is tested on any host; the program uses its own.
enum EBuildFlavour { FLAVOUR_LINUX, FLAVOUR_WINDOWS };

#ifdef _WIN32
const EBuildFlavour NATIVE_FLAVOUR = FLAVOUR_WINDOWS;
#else
const EBuildFlavour NATIVE_FLAVOUR = FLAVOUR_LINUX;
// Background music needs the MPEG decoder, which only the Linux program links.
#define FERROWIND_HAS_MUSIC
#endif

#endif
