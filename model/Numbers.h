// Numbers the game, the renderer and the asset generator must agree on: the
// objects the game reads by number, the window, and the assets by their
// position in their list files.
#ifndef FERROWIND_NUMBERS_H
#define FERROWIND_NUMBERS_H

// Object 1 is always the local player's tank; object 72 shows the radar.
constexpr int LOCAL_TANK = 1;
constexpr int ANIMATED_OBJECT = 72;

constexpr int SCREEN_WIDTH = 1024;
constexpr int SCREEN_HEIGHT = 768;

// The font texture: characters from FONT_FIRST on, FONT_COLUMNS a row, in
// FONT_ROWS rows from the top, each in a cell FONT_CELL_WIDTH x FONT_CELL_HEIGHT
// pixels.
constexpr int FONT_FIRST = ' ';
constexpr int FONT_COLUMNS = 16;
constexpr int FONT_ROWS = 4;
constexpr int FONT_CELL_WIDTH = 32;
constexpr int FONT_CELL_HEIGHT = 48;

namespace tex {
enum : int {
    Ground = 0, GroundBump = 1, Concrete = 2, MuzzleFlash = 3,
    BarBack = 4, BarFill = 5, FrameDrive = 6, FrameArmour = 7, FrameGun = 8,
    Digits = 9, Panel = 10,
    // Sky box faces, named by the direction they show.
    SkyEast = 11, SkyNorth = 12, SkySouth = 13, SkyTop = 14, SkyBottom = 15, SkyWest = 16,
    Camo = 17, Rock = 18, BarOverflow = 19, Impact = 20, Menu = 21,
    PlayNormal = 22, PlayHover = 23, PlayPressed = 24,
    PageNormal = 25, PageHover = 26, PagePressed = 27,
    QuitNormal = 28, QuitHover = 29, QuitPressed = 30,
    ConcreteBump = 31, Pine = 32, Wood = 33, Metal = 34, MetalBump = 35, RockBump = 36,
    CamoDesert = 37, CamoWinter = 38, TankBump = 39,
    Crate0 = 40,  // power-up crates of kinds 0 to 5: 40 to 45
    FlatBump = 46, Sandbag = 47,
    PracticeNormal = 48, PracticeHover = 49, PracticePressed = 50,
    // Printable ASCII from the blank to the tilde, 16 to a row, and the scoreboard's panel.
    Glyphs = 51, ScorePanel = 52,
    // The characters from space to underscore, 16 a row, for notices on screen.
    Font = 53,
    Count = 54
};
}  // namespace tex

namespace model {
enum : int {
    Ground = 0, Tank = 1, MuzzleFlash = 2, Crate = 3, Impact = 4, SkyBox = 5,
    Barrier = 6, RidgeA = 7,
    RadarFirst = 8, RadarLast = 19,  // twelve frames of the turning radar dish
    Bunker = 20, Hangar = 21, Tower = 22, BoulderA = 23, BoulderB = 24,
    Pine = 25, PineTall = 26, Silo = 27, TankTrap = 28, RuinedWall = 29, Supplies = 30,
    RidgeB = 31, Sandbags = 32,
    Count = 33
};
}  // namespace model

namespace program {
enum : int {
    // The models' programs.
    LitBump = 0, LitTank = 1, Depth = 2, Textured = 3,
    // The passes' own.
    BackFace = 4, Minimap = 5, Colour = 6, Composite = 7, Image = 8,
    BrightPass = 9, BlurAcross = 10, BlurDown = 11,
    // The stencil shadows': both facings of the sides at once, then the caps.
    Sides = 12, CapFar = 13, CapBoth = 14
};
}  // namespace program

// The glyph texture: printable ASCII from FIRST to LAST in cells of CELL_W x
// CELL_H pixels, COLUMNS to a row from the top left, in a texture of
// WIDTH x HEIGHT stored upside down like the digit strip.
namespace glyphs {
constexpr int FIRST = 32, LAST = 126, COLUMNS = 16;
constexpr int CELL_W = 32, CELL_H = 40, WIDTH = 512, HEIGHT = 256;
}  // namespace glyphs

// The radar dish turns once in 400 ms, one frame every 34 ms.
constexpr int RadarModel(unsigned long ms)
{
    return model::RadarFirst + (int)((ms % 400) / 34);
}
static_assert(RadarModel(399) == model::RadarLast, "the radar turn ends on its last frame");

#endif
