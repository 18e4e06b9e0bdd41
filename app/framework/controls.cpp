#include "app/framework/controls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <limits>

#include "app/framework/folderitem.h"
#include "app/framework/qtbridge.h"
#include "app/framework/widgets.h"
#include "app/framework/window.h"

namespace fw {
namespace {

using qt::As;

// Applies the font and colour entries that every text control shares; false
// for any other entry.
bool ApplyTextStyle(QWidget& widget, const Property& p) {
  QFont font = widget.font();
  if (p.name == "TextFont") {
    const auto& family = As<std::string>(p);
    font.setFamily(family == "System" ? QFont().family() : qt::FromBytes(family));
  } else if (p.name == "Bold") {
    font.setBold(As<bool>(p));
  } else if (p.name == "Italic") {
    font.setItalic(As<bool>(p));
  } else if (p.name == "Underline") {
    font.setUnderline(As<bool>(p));
  } else if (p.name == "TextColor" || p.name == "BackColor") {
    QPalette palette = widget.palette();
    const bool text = p.name == "TextColor";
    palette.setColor(text ? (qobject_cast<QLabel*>(&widget) ? QPalette::WindowText : QPalette::Text)
                          : QPalette::Base,
                     qt::ToQColor(As<Color>(p)));
    widget.setPalette(palette);
    return true;
  } else {
    return false;
  }
  widget.setFont(font);
  return true;
}

Qt::Alignment HorizontalAlignment(std::int32_t code) {
  // 0 is the default (left); then left, centre, right.
  switch (code) {
    case 2:
      return Qt::AlignHCenter;
    case 3:
      return Qt::AlignRight;
    default:
      return Qt::AlignLeft;
  }
}

class RoundRectWidget final : public QWidget {
 public:
  using QWidget::QWidget;
  QColor fill = Qt::white, border = Qt::black;
  int borderWidth = 1, ovalWidth = 16, ovalHeight = 16;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(fill);
    painter.setPen(borderWidth > 0 ? QPen(border, borderWidth) : QPen(Qt::NoPen));
    const qreal inset = borderWidth / 2.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), ovalWidth / 2.0,
                            ovalHeight / 2.0);
  }
};

// Qt keeps each paragraph break as U+2029, which becomes a line feed, and
// every other character stays. (toPlainText() would also turn no-break spaces
// into spaces and U+2028 into line feeds.)
QString WithLineFeeds(QString raw) {
  return raw.replace(QChar::ParagraphSeparator, u'\n');
}

bool HoldsText(const QMimeData* source) {
  return source != nullptr && source->hasText();
}

// The clipboard, where it also holds the X11 primary selection; none elsewhere.
QClipboard* PrimarySelection() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard->supportsSelection() ? clipboard : nullptr;
}

}  // namespace

namespace qt {

void TextFieldEdit::SelectAllIntoPrimary() {
  selectAll();
  // What Copy would give, so nothing of a password.
  if (QClipboard* clipboard = PrimarySelection();
      clipboard != nullptr && hasSelectedText() && echoMode() == Normal)
    clipboard->setText(selectedText(), QClipboard::Selection);
}

void TextFieldEdit::focusOutEvent(QFocusEvent* event) {
  if (event->reason() != Qt::MenuBarFocusReason) return QLineEdit::focusOutEvent(event);
  QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
  QLineEdit::focusOutEvent(&toMenu);
}

QString TextAreaEdit::Text() const {
  return WithLineFeeds(document()->toRawText());
}

void TextAreaEdit::SelectAllIntoPrimary() {
  selectAll();
  if (QClipboard* clipboard = PrimarySelection();
      clipboard != nullptr && textCursor().hasSelection())
    clipboard->setMimeData(createMimeDataFromSelection(), QClipboard::Selection);
}

QMimeData* TextAreaEdit::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(WithLineFeeds(textCursor().selectedText()));
  return data;
}

bool TextAreaEdit::canInsertFromMimeData(const QMimeData* source) const {
  return HoldsText(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void TextAreaEdit::insertFromMimeData(const QMimeData* source) {
  if (HoldsText(source)) QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace qt

Control::Control(Kind kind, Window& owner, QWidget* widget)
    : kind_(kind), owner_(owner), widget_(widget) {}

Control::~Control() = default;

void Control::Refresh(bool immediately) {
  if (immediately)
    widget_->repaint();
  else
    widget_->update();
}

void Control::SetTextUnit(std::int32_t unit) {
  // Unit 0 is the platform's default unit, points; no other unit is in use.
  if (unit != 0) throw RuntimeException("Only the default text unit is supported.");
}

void Control::ApplyProperty(const Property& p) {
  QWidget& w = *widget_;
  if (p.name == "Name") {
    name_ = As<std::string>(p);
    w.setObjectName(qt::FromBytes(name_));
  } else if (p.name == "Left") {
    w.move(As<std::int32_t>(p), w.y());
  } else if (p.name == "Top") {
    w.move(w.x(), As<std::int32_t>(p));
  } else if (p.name == "Width") {
    w.resize(As<std::int32_t>(p), w.height());
  } else if (p.name == "Height") {
    w.resize(w.width(), As<std::int32_t>(p));
  } else if (p.name == "TabIndex") {
    tabIndex_ = As<std::int32_t>(p);
  } else if (p.name == "Visible") {
    w.setVisible(As<bool>(p));
  } else if (p.name == "Enabled") {
    w.setEnabled(As<bool>(p));
  } else if (p.name == "HelpTag") {
    w.setToolTip(qt::FromBytes(As<std::string>(p)));
  } else if (p.name == "InitialParent") {
    const auto& parentName = As<std::string>(p);
    if (parentName.empty()) return;
    // Positions are window coordinates; the new parent's are subtracted.
    QWidget* parent = owner_.ControlAs<Control>(parentName).Widget();
    const bool visible = !w.isHidden();
    const QPoint position = w.pos() - parent->pos();
    w.setParent(parent);
    w.move(position);
    w.setVisible(visible);
  } else {
    // Index, the Lock entries and TabPanelIndex describe what Qt does anyway: every
    // control stands alone, is found by name and keeps its place on resizing.
    ApplyOwnProperty(p);
  }
}

// --- PushButton ---

PushButton::PushButton(Window& owner)
    : Control(Kind::PushButton, owner, new QPushButton(owner.Content())) {
  auto* button = static_cast<QPushButton*>(Widget());
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button,
                   [this] { qt::Dispatch([this] { RaiseEvent(EventNumber::Action); }); });
}

// The widget may outlive this object until Qt deletes it: cut the click off first.
PushButton::~PushButton() {
  QObject::disconnect(Widget(), nullptr, Widget(), nullptr);
}

std::string PushButton::Caption() const {
  return qt::ToBytes(static_cast<QPushButton*>(Widget())->text());
}

void PushButton::Push() {
  static_cast<QPushButton*>(Widget())->click();
}

void PushButton::RaiseEvent(EventNumber event) {
  const auto handler = handlers_.find(event);
  if (handler == handlers_.end() || running_[event]) return;
  // The window, and with it this control, must outlive the handler even when
  // the handler's window is closed under it.
  const auto keepAlive = Owner().weak_from_this().lock();
  const auto delegate = handler->second;
  running_[event] = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{running_[event]};
  delegate(*this);
}

void PushButton::AddEventHandler(EventNumber event, Delegate<void, PushButton&> handler) {
  handlers_[event] = std::move(handler);
}

void PushButton::ApplyOwnProperty(const Property& p) {
  auto& button = *static_cast<QPushButton*>(Widget());
  if (ApplyTextStyle(button, p)) return;
  if (p.name == "Caption") {
    button.setText(qt::FromBytes(As<std::string>(p)));
  } else if (p.name == "TabStop") {
    button.setFocusPolicy(As<bool>(p) ? Qt::StrongFocus : Qt::NoFocus);
  } else if (p.name == "Default") {
    button.setDefault(As<bool>(p));
  }
  // Cancel, AutoDeactivate and ButtonStyle 0 (the platform's button) need nothing.
}

void RuntimeAddEventHandler(PushButton& control, EventNumber event,
                            Delegate<void, PushButton&> handler) {
  control.AddEventHandler(event, std::move(handler));
}

// --- Label ---

Label::Label(Window& owner) : Control(Kind::Label, owner, new QLabel(owner.Content())) {
  auto* label = static_cast<QLabel*>(Widget());
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setFocusPolicy(Qt::NoFocus);
}

std::string Label::Text() const {
  return text_;
}

void Label::SetText(const std::string& text) {
  text_ = text;
  // A carriage return, like a line feed, breaks the line.
  static_cast<QLabel*>(Widget())->setText(qt::FromBytes(text).replace(u'\r', u'\n'));
}

void Label::SetTextSize(float points) {
  // Layouts are laid out in points of 1/72 inch taken as pixels, so a size is
  // one too; 0 keeps the default size.
  QFont font = Widget()->font();
  if (points > 0) font.setPixelSize(qRound(points));
  Widget()->setFont(font);
}

void Label::ApplyOwnProperty(const Property& p) {
  auto& label = *static_cast<QLabel*>(Widget());
  if (ApplyTextStyle(label, p)) return;
  if (p.name == "Text") {
    SetText(As<std::string>(p));
  } else if (p.name == "TextAlign") {
    label.setAlignment(HorizontalAlignment(As<std::int32_t>(p) + 1) | Qt::AlignTop);
  } else if (p.name == "Multiline") {
    label.setWordWrap(As<bool>(p));
  } else if (p.name == "Selectable") {
    label.setTextInteractionFlags(As<bool>(p) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
  }
  // A label draws on whatever lies under it, so Transparent changes nothing it
  // shows; and it never takes the focus, whatever its TabStop says.
}

// --- TextField ---

TextField::TextField(Window& owner)
    : Control(Kind::TextField, owner, new qt::TextFieldEdit(owner.Content())) {}

std::string TextField::Text() const {
  return qt::ToBytes(static_cast<QLineEdit*>(Widget())->text());
}

void TextField::SetText(const std::string& text) {
  static_cast<QLineEdit*>(Widget())->setText(qt::FromBytes(text));
}

void TextField::ApplyOwnProperty(const Property& p) {
  auto& field = *static_cast<QLineEdit*>(Widget());
  if (ApplyTextStyle(field, p)) return;
  if (p.name == "Text") {
    SetText(As<std::string>(p));
  } else if (p.name == "TabStop") {
    field.setFocusPolicy(As<bool>(p) ? Qt::StrongFocus : Qt::ClickFocus);
  } else if (p.name == "Border") {
    field.setFrame(As<bool>(p));
  } else if (p.name == "Password") {
    field.setEchoMode(As<bool>(p) ? QLineEdit::Password : QLineEdit::Normal);
  } else if (p.name == "CueText") {
    field.setPlaceholderText(qt::FromBytes(As<std::string>(p)));
  } else if (p.name == "ReadOnly") {
    field.setReadOnly(As<bool>(p));
  } else if (p.name == "LimitText") {
    const auto limit = As<std::int32_t>(p);
    field.setMaxLength(limit > 0 ? limit : std::numeric_limits<int>::max());
  } else if (p.name == "Alignment") {
    field.setAlignment(HorizontalAlignment(As<std::int32_t>(p)) | Qt::AlignVCenter);
  }
}

// --- TextArea ---

TextArea::TextArea(Window& owner)
    : Control(Kind::TextArea, owner, new qt::TextAreaEdit(owner.Content())) {
  static_cast<QPlainTextEdit*>(Widget())->setTabChangesFocus(true);
}

std::string TextArea::Text() const {
  return qt::ToBytes(static_cast<qt::TextAreaEdit*>(Widget())->Text());
}

void TextArea::SetText(const std::string& text) {
  static_cast<QPlainTextEdit*>(Widget())->setPlainText(qt::FromBytes(text));
}

void TextArea::ApplyOwnProperty(const Property& p) {
  auto& area = *static_cast<QPlainTextEdit*>(Widget());
  if (ApplyTextStyle(area, p)) return;
  if (p.name == "Text") {
    SetText(As<std::string>(p));
  } else if (p.name == "TabStop") {
    area.setFocusPolicy(As<bool>(p) ? Qt::StrongFocus : Qt::ClickFocus);
  } else if (p.name == "Border") {
    area.setFrameShape(As<bool>(p) ? QFrame::StyledPanel : QFrame::NoFrame);
  } else if (p.name == "Multiline") {
    area.setLineWrapMode(As<bool>(p) ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  } else if (p.name == "ScrollbarHorizontal") {
    area.setHorizontalScrollBarPolicy(As<bool>(p) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  } else if (p.name == "ScrollbarVertical") {
    area.setVerticalScrollBarPolicy(As<bool>(p) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  } else if (p.name == "ReadOnly") {
    area.setReadOnly(As<bool>(p));
  } else if (p.name == "AcceptTabs") {
    area.setTabChangesFocus(!As<bool>(p));
  }
  // Styled text, masks, formats, spelling and data binding have no use here.
}

// --- Canvas ---

Canvas::Canvas(Window& owner) : Control(Kind::Canvas, owner, new QLabel(owner.Content())) {
  static_cast<QLabel*>(Widget())->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Canvas::SetBackdrop(std::shared_ptr<const Picture> picture) {
  backdrop_ = std::move(picture);
  auto* canvas = static_cast<QLabel*>(Widget());
  if (backdrop_)
    canvas->setPixmap(backdrop_->Pixmap());
  else
    canvas->clear();
}

void Canvas::ApplyOwnProperty(const Property& p) {
  if (p.name == "AcceptFocus")
    Widget()->setFocusPolicy(As<bool>(p) ? Qt::StrongFocus : Qt::NoFocus);
  // The other canvas entries concern drawing code, which no canvas here has.
}

// --- RoundRectangle ---

RoundRectangle::RoundRectangle(Window& owner)
    : Control(Kind::RoundRectangle, owner, new RoundRectWidget(owner.Content())) {}

void RoundRectangle::ApplyOwnProperty(const Property& p) {
  auto& shape = *static_cast<RoundRectWidget*>(Widget());
  if (p.name == "FillColor") {
    shape.fill = qt::ToQColor(As<Color>(p));
  } else if (p.name == "BorderColor") {
    shape.border = qt::ToQColor(As<Color>(p));
  } else if (p.name == "BorderWidth") {
    shape.borderWidth = As<std::int32_t>(p);
  } else if (p.name == "OvalWidth") {
    shape.ovalWidth = As<std::int32_t>(p);
  } else if (p.name == "OvalHeight") {
    shape.ovalHeight = As<std::int32_t>(p);
  }
  shape.update();
}

}  // namespace fw
