#include "platform/ui.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

#include "platform/text.h"
#include "platform/trace.h"
#include "platform/utf8.h"

namespace tapo::platform {

// ---- controls --------------------------------------------------------------

Control::Control(Form& owner, std::string name, Rect r) : rect(r), owner_(owner), name_(std::move(name)) {}

void Control::draw(Surface&, int, int) const {}

void Control::refresh() const {
  owner_.refresh(rect);
}

void Label::draw(Surface& scene, int ox, int oy) const {
  if (caption.empty()) return;
  const TextStyle style{font_size, false, fore_color};
  int x = ox + rect.x, y = oy + rect.y;
  if (centred) {
    const Rect size = measure_text(caption, style);
    x += (rect.w - size.w) / 2;
    y += (rect.h - size.h) / 2;
  }
  draw_text(scene, x, y, caption, style, {ox + rect.x, oy + rect.y, rect.w, rect.h});
}

namespace {
// C0 controls, DEL and the C1 controls (U+0080..U+009F) are never typed.
bool control_character(std::string_view c) {
  const auto b0 = static_cast<unsigned char>(c[0]);
  if (b0 < 0x20 || b0 == 0x7F) return true;
  return c.size() == 2 && b0 == 0xC2 && static_cast<unsigned char>(c[1]) < 0xA0;
}
}  // namespace

void TextBox::type(const std::string& text) {
  if (!enabled || locked) return;
  std::string add;
  for (size_t i = 0; i < text.size();) {
    size_t n = 1;
    while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
    if (!control_character(text.substr(i, n)) &&
        (max_chars == 0 || utf8_length(caption) + utf8_length(add) < max_chars))
      add += text.substr(i, n);
    i += n;
  }
  if (add.empty()) return;
  caption += add;
  refresh();
}

void TextBox::backspace() {
  if (!enabled || locked || caption.empty()) return;
  utf8_pop_back(caption);
  refresh();
}

void TextBox::draw(Surface& scene, int ox, int oy) const {
  if (boxed) {
    const Rect r{ox + rect.x, oy + rect.y, rect.w, rect.h};
    scene.fill_rect(r, rgb(120, 130, 170));
    scene.fill_rect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, rgb(255, 255, 255));
  }
  Label::draw(scene, ox, oy);
  if (!focused) return;
  const TextStyle style{font_size, false, fore_color};
  const Rect size = measure_text(caption.empty() ? " " : caption, style);
  const int x = ox + rect.x + (rect.w + (caption.empty() ? 0 : size.w)) / 2 + 1;
  scene.fill_rect({x, oy + rect.y + 2, 2, rect.h - 4}, fore_color);
}

PictureBox::PictureBox(Form& owner, std::string name, Rect r)
    : Control(owner, std::move(name), r), image(r.w, r.h) {}

void PictureBox::draw(Surface& scene, int ox, int oy) const {
  scene.blit(image, 0, 0, rect.w, rect.h, ox + rect.x, oy + rect.y);
}

// ---- forms -----------------------------------------------------------------

Form::Form(std::string name) : name_(std::move(name)) {}
Form::~Form() = default;

Control* Form::control(const std::string& name) const {
  for (const auto& c : controls_)
    if (c->name() == name) return c.get();
  return nullptr;
}

void Form::show() { Forms::instance().do_show(*this); }
void Form::hide() { Forms::instance().do_hide(*this); }
void Form::unload() { Forms::instance().do_unload(*this); }
void Form::refresh() const { refresh({0, 0, bounds.w, bounds.h}); }

void Form::refresh(Rect r) const {
  if (visible_) Forms::instance().damage(intersection({bounds.x + r.x, bounds.y + r.y, r.w, r.h}, bounds));
}

void Form::show_modal() {
  auto& forms = Forms::instance();
  auto keep = shared_from_this();
  forms.modal_.push_back(this);
  struct Modal {
    Forms& forms;
    Form* form;
    ~Modal() { std::erase(forms.modal_, form); }
  } modal{forms, this};
  show();
  Loop::instance().wait_while([this] { return visible_ && loaded_; });
}

void Form::run_handler(const std::function<void()>& fn) {
  auto& stack = Forms::instance().handlers_;
  auto keep = shared_from_this();
  stack.push_back(this);
  struct Pop {
    std::vector<Form*>& stack;
    ~Pop() { stack.pop_back(); }
  } pop{stack};
  try {
    fn();
  } catch (const FormLeft& left) {
    if (left.form != this) throw;
  }
}

// ---- registry --------------------------------------------------------------

namespace {
std::map<std::string, Forms::Factory>& factories() {
  static std::map<std::string, Forms::Factory> map;
  return map;
}
}  // namespace

Forms::Forms() {
  Loop::instance().set_after_events([this] { check_left(); });
}

Forms& Forms::instance() {
  static Forms forms;
  return forms;
}

void Forms::check_left() const {
  if (!handlers_.empty() && !handlers_.back()->loaded_) throw FormLeft{handlers_.back()};
}

std::vector<std::pair<std::string, Rect>> Forms::active_controls() const {
  std::vector<std::pair<std::string, Rect>> out;
  auto form = active();
  if (!form) return out;
  for (const auto& c : form->controls_)
    if (c->visible && c->enabled)
      out.emplace_back(c->name(), Rect{form->bounds.x + c->rect.x, form->bounds.y + c->rect.y, c->rect.w, c->rect.h});
  return out;
}

bool Forms::typing() const {
  auto form = active();
  if (!form) return false;
  return std::any_of(form->controls_.begin(), form->controls_.end(), [](const auto& c) {
    const auto* box = dynamic_cast<const TextBox*>(c.get());
    return box && box->visible && box->focused && !box->locked;
  });
}

bool Forms::register_factory(const std::string& name, Factory factory) {
  factories()[name] = std::move(factory);
  return true;
}

bool Forms::known(const std::string& name) const { return factories().count(name) != 0; }

std::shared_ptr<Form> Forms::find(const std::string& name) const {
  for (const auto& f : loaded_)
    if (f->name() == name) return f;
  return nullptr;
}

std::shared_ptr<Form> Forms::get(const std::string& name) {
  if (auto f = find(name)) return f;
  auto it = factories().find(name);
  if (it == factories().end()) throw std::out_of_range("no screen named " + name);
  auto form = it->second();
  form->loaded_ = true;
  loaded_.push_back(form);
  form->on_load();
  return form;
}

std::shared_ptr<Form> Forms::active() const {
  Form* top = !modal_.empty() ? modal_.back() : (zorder_.empty() ? nullptr : zorder_.back());
  return top ? top->shared_from_this() : nullptr;
}

void Forms::do_show(Form& f) {
  if (!f.loaded_) return;
  std::erase(zorder_, &f);
  zorder_.push_back(&f);
  if (!f.visible_) trace::event("show", f.name());
  f.visible_ = true;
  mark_dirty();
  activate_top();
}

void Forms::do_hide(Form& f) {
  if (!f.visible_) return;
  f.visible_ = false;
  std::erase(zorder_, &f);
  std::erase(modal_, &f);  // a hidden modal form gives the input back at once
  trace::event("hide", f.name());
  mark_dirty();
  activate_top();
}

void Forms::do_unload(Form& f) {
  if (!f.loaded_) return;
  auto keep = f.shared_from_this();  // dies when the handlers on the stack return
  f.on_unload();
  if (f.visible_) {
    f.visible_ = false;
    std::erase(zorder_, &f);
    mark_dirty();
  }
  f.loaded_ = false;
  std::erase(modal_, &f);
  std::erase(loaded_, keep);
  if (last_active_ == &f) last_active_ = nullptr;
  trace::event("unload", f.name());
  activate_top();
  // The last reference may be a handler further up the stack, or the loop's
  // queue; `keep` releases ours here.
}

void Forms::activate_top() {
  auto top = active();
  if (!top || top.get() == last_active_) return;
  last_active_ = top.get();
  set_pointer(Pointer::Arrow);
  std::weak_ptr<Form> weak = top;
  Loop::instance().post([weak] {
    auto f = weak.lock();
    auto& forms = Forms::instance();
    if (f && f->loaded_ && forms.active() == f) f->run_handler([&f] { f->on_activate(); });
  });
}

void Forms::dispatch(const InputEvent& ev) {
  using K = InputEvent::Kind;
  if (ev.kind == K::Close) {
    if (on_close_request) on_close_request();
    return;
  }
  if (ev.kind == K::Key && on_global_key && on_global_key(ev.key)) return;

  auto form = active();
  if (!form || !form->enabled) {
    if (ev.kind == K::MouseUp) pressed_form_.reset();
    return;
  }
  if (ev.kind == K::Key) return form->run_handler([&] { form->on_key(ev.key); });
  if (ev.kind == K::Text) return form->run_handler([&] { form->on_text(ev.text); });

  const int fx = ev.x - form->bounds.x, fy = ev.y - form->bounds.y;
  // While the button is down the mouse belongs to what it was pressed on.
  auto pressed = pressed_form_.lock();
  if (pressed && pressed != form) pressed.reset();
  Control* target = nullptr;
  if (pressed && ev.kind != K::MouseDown) {
    target = pressed_control_;
  } else {
    for (auto it = form->controls_.rbegin(); it != form->controls_.rend(); ++it) {
      Control& c = **it;
      if (c.visible && c.rect.contains(fx, fy)) {
        target = c.enabled ? &c : nullptr;
        if (!c.enabled) return;  // a disabled control swallows the mouse
        break;
      }
    }
    if (!target && !form->bounds.contains(ev.x, ev.y) && ev.kind == K::MouseDown) return;
  }

  auto keep_form = form;
  if (target) {
    const int cx = fx - target->rect.x, cy = fy - target->rect.y;
    // Copies: a handler may unload the form and with it this control.
    switch (ev.kind) {
      case K::MouseDown: {
        pressed_form_ = form;
        pressed_control_ = target;
        if (auto h = target->on_mouse_down) form->run_handler([&] { h(cx, cy); });
        break;
      }
      case K::MouseMove: {
        if (auto h = target->on_mouse_move) form->run_handler([&] { h(cx, cy); });
        set_pointer(target->pointer);
        break;
      }
      case K::MouseUp: {
        const bool click = pressed && pressed_control_ == target &&
                           target->rect.contains(fx, fy);
        pressed_form_.reset();
        pressed_control_ = nullptr;
        auto up = target->on_mouse_up;
        auto on_click = target->on_click;
        if (up) form->run_handler([&] { up(cx, cy); });
        if (click && on_click && form->loaded_) form->run_handler(on_click);
        break;
      }
      default:
        break;
    }
    return;
  }
  switch (ev.kind) {
    case K::MouseDown:
      pressed_form_ = form;
      pressed_control_ = nullptr;
      form->run_handler([&] { form->on_mouse_down(fx, fy); });
      break;
    case K::MouseMove:
      form->run_handler([&] { form->on_mouse_move(fx, fy); });
      set_pointer(form->pointer);
      break;
    case K::MouseUp: {
      const bool click = pressed == form && pressed_control_ == nullptr;
      pressed_form_.reset();
      form->run_handler([&] { form->on_mouse_up(fx, fy); });
      if (click && form->loaded_) form->run_handler([&] { form->on_click(); });
      break;
    }
    default:
      break;
  }
}

Surface Forms::compose(bool overlay) const {
  Surface scene(640, 480);
  draw_part(scene, overlay);
  return scene;
}

void Forms::draw_part(Surface& scene, bool overlay) const {
  const Rect part = scene.clip();
  // Drawing starts at the topmost form picture or opaque control that covers
  // the whole part: nothing beneath it shows.  Without one, black beneath all.
  size_t first_form = 0;
  const Control* first_control = nullptr;
  bool covered = false;
  for (size_t i = zorder_.size(); i-- > 0 && !covered;) {
    const Form* f = zorder_[i];
    for (auto c = f->controls_.rbegin(); c != f->controls_.rend() && !covered; ++c) {
      const Rect at{f->bounds.x + (*c)->rect.x, f->bounds.y + (*c)->rect.y, (*c)->rect.w, (*c)->rect.h};
      if ((*c)->visible && (*c)->opaque() && at.contains(part)) {
        first_form = i;
        first_control = c->get();
        covered = true;
      }
    }
    if (!covered && f->bounds.contains(part) && f->picture.width() >= f->bounds.w &&
        f->picture.height() >= f->bounds.h) {
      first_form = i;
      covered = true;
    }
  }
  if (!covered) scene.fill_rect(part, 0);
  for (size_t i = first_form; i < zorder_.size(); ++i) {
    const Form* f = zorder_[i];
    if (intersection(f->bounds, part).empty()) continue;
    bool drawing = !(i == first_form && first_control);
    if (drawing) scene.blit(f->picture, 0, 0, f->bounds.w, f->bounds.h, f->bounds.x, f->bounds.y);
    for (const auto& c : f->controls_) {
      drawing = drawing || c.get() == first_control;
      const Rect at{f->bounds.x + c->rect.x, f->bounds.y + c->rect.y, c->rect.w, c->rect.h};
      if (drawing && c->visible && !intersection(at, part).empty()) c->draw(scene, f->bounds.x, f->bounds.y);
    }
    f->draw_above(scene, f->bounds.x, f->bounds.y);
  }
  if (overlay && overlay_ && !intersection(overlay_rect_, part).empty()) overlay_(scene);
}

void Forms::set_overlay(Rect where, std::function<void(Surface& scene)> draw) {
  damage(overlay_rect_);
  overlay_rect_ = draw ? where : Rect{};
  overlay_ = std::move(draw);
  damage(overlay_rect_);
}

void Forms::damage(Rect r) {
  r = intersection(r, kScene);
  if (r.empty()) return;
  for (Rect& d : damage_) {
    if (d.contains(r)) return;
    // A thing that moved a little leaves two parts that mostly overlap: one
    // part around both costs less than the two.
    auto area = [](const Rect& a) { return static_cast<long>(a.w) * a.h; };
    if (const Rect both = bounding(d, r); 4 * area(both) <= 5 * (area(d) + area(r) - area(intersection(d, r)))) {
      d = both;
      return;
    }
  }
  damage_.push_back(r);
  // Many small parts cost more to present one by one than their sum.
  constexpr size_t kMostParts = 16;
  if (damage_.size() > kMostParts) {
    Rect all;
    for (const Rect& d : damage_) all = bounding(all, d);
    damage_.assign(1, all);
  }
}

bool Forms::changed() {
  for (const Form* f : zorder_) {
    if (f->painted_bounds_ != f->bounds) {
      damage(f->painted_bounds_);
      damage(f->bounds);
      f->painted_bounds_ = f->bounds;
    }
    for (const auto& c : f->controls_) {
      const Rect at{f->bounds.x + c->rect.x, f->bounds.y + c->rect.y, c->rect.w, c->rect.h};
      if (c->visible == c->painted_ && (!c->visible || at == c->painted_at_)) continue;
      if (c->painted_) damage(c->painted_at_);
      if (c->visible) damage(at);
      c->painted_ = c->visible;
      c->painted_at_ = at;
    }
  }
  return !damage_.empty();
}

const std::vector<Rect>& Forms::update_scene() {
  changed();
  presented_damage_.swap(damage_);
  damage_.clear();
  for (const Rect& r : presented_damage_) {
    ClipScope clip(scene_, r);
    draw_part(scene_, true);
  }
  return presented_damage_;
}

void Forms::scroll(Rect area, int dx, const std::vector<const Control*>& carried) {
  area = intersection(area, kScene);
  if (area.empty() || dx == 0 || carried.empty()) return;
  const Form& owner = carried.front()->form();
  auto scene_rect = [&owner](const Control& c) { return Rect{owner.bounds.x + c.rect.x, owner.bounds.y + c.rect.y, c.rect.w, c.rect.h}; };
  auto moved = [dx](Rect r) {
    r.x += dx;
    return r;
  };
  // The picture under everything carried covers the area before and after.
  const Control& picture = *carried.front();
  const Rect now = scene_rect(picture), before{now.x - dx, now.y, now.w, now.h};
  if (!picture.opaque() || !now.contains(area) || !before.contains(area) || std::abs(dx) >= area.w ||
      (shift_ && shift_->area != area)) {
    // Not a picture moved as a whole, nothing of it stays in view, or a
    // window could not shift two parts at once: composed anew.
    damage(area);
    if (shift_) damage(shift_->area);
    shift_ = Shift{};
    return;
  }
  auto carried_along = [&](const Control* c) { return std::find(carried.begin(), carried.end(), c) != carried.end(); };
  // What moved along was painted where it stands now.
  for (const Control* c : carried)
    if (c->painted_ && c->visible && moved(c->painted_at_) == scene_rect(*c)) c->painted_at_ = scene_rect(*c);
  changed();
  // Parts not composed yet moved along with the rest.
  for (const Rect d : std::vector<Rect>(damage_)) damage(intersection(moved(d), area));
  const int kept = area.w - std::abs(dx);
  for (int y = area.y; y < area.y + area.h; ++y) {
    Rgb* row = &scene_.pixels()[static_cast<size_t>(y) * kScene.w + area.x];
    std::memmove(row + std::max(dx, 0), row + std::max(-dx, 0), static_cast<size_t>(kept) * sizeof(Rgb));
  }
  damage(dx > 0 ? Rect{area.x, area.y, dx, area.h} : Rect{area.x + kept, area.y, -dx, area.h});
  // What stood still over the area was shifted with it: composed again
  // where it was shifted to and where it stands.
  auto stood_still = [&](Rect r) {
    damage(intersection(r, area));
    damage(intersection(moved(r), area));
  };
  bool above = false;
  for (const Form* f : zorder_) {
    if (above) stood_still(f->bounds);
    if (f != &owner) continue;
    above = true;
    for (const auto& c : f->controls_)
      if (c->visible && !carried_along(c.get())) stood_still(scene_rect(*c));
  }
  stood_still(overlay_rect_);
  if (!shift_) shift_ = Shift{area, 0};
  shift_->dx += dx;
}

std::optional<Forms::Shift> Forms::take_shift() {
  auto taken = shift_;
  shift_.reset();
  if (taken && taken->area.empty()) return std::nullopt;
  return taken;
}

void Forms::set_pointer(Pointer p) {
  if (p == pointer_) return;
  pointer_ = p;
  if (on_pointer_change) on_pointer_change(p);
}

void Forms::hide_cursor() {
  --cursor_count_;
  if (cursor_count_ == -1 && on_cursor_change) on_cursor_change(false);
}

void Forms::show_cursor() {
  ++cursor_count_;
  if (cursor_count_ == 0 && on_cursor_change) on_cursor_change(true);
}

void Forms::clear() {
  auto all = loaded_;
  for (auto& f : all) f->unload();
  clear_overlay();
  zorder_.clear();
  modal_.clear();
  last_active_ = nullptr;
  pressed_form_.reset();
  pressed_control_ = nullptr;
  handlers_.clear();
  cursor_count_ = 0;
  set_pointer(Pointer::Arrow);
  damage_.assign(1, kScene);
  shift_.reset();
}

}  // namespace tapo::platform
