#include "platform/display.h"

#include <SDL.h>

#include <cstdio>

#include "platform/trace.h"
#include "platform/ui.h"

namespace tapo::platform {
namespace {

constexpr Ms kFrameMs = 16;  // at most one present per refresh

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

bool Display::open(bool headless, const std::string& caption) {
  headless_ = headless;
  caption_ = caption;
  Loop::instance().set_sdl_translator([this](const SDL_Event& ev) { translate(ev); });
  if (headless) return true;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  // The window itself appears with the first scene, already in the state
  // the game asked for by then.
  return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

bool Display::create_window() {
  window_ = SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                             SDL_WINDOW_RESIZABLE | (fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
  if (!window_) return false;
  SDL_SetWindowMinimumSize(window_, 320, 240);
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) return false;
  SDL_RenderSetLogicalSize(renderer_, 640, 480);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, 640, 480);
  SDL_ShowCursor(cursor_shown_ ? SDL_ENABLE : SDL_DISABLE);
  SDL_StartTextInput();
  const char* driver = SDL_GetCurrentVideoDriver();
  Loop::instance().set_sdl_can_block(driver && std::string(driver) != "dummy" && std::string(driver) != "offscreen");
  return texture_ != nullptr;
}

void Display::close() {
  Loop::instance().set_sdl_can_block(false);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
}

void Display::set_caption(const std::string& caption) {
  if (window_) SDL_SetWindowTitle(window_, caption.c_str());
}

bool Display::set_fullscreen(bool on) {
  if (on == fullscreen_) return true;
  if (window_ && SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  fullscreen_ = on;
  trace::event("display", on ? "fullscreen" : "window");
  Forms::instance().mark_dirty();
  return true;
}

void Display::show_cursor(bool shown) {
  cursor_shown_ = shown;
  if (window_) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

std::optional<Ms> Display::present_if_dirty() {
  auto& forms = Forms::instance();
  if (headless_ || !forms.dirty()) return std::nullopt;
  if (!window_ && !create_window()) {
    std::fprintf(stderr, "tapo: cannot open a window: %s\n", SDL_GetError());
    throw ProgramExit{1};
  }
  const Ms now = Loop::instance().now();
  if (now - last_present_ < kFrameMs) return last_present_ + kFrameMs;
  forms.mark_clean();
  last_present_ = now;
  const Surface scene = forms.compose();
  SDL_UpdateTexture(texture_, nullptr, scene.pixels().data(), scene.width() * 4);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  return std::nullopt;
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
        Forms::instance().mark_dirty();
      return;
    default:
      return;
  }
  loop.deliver(in);
}

}  // namespace tapo::platform
