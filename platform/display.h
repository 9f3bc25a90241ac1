// The program's one window: the 640 x 480 scene scaled to the window with its
// aspect ratio kept, sharp (nearest neighbour).  "Full screen" means a
// borderless window over the desktop: the user's display mode is never
// changed.  Headless runs keep the same state without a window.
//
// Two ways to put the scene on the window, chosen before the window exists so
// that it is created once: SDL's accelerated renderer where a real GPU draws,
// and otherwise the window's own framebuffer, scaled by us, where only the
// parts of the scene that changed are scaled and sent.  A software OpenGL
// would cost far more for the same picture.  TAPO_PRESENT=renderer|surface
// overrides the choice.
#pragma once

#include <SDL_rect.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/loop.h"
#include "platform/scaler.h"
#include "platform/surface.h"
#include "platform/ui.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;

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
  // The hand over something to pick, else the arrow.
  void set_hand_pointer(bool hand);

  // Presents the composed scene of the forms when it changed, at most once
  // per display refresh.  Returns when it wants to be called again.
  std::optional<Ms> present_if_dirty();
  // The time between two frames of the display the window is on (its
  // refresh rate as SDL reports it; 60 Hz when it reports none, or without
  // a window): the scene is presented at most once in that time.
  Ms frame_ms() const { return frame_ms_; }

  enum class Path { None, Renderer, WindowSurface };
  Path path() const { return path_; }
  // The window's pixels as shown (tests and benchmarks).
  Surface read_window() const;
  // Gives the window another size (tests and benchmarks).
  void set_window_size(int w, int h);

 private:
  void translate(const SDL_Event& ev);
  bool create_window();
  bool create_renderer();
  bool use_window_surface();
  void present_with_renderer();
  void present_to_window_surface();
  // The window pixels to shift what it shows of the scene by `shift`.
  int window_shift(const std::optional<Forms::Shift>& shift);
  Path path_ = Path::None;
  Scaler scaler_;
  bool repaint_all_ = true;
  std::vector<std::uint32_t> staging_;  // for window pictures not in our pixel format
  std::vector<SDL_Rect> sent_;
  // The part of the scene that has been sliding, how far since it was last
  // drawn whole (scene pixels), and how far the window has shifted it since.
  Rect shifted_area_;
  int shifted_by_ = 0, shifted_in_window_ = 0;
  std::string caption_;
  bool cursor_shown_ = true;
  SDL_Cursor* hand_ = nullptr;
  bool headless_ = true;
  bool fullscreen_ = false;
  bool covering_ = false;  // started borderless over the desktop, full screen after
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Ms last_present_ = -1000;
  Ms frame_ms_ = 1000 / 60;
  bool presented_ = false;
};

// The file descriptor of the window's connection to its display (X11), or -1.
int display_connection_fd(SDL_Window* window);

}  // namespace tapo::platform
