// The piggy bank: the small window that pops up over a game when coins are
// awarded and counts them in, one by one, with a jingle.
#pragma once

#include "platform/surface.h"

namespace tapo::players {

// Sends every coin award through the piggy-bank window (done once at start-up;
// callable again, by tests that replaced the award's window).
void install_piggy_bank();

// Opens the piggy bank at `at` of the active screen, counts `count` coins in
// and returns when the window has closed itself.
void show_piggy_bank(int count, platform::Point at);

}  // namespace tapo::players
