// The controls a window holds. Each wraps one Qt widget, reachable through
// Widget() for code that drives the real control (tests).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/framework/delegate.h"
#include "app/framework/proplist.h"

class QWidget;

namespace fw {

class Window;
class Picture;

// Event numbers of RuntimeAddEventHandler.
enum class EventNumber { Open = 1, Action = 15 };

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind ControlKind() const { return kind_; }
  const std::string& Name() const { return name_; }
  std::int32_t TabIndex() const { return tabIndex_; }
  QWidget* Widget() const { return widget_; }
  Window& Owner() const { return owner_; }

  // Refresh(true) repaints at once; Refresh(false) schedules a repaint.
  void Refresh(bool immediately);
  void SetTextUnit(std::int32_t unit);

  // Sets one property of the control's property list; the name is one of its kind's.
  void ApplyProperty(const Property& property);

 protected:
  Control(Kind kind, Window& owner, QWidget* widget);
  // The kind's own properties; the common ones (geometry, name, visibility...) are handled here.
  virtual void ApplyOwnProperty(const Property& property) = 0;

 private:
  Kind kind_;
  Window& owner_;
  QWidget* widget_;  // owned by the window's widget tree
  std::string name_;
  std::int32_t tabIndex_ = 0;
};

class PushButton final : public Control {
 public:
  explicit PushButton(Window& owner);
  ~PushButton() override;
  std::string Caption() const;
  void Push();  // as a click does
  // Raises the event; an event whose handler is still running is not raised again.
  void RaiseEvent(EventNumber event);
  void AddEventHandler(EventNumber event, Delegate<void, PushButton&> handler);
  bool HasEventHandler(EventNumber event) const { return handlers_.count(event) != 0; }

 private:
  void ApplyOwnProperty(const Property& property) override;
  std::map<EventNumber, Delegate<void, PushButton&>> handlers_;
  std::map<EventNumber, bool> running_;
};

class Label final : public Control {
 public:
  explicit Label(Window& owner);
  std::string Text() const;
  void SetText(const std::string& text);
  void SetTextSize(float points);

 private:
  void ApplyOwnProperty(const Property& property) override;
  std::string text_;
};

class TextField final : public Control {
 public:
  explicit TextField(Window& owner);
  std::string Text() const;
  void SetText(const std::string& text);

 private:
  void ApplyOwnProperty(const Property& property) override;
};

class TextArea final : public Control {
 public:
  explicit TextArea(Window& owner);
  std::string Text() const;
  void SetText(const std::string& text);

 private:
  void ApplyOwnProperty(const Property& property) override;
};

class Canvas final : public Control {
 public:
  explicit Canvas(Window& owner);
  // The picture drawn as background; none leaves the canvas blank.
  void SetBackdrop(std::shared_ptr<const Picture> picture);
  const std::shared_ptr<const Picture>& Backdrop() const { return backdrop_; }

 private:
  void ApplyOwnProperty(const Property& property) override;
  std::shared_ptr<const Picture> backdrop_;
};

class RoundRectangle final : public Control {
 public:
  explicit RoundRectangle(Window& owner);

 private:
  void ApplyOwnProperty(const Property& property) override;
};

void RuntimeAddEventHandler(PushButton& control, EventNumber event,
                            Delegate<void, PushButton&> handler);

}  // namespace fw
