// The forms toolkit: forms (one per screen), labels used as click areas,
// picture boxes, and the registry that loads screens by name.
//
// A form is loaded on first use (its load step runs then), shown modeless or
// modal, hidden, and unloaded.  Unloading detaches it at once; the object
// itself lives on until every handler of it on the stack has returned (the
// loop and the registry hold it by shared_ptr only while they need it).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/json.h"
#include "platform/loop.h"
#include "platform/surface.h"

namespace tapo::platform {

class Form;

class Control {
 public:
  Control(Form& owner, std::string name, Rect rect);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  Form& form() const { return owner_; }

  Rect rect;
  bool visible = true;
  bool enabled = true;
  std::string tag;

  // Mouse handlers get control-relative coordinates.
  std::function<void()> on_click;
  std::function<void(int x, int y)> on_mouse_down, on_mouse_up, on_mouse_move;

  virtual void draw(Surface& scene, int ox, int oy) const;

 private:
  Form& owner_;
  std::string name_;
};

// A borderless label; mostly an invisible click area, optionally with text.
class Label : public Control {
 public:
  using Control::Control;
  std::string caption;
  Rgb fore_color = 0;
  int font_size = 16;
  bool centred = false;
  void draw(Surface& scene, int ox, int oy) const override;
};

// A borderless one-line text box: typed text (UTF-8), at most `max_chars`
// characters, centred, with a caret while it has the focus.
class TextBox : public Label {
 public:
  using Label::Label;
  std::size_t max_chars = 0;  // 0: no limit
  bool focused = false;
  // Adds typed text as far as the limit allows; Backspace removes a character.
  void type(const std::string& text);
  void backspace();
  void draw(Surface& scene, int ox, int oy) const override;
};

// A child window with a picture of its own, drawn above the form.
class PictureBox : public Control {
 public:
  PictureBox(Form& owner, std::string name, Rect rect);
  Surface image;
  void draw(Surface& scene, int ox, int oy) const override;
};

class Form : public std::enable_shared_from_this<Form> {
 public:
  explicit Form(std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

  // Handlers; mouse coordinates are form-relative.
  virtual void on_load() {}
  virtual void on_activate() {}
  virtual void on_click() {}
  virtual void on_mouse_down(int /*x*/, int /*y*/) {}
  virtual void on_mouse_up(int /*x*/, int /*y*/) {}
  virtual void on_mouse_move(int /*x*/, int /*y*/) {}
  virtual void on_key(const std::string& /*key*/) {}
  virtual void on_text(const std::string& /*text*/) {}
  virtual void on_unload() {}
  // This form's own state for the `dump` of scripted play.
  virtual void describe(JsonObject& /*vars*/) const {}

  // Position and size on the screen (most forms cover the whole scene).
  Rect bounds{0, 0, 640, 480};
  std::string caption;
  Surface picture{640, 480};  // the persistent image (Picture / AutoRedraw drawing)
  bool enabled = true;

  template <class T, class... Args>
  T& add(Args&&... args) {
    auto c = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *c;
    controls_.push_back(std::move(c));
    return ref;
  }
  Control* control(const std::string& name) const;
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  void show();        // modeless: on top, and active
  void show_modal();  // returns when the form is hidden or unloaded
  void hide();
  void unload();
  bool visible() const { return visible_; }
  bool loaded() const { return loaded_; }
  // Marks the scene for repainting after drawing into the picture.
  void refresh() const;

 private:
  friend class Forms;
  std::string name_;
  std::vector<std::unique_ptr<Control>> controls_;
  bool visible_ = false;
  bool loaded_ = false;
};

// The registry of screens and the z-order of shown forms.
class Forms {
 public:
  using Factory = std::function<std::shared_ptr<Form>()>;
  static Forms& instance();

  // Adds a screen; screens call this from a static initialiser (see
  // TAPO_REGISTER_FORM).
  static bool register_factory(const std::string& name, Factory factory);
  bool known(const std::string& name) const;

  // The loaded form of that name, loading it (constructor, then on_load)
  // when needed.  Throws std::out_of_range for a name nobody registered.
  std::shared_ptr<Form> get(const std::string& name);
  std::shared_ptr<Form> find(const std::string& name) const;  // null if not loaded
  // The topmost shown form (the one that takes input), or null.
  std::shared_ptr<Form> active() const;

  // Input from the loop: routed to the modal form, else the active one.
  void dispatch(const InputEvent& ev);
  // Called for the window's close button.
  std::function<void()> on_close_request;
  // Keys the window handles before any form (F11).
  std::function<bool(const std::string& key)> on_global_key;

  // Composes the visible forms into one 640 x 480 scene.
  Surface compose() const;
  bool dirty() const { return dirty_; }
  void mark_dirty() { dirty_ = true; }
  void mark_clean() { dirty_ = false; }

  // Mouse pointer: a display counter, shown while it is >= 0.
  void hide_cursor();
  void show_cursor();
  int cursor_count() const { return cursor_count_; }
  std::function<void(bool shown)> on_cursor_change;

  // Tests: unload everything.
  void clear();

 private:
  friend class Form;
  void do_show(Form& f);
  void do_hide(Form& f);
  void do_unload(Form& f);
  void activate_top();

  std::vector<std::shared_ptr<Form>> loaded_;
  std::vector<Form*> zorder_;  // bottom to top, shown forms only
  std::vector<Form*> modal_;
  Form* last_active_ = nullptr;
  std::weak_ptr<Form> pressed_form_;
  Control* pressed_control_ = nullptr;
  bool dirty_ = true;
  int cursor_count_ = 0;
};

}  // namespace tapo::platform

// Registers a screen class under its form name.
#define TAPO_REGISTER_FORM(NAME, CLASS)                                              \
  namespace {                                                                        \
  const bool registered_##CLASS = ::tapo::platform::Forms::register_factory(         \
      NAME, [] { return std::static_pointer_cast<::tapo::platform::Form>(             \
                     std::make_shared<CLASS>()); });                                 \
  }
