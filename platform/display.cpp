#include "platform/display.h"

#include <SDL.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>

#include "platform/i18n.h"
#include "platform/trace.h"
#include "platform/ui.h"

namespace tapo::platform {
namespace {


std::string key_name(SDL_Keycode k) {
  switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return "Enter";
    case SDLK_BACKSPACE: return "Backspace";
    case SDLK_ESCAPE: return "Escape";
    case SDLK_TAB: return "Tab";
    case SDLK_F11: return "F11";
    case SDLK_LEFT: return "Left";
    case SDLK_RIGHT: return "Right";
    case SDLK_UP: return "Up";
    case SDLK_DOWN: return "Down";
    default: break;
  }
  if (k >= 32 && k < 127) return std::string(1, static_cast<char>(k));
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return std::string(1, static_cast<char>('1' + (k - SDLK_KP_1)));
  if (k == SDLK_KP_0) return "0";
  return {};
}

}  // namespace

Display& Display::instance() {
  static Display d;
  return d;
}

namespace {

bool env_is(const char* name, std::initializer_list<const char*> values) {
  const char* v = std::getenv(name);
  if (!v) return false;
  for (const char* value : values)
    if (std::strcmp(v, value) == 0) return true;
  return false;
}

// Whether this process can reach a GPU's render node at all.
bool render_node_available() {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("renderD", 0) == 0 && access(entry.path().c_str(), R_OK | W_OK) == 0) return true;
  }
  return false;
}

// The way to present that TAPO_PRESENT asks for, if it asks.
std::optional<Display::Path> asked_path() {
  if (env_is("TAPO_PRESENT", {"surface"})) return Display::Path::WindowSurface;
  if (env_is("TAPO_PRESENT", {"renderer"})) return Display::Path::Renderer;
  return std::nullopt;
}

// The way to present, decided before the window exists.
Display::Path choose_path() {
  if (auto asked = asked_path()) return *asked;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)
    return Display::Path::WindowSurface;
  if (env_is("LIBGL_ALWAYS_SOFTWARE", {"1", "true", "yes"}) || env_is("GALLIUM_DRIVER", {"llvmpipe", "softpipe", "swr"}))
    return Display::Path::WindowSurface;
  return render_node_available() ? Display::Path::Renderer : Display::Path::WindowSurface;
}

// Whether the renderer's OpenGL is a software one after all (a GPU whose
// driver the X server does not offer, as under Xvfb).
bool software_gl(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return true;
  if (std::strncmp(info.name, "opengl", 6) != 0) return std::strcmp(info.name, "software") == 0;
  using GetString = const unsigned char* (*)(unsigned);
  auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = get_string ? get_string(0x1F01 /* GL_RENDERER */) : nullptr;
  if (!name) return false;
  const std::string renderer_name(reinterpret_cast<const char*>(name));
  for (const char* soft : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
    if (renderer_name.find(soft) != std::string::npos) return true;
  return false;
}

}  // namespace

bool Display::open(bool headless, const std::string& caption) {
  headless_ = headless;
  caption_ = caption;
  Loop::instance().set_sdl_translator([this](const SDL_Event& ev) { translate(ev); });
  if (headless) return true;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  // Our own framebuffer path must not become a renderer behind our back.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The window itself appears with the first scene, already in the state
  // the game asked for by then.
  return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

bool Display::create_window() {
  const bool forced = asked_path().has_value();
  path_ = choose_path();
  // Made hidden and shown when ready: SDL's X11 backend waits for the window
  // manager after each change of a window that is already on the screen.
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN;
  // A GL renderer on a window made without GL would make SDL create the window again.
  if (path_ == Path::Renderer) flags |= SDL_WINDOW_OPENGL;
  // Asking for full screen on X11 waits up to 100 ms for the window manager
  // to move the window: a full-screen start first covers the desktop with a
  // borderless window and becomes full screen after its first frame.
  SDL_Rect at{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480};
  covering_ = fullscreen_ && SDL_GetDisplayBounds(0, &at) == 0;
  if (covering_) flags |= SDL_WINDOW_BORDERLESS;
  else if (fullscreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  window_ = SDL_CreateWindow(caption_.c_str(), at.x, at.y, at.w, at.h, flags);
  if (!window_) return false;
  SDL_SetWindowMinimumSize(window_, 320, 240);
  if (SDL_DisplayMode mode{}; SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0)
    frame_ms_ = std::max<Ms>(1, 1000 / mode.refresh_rate);
  SDL_ShowWindow(window_);
  SDL_PumpEvents();  // the size the window manager gave it, before the first frame
  if (path_ == Path::Renderer && !(create_renderer() && (forced || !software_gl(renderer_)))) {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    path_ = Path::WindowSurface;
  }
  if (path_ == Path::WindowSurface && !use_window_surface()) return false;
  SDL_ShowCursor(cursor_shown_ ? SDL_ENABLE : SDL_DISABLE);
  SDL_StartTextInput();
  const char* driver = SDL_GetCurrentVideoDriver();
  Loop::instance().set_sdl_can_block(driver && std::string(driver) != "dummy" && std::string(driver) != "offscreen");
  Loop::instance().set_display_connection(display_connection_fd(window_));
  repaint_all_ = true;
  return true;
}

bool Display::create_renderer() {
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (!renderer_) return false;
  SDL_RenderSetLogicalSize(renderer_, 640, 480);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, 640, 480);
  return texture_ != nullptr;
}

bool Display::use_window_surface() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return false;
  scaler_.resize(surface->w, surface->h);
  return true;
}

void Display::close() {
  Loop::instance().set_sdl_can_block(false);
  Loop::instance().set_display_connection(-1);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  if (hand_) SDL_FreeCursor(hand_);
  hand_ = nullptr;
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  path_ = Path::None;
  last_present_ = -1000;  // a window opened later starts afresh, on any clock
  presented_ = false;
}

void Display::set_caption(const std::string& caption) {
  if (window_) SDL_SetWindowTitle(window_, caption.c_str());
}

bool Display::set_fullscreen(bool on) {
  if (on == fullscreen_) return true;
  if (window_ && SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  if (window_ && covering_ && !on) {
    // The window it started as covered the desktop: a window of its own now.
    covering_ = false;
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, 640, 480);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  fullscreen_ = on;
  trace::event("display", on ? "fullscreen" : "window");
  repaint_all_ = true;
  return true;
}

void Display::set_window_size(int w, int h) {
  if (!window_) return;
  SDL_SetWindowSize(window_, w, h);
  repaint_all_ = true;
}

void Display::show_cursor(bool shown) {
  cursor_shown_ = shown;
  if (window_) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void Display::set_hand_pointer(bool hand) {
  if (!window_) return;
  if (hand && !hand_) hand_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
  SDL_SetCursor(hand && hand_ ? hand_ : SDL_GetDefaultCursor());
}

std::optional<Ms> Display::present_if_dirty() {
  auto& forms = Forms::instance();
  if (headless_ || !(forms.changed() || (window_ && repaint_all_))) return std::nullopt;
  if (!window_ && !create_window()) {
    std::fprintf(stderr, "tapo: %s\n", fill(tr("cannot open a window: %1"), {SDL_GetError()}).c_str());
    throw ProgramExit{1};
  }
  const Ms now = Loop::instance().now();
  if (now - last_present_ < frame_ms_) return last_present_ + frame_ms_;
  last_present_ = now;
  const bool first = !presented_;
  if (path_ == Path::Renderer)
    present_with_renderer();
  else
    present_to_window_surface();
  presented_ = true;
  if (first) trace::event("first-frame", path_ == Path::Renderer ? "renderer" : "window-surface");
  if (first && covering_) {
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    repaint_all_ = true;
  }
  return std::nullopt;
}

void Display::present_with_renderer() {
  const Surface& scene = Forms::instance().scene();
  const auto shift = Forms::instance().take_shift();
  const auto& parts = Forms::instance().update_scene();
  auto upload = [&](const Rect& r) {
    const SDL_Rect area{r.x, r.y, r.w, r.h};
    SDL_UpdateTexture(texture_, &area, &scene.pixels()[static_cast<size_t>(r.y) * 640 + r.x], 640 * 4);
  };
  if (repaint_all_) {
    upload(Forms::kScene);
  } else {
    if (shift) upload(shift->area);
    std::for_each(parts.begin(), parts.end(), upload);
  }
  repaint_all_ = false;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void Display::present_to_window_surface() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  if (surface->w != scaler_.window_width() || surface->h != scaler_.window_height()) {
    scaler_.resize(surface->w, surface->h);
    repaint_all_ = true;
  }
  const Surface& scene = Forms::instance().scene();
  const int window_dx = window_shift(Forms::instance().take_shift());
  const auto& parts = Forms::instance().update_scene();
  // Window pictures in our own pixel layout are drawn into directly.
  const bool direct = surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0xFF0000 &&
                      surface->format->Gmask == 0xFF00 && surface->format->Bmask == 0xFF;
  const int pitch = direct ? surface->pitch : surface->w * 4;
  if (!direct) staging_.resize(static_cast<size_t>(surface->w) * surface->h);
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  auto* pixels = direct ? static_cast<std::uint32_t*>(surface->pixels) : staging_.data();
  sent_.clear();
  if (repaint_all_) {
    for (int y = 0; y < surface->h; ++y)
      std::memset(reinterpret_cast<std::uint8_t*>(pixels) + static_cast<size_t>(y) * pitch, 0, static_cast<size_t>(surface->w) * 4);
    scaler_.draw(scene, Forms::kScene, pixels, pitch);
    sent_.push_back({0, 0, surface->w, surface->h});
  } else {
    // The picture that slid is shifted in the window too; only what came
    // into view and what stood still over it are drawn, a scene pixel wider
    // each side: whole window pixels shift it up to that far from the scene.
    if (window_dx != 0)
      if (const Rect out = scaler_.shift(scene, shifted_area_, window_dx, pixels, pitch); !out.empty())
        sent_.push_back({out.x, out.y, out.w, out.h});
    const int slack = window_dx != 0 ? 1 : 0;
    for (const Rect& r : parts)
      if (const Rect out = scaler_.draw(scene, {r.x - slack, r.y, r.w + 2 * slack, r.h}, pixels, pitch); !out.empty())
        sent_.push_back({out.x, out.y, out.w, out.h});
  }
  // Once the sliding part is drawn whole, its shifts are counted afresh.
  if (repaint_all_ || std::any_of(parts.begin(), parts.end(), [this](const Rect& r) { return r.contains(shifted_area_); }))
    shifted_by_ = shifted_in_window_ = 0;
  if (!direct)
    for (const SDL_Rect& r : sent_)
      SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, &staging_[static_cast<size_t>(r.y) * surface->w + r.x], pitch,
                        surface->format->format,
                        static_cast<std::uint8_t*>(surface->pixels) + static_cast<size_t>(r.y) * surface->pitch +
                            static_cast<size_t>(r.x) * surface->format->BytesPerPixel,
                        surface->pitch);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  repaint_all_ = false;
  if (!sent_.empty()) SDL_UpdateWindowSurfaceRects(window_, sent_.data(), static_cast<int>(sent_.size()));
}

int Display::window_shift(const std::optional<Forms::Shift>& shift) {
  if (!shift) return 0;
  if (shift->area != shifted_area_) {
    shifted_area_ = shift->area;
    shifted_by_ = shifted_in_window_ = 0;
  }
  // Summed in scene pixels: the window's whole pixels never drift from
  // where the scene is.
  shifted_by_ += shift->dx;
  const int want = scaler_.window_offset(shifted_by_), by = want - shifted_in_window_;
  shifted_in_window_ = want;
  return repaint_all_ ? 0 : by;
}

Surface Display::read_window() const {
  if (!window_) return {};
  if (path_ == Path::Renderer) {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    Surface out(w, h);
    // The logical size would apply to the rectangle read: read in window pixels.
    SDL_RenderSetLogicalSize(renderer_, 0, 0);
    SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, out.pixels().data(), w * 4);
    SDL_RenderSetLogicalSize(renderer_, 640, 480);
    for (Rgb& p : out.pixels()) p &= 0xFFFFFF;
    return out;
  }
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return {};
  Surface out(surface->w, surface->h);
  SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels, surface->pitch,
                    SDL_PIXELFORMAT_RGB888, out.pixels().data(), surface->w * 4);
  for (Rgb& p : out.pixels()) p &= 0xFFFFFF;
  return out;
}

void Display::translate(const SDL_Event& ev) {
  auto& loop = Loop::instance();
  InputEvent in;
  switch (ev.type) {
    case SDL_QUIT:
      in.kind = InputEvent::Kind::Close;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (ev.button.button != SDL_BUTTON_LEFT) return;
      in.kind = ev.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::MouseDown : InputEvent::Kind::MouseUp;
      in.x = ev.button.x;
      in.y = ev.button.y;
      break;
    case SDL_MOUSEMOTION:
      in.kind = InputEvent::Kind::MouseMove;
      in.x = ev.motion.x;
      in.y = ev.motion.y;
      break;
    case SDL_KEYDOWN:
      in.kind = InputEvent::Kind::Key;
      in.key = key_name(ev.key.keysym.sym);
      if (in.key.empty()) return;
      break;
    case SDL_TEXTINPUT:
      in.kind = InputEvent::Kind::Text;
      in.text = ev.text.text;
      break;
    case SDL_WINDOWEVENT:
      if (ev.window.event == SDL_WINDOWEVENT_EXPOSED || ev.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        repaint_all_ = true;
      return;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      repaint_all_ = true;  // the texture's content is gone
      return;
    default:
      return;
  }
  // The renderer maps the mouse into the scene itself; our own scaling does it here.
  if (path_ == Path::WindowSurface && in.kind != InputEvent::Kind::Key && in.kind != InputEvent::Kind::Text &&
      in.kind != InputEvent::Kind::Close) {
    const Point p = scaler_.to_scene(in.x, in.y);
    in.x = p.x;
    in.y = p.y;
  }
  // In the bars beside a letterboxed scene the pointer counts as at the
  // scene's edge: the shop and the room slide when it gets there, however
  // fast it moved past the last column.
  if (in.kind == InputEvent::Kind::MouseMove) {
    in.x = std::clamp(in.x, 0, 639);
    in.y = std::clamp(in.y, 0, 479);
  }
  loop.deliver(in);
}

}  // namespace tapo::platform
