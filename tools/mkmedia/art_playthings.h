// The toys sold in the toy shop and kept in the toy room, each drawn into its
// own box (kPlaythings[k].w x .h) with its top left at (x, y).  `t` runs 0..1
// through the toy's own little movement (a drum's sticks, a robot's arm); at 0
// and 1 the toy is at rest.  Moving the whole toy is left to the caller.
#pragma once

#include <array>

#include "tools/mkmedia/canvas.h"

namespace tapo::media {

enum class Plaything { Ball, Teddy, Kite, Drum, Car, Train, Rocket, Robot, Doll, Xylophone, Boat, Top, Dino, Castle };

struct PlaythingLook {
  Plaything kind;
  const char* name;  // the catalogue's name: the toy's file names
  int w, h;
};

inline constexpr std::array<PlaythingLook, 14> kPlaythings = {{
    {Plaything::Ball, "mic", 56, 56},        {Plaything::Top, "kaca", 60, 64},
    {Plaything::Boat, "lod", 90, 70},        {Plaything::Kite, "drak", 64, 96},
    {Plaything::Drum, "buben", 72, 70},      {Plaything::Xylophone, "xylofon", 100, 56},
    {Plaything::Doll, "panenka", 60, 100},   {Plaything::Teddy, "meda", 76, 90},
    {Plaything::Car, "auto", 100, 60},       {Plaything::Robot, "robot", 70, 100},
    {Plaything::Dino, "dino", 110, 80},      {Plaything::Train, "vlak", 130, 64},
    {Plaything::Rocket, "raketa", 50, 100},  {Plaything::Castle, "hrad", 110, 100},
}};

void draw_plaything(Canvas& c, Plaything kind, double x, double y, double t = 0);

}  // namespace tapo::media
