// Painters of the individual textures, grouped by the file that implements them.
#pragma once
#include <vector>

#include "tools/assetgen/Image.h"
#include "tools/assetgen/Mesh.h"

namespace assetgen {

// World surfaces (TexturesWorld.cpp); all tileable.
Image paintGround();
Image paintGroundBump();
Image paintConcrete();
Image paintConcreteBump();
Image paintCamo(int variant);  // 0 woodland, 1 desert, 2 winter
Image paintTankBump();
Image paintRock();
Image paintRockBump();
Image paintPine();  // crowns above, bark in the bottom quarter
Image paintWood();
Image paintMetal();
Image paintMetalBump();
Image paintFlatBump();
Image paintSandbag();
Image paintCrate(int kind);

// Sky box faces (TexturesSky.cpp); face: 0 north (-z), 1 east (+x), 2 south (+z),
// 3 west (-x), 4 top (+y), 5 bottom (-y).
Image paintSkyFace(int face);
// The face's centre direction, right and up, as seen from inside the box.
void skyFaceAxes(int face, Vec3 axes[3]);

// Overlays (TexturesHud.cpp).
Image paintBarBack();
Image paintBarFill();
Image paintBarOverflow();
Image paintBarFrame(const char* label);
Image paintPanel();
Image paintMenu();  // with the key guide of controls/Controls.h
Image paintIcon();  // the desktop entry's icon
Image paintButton(const char* label, int look);  // look: 0 normal, 1 hover, 2 pressed
Image paintGlyphs();  // the scoreboard's letters, laid out as model/Numbers.h says
Image paintScorePanel();

// Effects (TexturesEffects.cpp).
Image paintMuzzleFlash();
Image paintImpact();

}  // namespace assetgen
