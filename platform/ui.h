// The forms toolkit: forms (one per screen), labels used as click areas,
// picture boxes, and the registry that loads screens by name.
//
// A form is loaded on first use (its load step runs then), shown modeless or
// modal, hidden, and unloaded.  Unloading detaches it at once; the object
// itself lives on until every handler of it on the stack has returned (the
// loop and the registry hold it by shared_ptr only while they need it).
//
// Handlers may wait (animations, talks, pauses) while events go on.  When a
// form is unloaded while one of its handlers waits, the wait ends that
// handler by throwing FormLeft, which the place that dispatched the handler
// catches: no handler has to test whether its screen is still there.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/json.h"
#include "platform/loop.h"
#include "platform/surface.h"

namespace tapo::platform {

class Form;

// The mouse pointer's shape: the arrow, or the hand over something to pick.
enum class Pointer { Arrow, Hand };

// Thrown out of a wait of a handler whose form has been unloaded meanwhile.
struct FormLeft {
  const Form* form = nullptr;
};

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
  // The pointer while the mouse is over the control (its handlers may change it).
  Pointer pointer = Pointer::Arrow;

  // Mouse handlers get control-relative coordinates.
  std::function<void()> on_click;
  std::function<void(int x, int y)> on_mouse_down, on_mouse_up, on_mouse_move;

  // Draws the control with its form's top left at (ox, oy) of `scene`; it
  // draws nothing outside its rectangle.
  virtual void draw(Surface& scene, int ox, int oy) const;
  // Whether draw() paints every pixel of the rectangle.
  virtual bool opaque() const { return false; }
  // Marks the control's place for repainting after its picture or caption
  // changed (moving it, showing or hiding it is noticed by itself).
  void refresh() const;

 private:
  friend class Forms;
  Form& owner_;
  std::string name_;
  // Where the control was on the presented scene, to repaint that place
  // when it moves or disappears.
  mutable Rect painted_at_;
  mutable bool painted_ = false;
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
  bool boxed = false;  // drawn on a white field with a thin border
  bool locked = false;  // shown, but typing changes nothing
  // Adds typed text as far as the limit allows; Backspace removes a character.
  void type(const std::string& text);
  void backspace();
  void draw(Surface& scene, int ox, int oy) const override;
  bool opaque() const override { return boxed; }
};

// A child window with a picture of its own, drawn above the form.
class PictureBox : public Control {
 public:
  PictureBox(Form& owner, std::string name, Rect rect);
  Surface image;
  void draw(Surface& scene, int ox, int oy) const override;
  bool opaque() const override { return image.width() >= rect.w && image.height() >= rect.h; }
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
  // Draws over the form's controls (a sign that must stay on top of them),
  // the form's top left at (ox, oy) of `scene`.
  virtual void draw_above(Surface& /*scene*/, int /*ox*/, int /*oy*/) const {}

  // Position and size on the screen (most forms cover the whole scene).
  Rect bounds{0, 0, 640, 480};
  std::string caption;
  // The pointer while the mouse is over the form itself (its handlers may change it).
  Pointer pointer = Pointer::Arrow;
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
  // The control of that name as its kind; throws when there is none.
  template <class T>
  T& control_as(const std::string& name) const {
    auto* c = dynamic_cast<T*>(control(name));
    if (!c) throw std::logic_error(name_ + " has no control " + name);
    return *c;
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  // Runs fn as a handler of this form: when the form is unloaded while fn
  // waits, the wait throws FormLeft and fn ends here.
  void run_handler(const std::function<void()>& fn);

  void show();        // modeless: on top, and active
  void show_modal();  // returns when the form is hidden or unloaded
  void hide();
  void unload();
  bool visible() const { return visible_; }
  bool loaded() const { return loaded_; }
  // Marks the form for repainting after drawing into the picture: all of it,
  // or the rectangle r (form pixels).
  void refresh() const;
  void refresh(Rect r) const;

 private:
  friend class Forms;
  std::string name_;
  mutable Rect painted_bounds_;
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

  // Composes the visible forms into a new 640 x 480 scene; with `overlay`
  // the captions over them too, as the window shows it.
  Surface compose(bool overlay = false) const;

  // Something drawn over every form (the captions): `draw` paints the scene
  // within `where` (the scene's clip rectangle is the part being composed);
  // the forms and their pictures stay as they are.
  void set_overlay(Rect where, std::function<void(Surface& scene)> draw);
  void clear_overlay() { set_overlay({}, nullptr); }
  // Where the overlay lies (empty when there is none).
  Rect overlay_rect() const { return overlay_rect_; }

  // Damage: the parts of the scene that changed since it was last presented.
  void damage(Rect scene_rect);
  void mark_dirty() { damage(kScene); }
  // Adds the places of controls and forms that moved, appeared or
  // disappeared; true when anything is to be repainted.
  bool changed();
  // Brings the kept scene up to date by composing only the damaged parts,
  // and returns those parts (cleared at the next call).
  const std::vector<Rect>& update_scene();

  // The `carried` controls of one shown form have just moved `dx` pixels
  // sideways together, and within `area` (scene pixels) the scene is what
  // was there moved along: a picture wider than the scene with what stands
  // on it.  The kept scene is shifted instead of composed again; only the
  // strip that comes into view and what stood still over the area (the
  // form's other controls, forms above, the overlay) are composed anew.  The
  // form must draw nothing above its controls there.
  void scroll(Rect area, int dx, const std::vector<const Control*>& carried);
  // The shift of the scene since it was last presented, for a window that
  // can shift what it shows as well (taken once).
  struct Shift {
    Rect area;
    int dx = 0;
  };
  std::optional<Shift> take_shift();
  const Surface& scene() const { return scene_; }
  static constexpr Rect kScene{0, 0, 640, 480};

  // Mouse pointer: a display counter, shown while it is >= 0.
  void hide_cursor();
  void show_cursor();
  int cursor_count() const { return cursor_count_; }
  std::function<void(bool shown)> on_cursor_change;
  // The pointer's shape follows the control or form under the mouse; a
  // screen may change it at once.
  Pointer pointer() const { return pointer_; }
  void set_pointer(Pointer p);
  std::function<void(Pointer)> on_pointer_change;

  // Whether a text box of the active form has the focus: keys are then the
  // child's letters, not the window's shortcuts.
  bool typing() const;
  // The visible and enabled controls of the active form, in scene pixels.
  std::vector<std::pair<std::string, Rect>> active_controls() const;

  // Throws FormLeft when the innermost running handler's form is unloaded.
  void check_left() const;

  // Tests: unload everything.
  void clear();

 private:
  friend class Form;
  Forms();
  void do_show(Form& f);
  void do_hide(Form& f);
  void do_unload(Form& f);
  void activate_top();
  // Draws the part of the scene under the scene's clip rectangle, the
  // captions too with `overlay`.
  void draw_part(Surface& scene, bool overlay) const;

  std::vector<std::shared_ptr<Form>> loaded_;
  Rect overlay_rect_;
  std::function<void(Surface&)> overlay_;
  std::vector<Form*> zorder_;  // bottom to top, shown forms only
  std::vector<Form*> modal_;
  Form* last_active_ = nullptr;
  std::vector<Form*> handlers_;  // the forms whose handlers run, innermost last
  std::weak_ptr<Form> pressed_form_;
  Control* pressed_control_ = nullptr;
  std::vector<Rect> damage_{kScene};
  std::vector<Rect> presented_damage_;
  std::optional<Shift> shift_;
  Surface scene_{640, 480};
  int cursor_count_ = 0;
  Pointer pointer_ = Pointer::Arrow;
};

// A window timer of a form: its ticks run as handlers of that form, and only
// while the form is loaded.
class FormTimer : public Timer {
 public:
  FormTimer(Form& form, Ms interval, std::function<void()> tick) {
    set_interval(interval);
    on_timer = [&form, tick = std::move(tick)] {
      if (form.loaded()) form.run_handler(tick);
    };
  }
};

// One row of a screen's table of controls: what it is, its name, where it
// stands on the form and what a click on it does.
enum ControlKind { Area, Picture };  // a label used as a click area, or a picture box

template <class F>
struct ControlRow {
  ControlKind kind;
  const char* name;
  Rect rect;
  void (F::*click)() = nullptr;
};

// Adds the controls of a table in its order (later rows lie above earlier ones).
template <class F, std::size_t N>
void add_controls(F& form, const std::array<ControlRow<F>, N>& rows) {
  for (const auto& row : rows) {
    Control& c = row.kind == Picture ? static_cast<Control&>(form.template add<PictureBox>(row.name, row.rect))
                                                    : static_cast<Control&>(form.template add<Label>(row.name, row.rect));
    if (row.click) c.on_click = [&form, click = row.click] { (form.*click)(); };
  }
}

// The name of element i of a control array: "name(i)".
inline std::string element_name(const std::string& name, int i) { return name + "(" + std::to_string(i) + ")"; }

// A control array: element i stands at rects[i]; a click on it calls click(i).
template <class T, class F, class Rects>
std::vector<T*> add_control_array(F& form, const std::string& name, const Rects& rects, void (F::*click)(int) = nullptr) {
  std::vector<T*> out;
  int i = 0;
  for (const Rect& r : rects) {
    T& c = form.template add<T>(element_name(name, i), r);
    if (click) c.on_click = [&form, click, i] { (form.*click)(i); };
    out.push_back(&c);
    ++i;
  }
  return out;
}

}  // namespace tapo::platform

// Registers a screen class under its form name.
#define TAPO_REGISTER_FORM(NAME, CLASS)                                              \
  namespace {                                                                        \
  const bool registered_##CLASS = ::tapo::platform::Forms::register_factory(         \
      std::string(NAME), [] { return std::static_pointer_cast<::tapo::platform::Form>(             \
                     std::make_shared<CLASS>()); });                                 \
  }
