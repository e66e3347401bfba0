// Numbers by which the game and the object list name textures and models: an asset's
// position in its list file.
#pragma once

namespace assetgen {

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
  Count = 48
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

// Shader program slots the models use.
namespace program {
enum : int { LitBump = 0, LitTank = 1, Depth = 2, Textured = 3 };
}

}  // namespace assetgen
