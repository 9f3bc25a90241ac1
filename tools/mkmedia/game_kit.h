// The art every game screen shares, placed by the game's frame row
// (games/<game>/layout.h) and cut from the game's own scene: the footprints
// back to the games menu, the help question mark, and Tapo's talking heads.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "core/game_layout.h"
#include "tools/mkmedia/art_util.h"

namespace tapo::media {

// Paw prints walking off to the left, on a round badge over `bg` cut at `at`;
// lit: a yellow badge.  Drawn for a 64 x 84 place and stretched to `at`.
Surface leave_picture(const Surface& bg, Rect at, bool lit);

// STOPY_NO.BMP / STOPY.BMP and OTAZ_NO.BMP / OTAZ.BMP (normal / lit) in the
// game's folder, each drawn over `background` at its place in the frame.
void game_controls(Pack& pack, const core::GameLayout& frame, const Surface& background);

// A talking head `clip` ("MLUVI.AVI") in the game's folder with its placement
// file (MLUVI.DAT): Tapo standing at (tapo_x, tapo_y) on `stage` (the scene
// without him), cut to his head.  One frame a mouth, 0 closed; `brows`
// raised while he speaks, for explaining.
void talking_head(Pack& pack, const core::GameLayout& frame, const std::string& clip, const Surface& stage, int tapo_x,
                  int tapo_y, std::initializer_list<int> mouths, bool brows);

// The talks every game has, from its speech table: INTRO, SPRAVNE1..3 and
// SPATNE1..3 with their mark files, and HELP as a plain sound (the help
// control plays it without marks).
void game_talks(Pack& pack, const core::GameLayout& frame);

// Frames for the keyed players, which let the scene through where a frame has
// the colour of its top-left pixel: whole pictures of their place with that
// one pixel in the key colour.
std::vector<Surface> keyed_at_corner(std::vector<Surface> frames);

}  // namespace tapo::media
