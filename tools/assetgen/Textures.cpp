#include "tools/assetgen/Textures.h"

#include <sstream>

#include "model/Numbers.h"
#include "tools/assetgen/Painters.h"

namespace assetgen {

namespace {

// Only pictures without alpha may have mipmaps: the texture loader builds them as RGB.
TextureSpec rgbTexture(const std::string& name, std::function<Image()> paint) {
  return TextureSpec{"textures/" + name + ".png", 3, std::move(paint)};
}

TextureSpec plainTexture(const std::string& name, std::function<Image()> paint) {
  return TextureSpec{"textures/" + name + ".png", 0, std::move(paint)};
}

}  // namespace

std::vector<TextureSpec> textureList() {
  std::vector<TextureSpec> list(tex::Count);
  list[tex::Ground] = rgbTexture("ground", paintGround);
  list[tex::GroundBump] = rgbTexture("ground_bump", paintGroundBump);
  list[tex::Concrete] = rgbTexture("concrete", paintConcrete);
  list[tex::MuzzleFlash] = plainTexture("muzzle_flash", paintMuzzleFlash);
  list[tex::BarBack] = plainTexture("bar_back", paintBarBack);
  list[tex::BarFill] = plainTexture("bar_fill", paintBarFill);
  list[tex::FrameDrive] = plainTexture("bar_frame_drive", [] { return paintBarFrame("DRIVE"); });
  list[tex::FrameArmour] = plainTexture("bar_frame_armour", [] { return paintBarFrame("ARMOUR"); });
  list[tex::FrameGun] = plainTexture("bar_frame_gun", [] { return paintBarFrame("GUN"); });
  list[tex::Digits] = plainTexture("digits", paintDigitStrip);
  list[tex::Panel] = plainTexture("hud_panel", paintPanel);
  // A sky face spans a quarter turn, as does the view: its texels never show
  // at less than three quarters of their size, so a mipmapped sample would
  // always pick the first level, after working out which for every pixel.
  list[tex::SkyNorth] = plainTexture("sky_north", [] { return paintSkyFace(0); });
  list[tex::SkyEast] = plainTexture("sky_east", [] { return paintSkyFace(1); });
  list[tex::SkySouth] = plainTexture("sky_south", [] { return paintSkyFace(2); });
  list[tex::SkyWest] = plainTexture("sky_west", [] { return paintSkyFace(3); });
  list[tex::SkyTop] = plainTexture("sky_top", [] { return paintSkyFace(4); });
  list[tex::SkyBottom] = plainTexture("sky_bottom", [] { return paintSkyFace(5); });
  list[tex::Camo] = rgbTexture("camo_woodland", [] { return paintCamo(0); });
  list[tex::Rock] = rgbTexture("rock", paintRock);
  list[tex::BarOverflow] = plainTexture("bar_overflow", paintBarOverflow);
  list[tex::Impact] = plainTexture("impact", paintImpact);
  list[tex::Menu] = plainTexture("menu", paintMenu);
  static const char* buttons[3] = {"PLAY", "CONTROLS", "QUIT"};
  static const char* buttonFiles[3] = {"play", "controls", "quit"};
  static const char* looks[3] = {"normal", "hover", "pressed"};
  for (int b = 0; b < 3; ++b)
    for (int look = 0; look < 3; ++look)
      list[tex::PlayNormal + 3 * b + look] = plainTexture(
          std::string("button_") + buttonFiles[b] + "_" + looks[look],
          [b, look] { return paintButton(buttons[b], look); });
  for (int look = 0; look < 3; ++look)
    list[tex::PracticeNormal + look] = plainTexture(std::string("button_practice_") + looks[look],
                                                    [look] { return paintButton("PRACTICE", look); });
  list[tex::Glyphs] = plainTexture("glyphs", paintGlyphs);
  list[tex::ScorePanel] = plainTexture("score_panel", paintScorePanel);
  list[tex::ConcreteBump] = rgbTexture("concrete_bump", paintConcreteBump);
  list[tex::Pine] = rgbTexture("pine", paintPine);
  list[tex::Wood] = rgbTexture("wood", paintWood);
  list[tex::Metal] = rgbTexture("metal", paintMetal);
  list[tex::MetalBump] = rgbTexture("metal_bump", paintMetalBump);
  list[tex::RockBump] = rgbTexture("rock_bump", paintRockBump);
  list[tex::CamoDesert] = rgbTexture("camo_desert", [] { return paintCamo(1); });
  list[tex::CamoWinter] = rgbTexture("camo_winter", [] { return paintCamo(2); });
  list[tex::TankBump] = rgbTexture("tank_bump", paintTankBump);
  for (int kind = 0; kind < 6; ++kind)
    list[tex::Crate0 + kind] = rgbTexture("crate_" + std::to_string(kind), [kind] { return paintCrate(kind); });
  list[tex::FlatBump] = rgbTexture("flat_bump", paintFlatBump);
  list[tex::Sandbag] = rgbTexture("sandbag", paintSandbag);
  list[tex::Font] = plainTexture("font", paintFontAtlas);
  return list;
}

std::string textureListText(const std::vector<TextureSpec>& list) {
  std::ostringstream out;
  out << list.size() << "\n";
  for (const TextureSpec& spec : list) out << spec.file << " " << spec.mipmaps << "\n";
  return out.str();
}

}  // namespace assetgen
