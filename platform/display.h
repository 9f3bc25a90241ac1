// The program's one window: the 640 x 480 scene scaled to the window with its
// aspect ratio kept, sharp (nearest neighbour).  "Full screen" means a
// borderless window over the desktop: the user's display mode is never
// changed.  Headless runs keep the same state without a window.
#pragma once

#include <optional>
#include <string>

#include "platform/loop.h"
#include "platform/surface.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace tapo::platform {

class Display {
 public:
  static Display& instance();

  // Opens the window, or nothing when headless.
  bool open(bool headless, const std::string& caption);
  void close();
  bool headless() const { return headless_; }
  bool has_window() const { return window_ != nullptr; }

  void set_caption(const std::string& caption);
  bool fullscreen() const { return fullscreen_; }
  // Enters or leaves full screen; false when the window system refused.
  bool set_fullscreen(bool on);
  void toggle_fullscreen() { set_fullscreen(!fullscreen_); }
  void show_cursor(bool shown);

  // Presents the composed scene of the forms when it changed, at most once
  // per display refresh.  Returns when it wants to be called again.
  std::optional<Ms> present_if_dirty();

 private:
  void translate(const SDL_Event& ev);
  bool create_window();
  std::string caption_;
  bool cursor_shown_ = true;
  bool headless_ = true;
  bool fullscreen_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Ms last_present_ = -1000;
};

}  // namespace tapo::platform
