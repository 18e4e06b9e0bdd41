// The framework on real, offscreen Qt widgets: windows built from their data,
// single instances, event handlers and what may happen while they run, text
// shown in controls, and menus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/framework/folderitem.h"
#include "app/framework/menu.h"
#include "app/framework/runtime.h"
#include "app/framework/scheme.h"
#include "app/framework/text.h"
#include "support/message_recorder.h"

namespace {

class TestWindow;

// What the test window's handlers do; each test sets its own.
struct Script {
  std::function<void(TestWindow&, fw::PushButton&)> go, other, open;
  int goCalls = 0, otherCalls = 0, openCalls = 0, layoutCalls = 0;
};
Script script;

// A window built by the scheme, like the application's windows.
class TestWindow final : public fw::Window {
 public:
  static constexpr std::string_view kRegisteredName = "TestWindow.TestWindow";
  TestWindow() : fw::Window(std::string(kRegisteredName)) {}

  fw::Label& StaticText1() const { return ControlAs<fw::Label>("StaticText1"); }
  fw::TextField& TextField1() const { return ControlAs<fw::TextField>("TextField1"); }
  fw::TextArea& TextArea1() const { return ControlAs<fw::TextArea>("TextArea1"); }
  fw::PushButton& PushButton1() const { return ControlAs<fw::PushButton>("PushButton1"); }
  fw::PushButton& PushButton2() const { return ControlAs<fw::PushButton>("PushButton2"); }
  fw::TextField& TextField2() const { return ControlAs<fw::TextField>("TextField2"); }

  void PushButton1_Action(fw::PushButton& sender) {
    ++script.goCalls;
    if (script.go) script.go(*this, sender);
  }
  void PushButton1_Open(fw::PushButton& sender) {
    ++script.openCalls;
    if (script.open) script.open(*this, sender);
  }
  void PushButton2_Action(fw::PushButton& sender) {
    ++script.otherCalls;
    if (script.other) script.other(*this, sender);
  }

 private:
  void Layout() override;
  void CreateControls() override;
};

const fw::WindowData kTestWindow{0, 300, 200, "Test \xE2\x82\xAC"};

// Created in an order that is not the tab order.
const fw::ControlData kTestControls[] = {
    {fw::Kind::Label, "StaticText1", 10, 10, 100, 20, 0, "Name:"},
    {fw::Kind::TextField, "TextField1", 120, 10, 160, 22, 3},
    {fw::Kind::TextArea, "TextArea1", 10, 40, 270, 90, 1},
    {fw::Kind::PushButton, "PushButton1", 10, 140, 80, 24, 0, "Go"},
    {fw::Kind::PushButton, "PushButton2", 100, 140, 80, 24, 2, "Other"},
    {fw::Kind::TextField, "TextField2", 190, 140, 90, 22, 4, "fixed", {{"ReadOnly", true}}},
};

const fw::EventBinding<TestWindow> kTestBindings[] = {
    {"PushButton1", fw::EventNumber::Action, &TestWindow::PushButton1_Action},
    {"PushButton1", fw::EventNumber::Open, &TestWindow::PushButton1_Open},
    {"PushButton2", fw::EventNumber::Action, &TestWindow::PushButton2_Action},
};

void TestWindow::Layout() {
  ++script.layoutCalls;
  fw::SetProperties(*this, fw::WindowPropertyList(kTestWindow));
}

void TestWindow::CreateControls() {
  fw::CreateControls<TestWindow>(*this, kTestControls, kTestBindings);
}

std::shared_ptr<fw::MenuBar> menuBarOfPanelWindow;

// A centred window with a menu bar of its own: a label inside a rounded
// rectangle, and two canvases, one with a picture.
class PanelWindow final : public fw::Window {
 public:
  static constexpr std::string_view kRegisteredName = "PanelWindow.PanelWindow";
  PanelWindow() : fw::Window(std::string(kRegisteredName)) {}

 private:
  void Layout() override;
  void CreateControls() override;
};

// The picture a canvas shows: eight by eight red pixels.
std::shared_ptr<const fw::Picture> RedPicture() {
  QPixmap red(8, 8);
  red.fill(Qt::red);
  return std::make_shared<const fw::Picture>(red);
}

fw::ControlData LabelInPanel() {
  fw::ControlData label{fw::Kind::Label, "Label1", 35, 61, 170, 30, 0};
  label.overrides = {{"InitialParent", std::string("RoundRectangle1")}};
  return label;
}

fw::ControlData CanvasWithPicture() {
  fw::ControlData canvas{fw::Kind::Canvas, "Canvas1", 0, 150, 8, 8, 0};
  canvas.backdrop = &RedPicture;
  return canvas;
}

const fw::ControlData kPanelControls[] = {
    {fw::Kind::TextField, "TextField1", 0, 0, 100, 22, 0},
    {fw::Kind::RoundRectangle, "RoundRectangle1", 20, 40, 200, 100, 1},
    LabelInPanel(),
    CanvasWithPicture(),
    {fw::Kind::Canvas, "Canvas2", 10, 150, 8, 8, 0},
};

void PanelWindow::Layout() {
  SetMenuBar(menuBarOfPanelWindow);
  fw::SetProperties(*this, fw::WindowPropertyList({2, 240, 160, "Panel"}));
}

void PanelWindow::CreateControls() {
  fw::CreateControls<PanelWindow>(*this, kPanelControls);
}

std::shared_ptr<fw::MenuItem> Item(std::shared_ptr<fw::MenuItem> item, const std::string& name,
                                   const std::string& text, const std::string& shortcut) {
  item->SetName(name);
  item->SetAutoEnable(true);
  item->SetText(text);
  if (text != "-") item->SetKeyboardShortcut(shortcut);
  return item;
}

std::shared_ptr<fw::MenuItem> Item(const std::string& name, const std::string& text,
                                   const std::string& shortcut = "") {
  return Item(std::make_shared<fw::MenuItem>(), name, text, shortcut);
}

// The application's File and Edit menus, and one item with a shortcut of its own.
std::shared_ptr<fw::MenuBar> BuildMenuBar() {
  auto bar = std::make_shared<fw::MenuBar>();
  bar->Append(Item("FileMenu", "&File"));
  auto file = bar->Child("FileMenu");
  file->Append(Item(std::make_shared<fw::AppleMenuItem>(), "AppleAbout", "About Test...", ""));
  file->Append(Item("FileKeep", "&Keep", "Cmd+K"));
  file->Append(Item(std::make_shared<fw::QuitMenuItem>(), "FileQuit", "&Quit", "Cmd+Q"));
  bar->Append(Item("EditMenu", "&Edit"));
  auto edit = bar->Child("EditMenu");
  edit->Append(Item("EditUndo", "&Undo", "Cmd+Z"));
  edit->Append(Item("UntitledMenu1", "-", ""));
  edit->Append(Item("EditCut", "Cu&t", "Cmd+X"));
  edit->Append(Item("EditCopy", "&Copy", "Cmd+C"));
  edit->Append(Item("EditPaste", "&Paste", "Cmd+V"));
  edit->Append(Item("EditClear", "&Delete"));
  edit->Append(Item("UntitledMenu0", "-", ""));
  edit->Append(Item("EditSelectAll", "Select &All", "Cmd+A"));
  return bar;
}

class TestApp final : public fw::Application {
 public:
  std::function<bool(const std::string&)> onMenu;
  bool About() { return onMenu("AppleAbout"); }
  bool Keep() { return onMenu("FileKeep"); }
  bool SelectAll() { return onMenu("EditSelectAll"); }
};

template <class W>
std::shared_ptr<W> Get() {
  return fw::ImplicitInstance<W>();
}

template <class Widget>
Widget* Real(const fw::Control& control) {
  auto* widget = qobject_cast<Widget*>(control.Widget());
  EXPECT_NE(widget, nullptr);
  return widget;
}

class Framework : public testing::Test {
 protected:
  void TearDown() override {
    CloseAllWindows();
    script = {};
    menuBarOfPanelWindow.reset();
    fw::RuntimeRegisterAppObject(nullptr);
  }

  MessageRecorder messages;
};

// --- Building a window from its data ---

using Building = Framework;

TEST_F(Building, PutsEachListOnTheRealWidgets) {
  const auto window = Get<TestWindow>();
  QWidget* top = window->Widget();
  EXPECT_TRUE(window->IsVisible());
  EXPECT_EQ(top->windowTitle(), QString::fromUtf8("Test \xE2\x82\xAC"));
  EXPECT_EQ(window->Content()->size(), QSize(300, 200));

  for (const auto& row : kTestControls) {
    const QWidget* widget = window->ControlByName(row.name)->Widget();
    EXPECT_EQ(widget->parentWidget(), window->Content()) << row.name;
    EXPECT_EQ(widget->geometry(), QRect(row.left, row.top, row.width, row.height)) << row.name;
    EXPECT_FALSE(widget->isHidden()) << row.name;
  }
  EXPECT_EQ(Real<QLabel>(window->StaticText1())->text(), "Name:");
  EXPECT_EQ(Real<QPushButton>(window->PushButton1())->text(), "Go");
  EXPECT_EQ(window->PushButton2().Caption(), "Other");
  EXPECT_EQ(window->TextField2().Text(), "fixed");

  // Text areas and fields are editable unless their list says otherwise.
  EXPECT_FALSE(Real<QLineEdit>(window->TextField1())->isReadOnly());
  EXPECT_FALSE(Real<QPlainTextEdit>(window->TextArea1())->isReadOnly());
  EXPECT_TRUE(Real<QLineEdit>(window->TextField2())->isReadOnly());
  QTest::keyClicks(window->TextField1().Widget(), "typed");
  QTest::keyClicks(Real<QPlainTextEdit>(window->TextArea1())->viewport(), "area");
  EXPECT_EQ(window->TextField1().Text(), "typed");
  EXPECT_EQ(window->TextArea1().Text(), "area");
}

TEST_F(Building, TabOrderFollowsTabIndexNotCreationOrder) {
  const auto window = Get<TestWindow>();
  const std::vector<std::string> expected = {"PushButton1", "TextArea1", "PushButton2",
                                             "TextField1", "TextField2"};
  // The controls in the order the focus chain meets them, from the first.
  std::vector<std::string> order;
  QWidget* start = window->PushButton1().Widget();
  QWidget* widget = start;
  do {
    for (const auto& row : kTestControls)
      if (window->ControlByName(row.name)->Widget() == widget &&
          (widget->focusPolicy() & Qt::TabFocus))
        order.emplace_back(row.name);
    widget = widget->nextInFocusChain();
  } while (widget != start && order.size() < 10);
  EXPECT_EQ(order, expected);

  // The Tab key follows that order; in a text area it moves on rather than typing a tab.
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  QWidget* area = window->TextArea1().Widget();
  area->setFocus();
  QTest::keyClick(area, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->PushButton2().Widget());
  EXPECT_EQ(window->TextArea1().Text(), "");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->TextField1().Widget());
}

TEST_F(Building, ControlsSitInTheContentAreaBelowTheMenuBar) {
  menuBarOfPanelWindow = BuildMenuBar();
  const auto window = Get<PanelWindow>();
  auto* top = qobject_cast<QMainWindow*>(window->Widget());
  ASSERT_NE(top, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
  QMenuBar* bar = top->menuBar();
  ASSERT_TRUE(bar->isVisible());
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), "&File");
  EXPECT_EQ(bar->actions()[1]->text(), "&Edit");

  // Width and Height are those of the area the controls stand in.
  EXPECT_EQ(window->Content()->size(), QSize(240, 160));
  EXPECT_EQ(top->height(), 160 + bar->height());
  const QWidget* field = window->ControlByName("TextField1")->Widget();
  EXPECT_EQ(field->mapTo(top, QPoint(0, 0)), QPoint(0, bar->geometry().bottom() + 1));
}

TEST_F(Building, TheWindowKeepsWithinItsSizeLimits) {
  const auto window = Get<TestWindow>();
  QWidget* top = window->Widget();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
  top->resize(10, 10);
  QCoreApplication::processEvents();
  EXPECT_EQ(window->Content()->size(), QSize(64, 64));
  EXPECT_EQ(top->size(), QSize(64, 64));

  const std::vector<fw::Property> limits = {{"MaxWidth", 320}, {"MaxHeight", 220}};
  fw::SetProperties(*window, fw::EncodePropertyList(limits));
  top->resize(600, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(window->Content()->size(), QSize(320, 220));
  EXPECT_EQ(top->size(), QSize(320, 220)) << "no empty band beside the content";
}

TEST_F(Building, PlacementTwoCentresTheWindowOnThePrimaryScreen) {
  const auto window = Get<PanelWindow>();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
  const QPoint centre = window->Widget()->frameGeometry().center();
  const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
  // Centred up to the window frame, which Qt knows only once the window is shown.
  EXPECT_LE((centre - screenCentre).manhattanLength(), 16);
}

TEST_F(Building, ALabelInsideARectangleStaysWhereTheWindowCoordinatesPutIt) {
  const auto window = Get<PanelWindow>();
  const QWidget* panel = window->ControlByName("RoundRectangle1")->Widget();
  const QWidget* label = window->ControlByName("Label1")->Widget();
  EXPECT_EQ(label->parentWidget(), panel);
  EXPECT_FALSE(label->isHidden());
  EXPECT_EQ(label->mapTo(window->Content(), QPoint(0, 0)), QPoint(35, 61));
  EXPECT_EQ(label->size(), QSize(170, 30));

  // The label stands on the white panel; its empty area shows the panel through.
  const QImage image = window->Content()->grab().toImage();
  EXPECT_EQ(image.pixelColor(120, 70), QColor(Qt::white)) << "panel";
  EXPECT_EQ(image.pixelColor(200, 88), QColor(Qt::white)) << "label";
}

TEST_F(Building, ACanvasDrawsItsBackdrop) {
  const auto window = Get<PanelWindow>();
  const QImage image = window->Content()->grab().toImage();
  EXPECT_EQ(image.pixelColor(4, 154), QColor(Qt::red));
  EXPECT_NE(image.pixelColor(14, 154), QColor(Qt::red)) << "no picture, blank";
  EXPECT_EQ(window->ControlAs<fw::Canvas>("Canvas2").Backdrop(), nullptr);
}

TEST_F(Building, OpenRunsOnceWhenTheWindowIsBuilt) {
  script.open = [](TestWindow& window, fw::PushButton& sender) {
    EXPECT_EQ(&sender, &window.PushButton1());
    window.TextField1().SetText("65537");
  };
  const auto window = Get<TestWindow>();
  EXPECT_EQ(script.openCalls, 1);
  EXPECT_EQ(script.goCalls, 0);
  EXPECT_EQ(window->TextField1().Text(), "65537");
  Get<TestWindow>();
  EXPECT_EQ(script.openCalls, 1);
}

TEST_F(Building, AnExceptionInOpenIsReportedAndTheWindowStillOpens) {
  script.open = [](TestWindow&, fw::PushButton&) { throw fw::RuntimeException("No default."); };
  std::shared_ptr<TestWindow> window;
  EXPECT_NO_THROW(window = Get<TestWindow>());
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"No default."});
  EXPECT_EQ(fw::GetImplicitWindow(TestWindow::kRegisteredName), window);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->IsVisible());
}

TEST_F(Building, RefreshTrueRepaintsAtOnce) {
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  const auto window = Get<TestWindow>();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
  QCoreApplication::processEvents();
  auto& label = window->StaticText1();
  label.Widget()->installEventFilter(&counter);
  label.Refresh(true);
  EXPECT_EQ(counter.paints, 1);
  label.Refresh(false);  // only scheduled
  EXPECT_EQ(counter.paints, 1);
  label.Widget()->removeEventFilter(&counter);
}

TEST_F(Building, RecordListsTheOwnOperationsInOrder) {
  const auto record =
      fw::WindowClassRecord("TestWindow", kTestControls,
                            {"PushButton1_Action", "PushButton1_Open", "PushButton2_Action"});
  EXPECT_EQ(record.base, "Window");
  EXPECT_EQ(record.registeredName, TestWindow::kRegisteredName);
  std::vector<std::string> names;
  for (const auto& operation : record.operations) names.push_back(operation.name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Layout", "CreateControls", "CreateControls0", "StaticText1", "TextField1",
                       "TextArea1", "PushButton1", "PushButton2", "TextField2",
                       "PushButton1_Action", "PushButton1_Open", "PushButton2_Action"}));
  const auto hidden = [](const fw::OperationRecord& operation) {
    return std::count(operation.attributes.begin(), operation.attributes.end(),
                      std::pair<std::string, std::string>("Hidden", "True"));
  };
  for (std::size_t i = 0; i < record.operations.size(); ++i)
    EXPECT_EQ(hidden(record.operations[i]), i == 2 ? 1 : 0) << names[i];
}

// --- Property lists refused ---

using Refusing = Framework;

TEST_F(Refusing, AListNamingAPropertyTheKindLacksChangesNothing) {
  const auto window = Get<TestWindow>();
  auto& field = window->TextField1();
  field.SetText("before");
  const std::vector<fw::Property> fieldList = {
      {"Text", std::string("after")}, {"Left", 200}, {"Caption", std::string("no")}};
  EXPECT_THROW(fw::SetProperties(field, fw::EncodePropertyList(fieldList)),
               fw::BadPropertyListException);
  EXPECT_EQ(field.Text(), "before");
  EXPECT_EQ(field.Widget()->x(), 120);

  const std::vector<fw::Property> windowList = {{"Title", std::string("after")},
                                                {"Name", std::string("no")}};
  EXPECT_THROW(fw::SetProperties(*window, fw::EncodePropertyList(windowList)),
               fw::BadPropertyListException);
  EXPECT_EQ(window->Widget()->windowTitle(), QString::fromUtf8("Test \xE2\x82\xAC"));

  // Cut short in its last entry.
  const std::string cut = fw::EncodePropertyList(std::span(fieldList).first(2));
  EXPECT_THROW(fw::SetProperties(field, std::string_view(cut).substr(0, cut.size() - 1)),
               fw::BadPropertyListException);
  EXPECT_EQ(field.Text(), "before");
}

// --- One instance per class ---

using SingleInstance = Framework;

TEST_F(SingleInstance, TwoGetterCallsGiveOneWindowWithItsText) {
  const auto first = Get<TestWindow>();
  first->TextArea1().SetText("typed");
  first->Hide();  // a hidden window is still the open one
  const auto second = Get<TestWindow>();
  EXPECT_EQ(second, first);
  EXPECT_EQ(script.layoutCalls, 1);
  EXPECT_EQ(second->TextArea1().Text(), "typed");
  EXPECT_EQ(fw::GetImplicitWindow(TestWindow::kRegisteredName), first);
}

TEST_F(SingleInstance, AfterACloseTheGetterBuildsAFreshWindow) {
  const auto first = Get<TestWindow>();
  first->TextArea1().SetText("typed");
  first->Close();
  EXPECT_TRUE(first->IsClosed());
  EXPECT_FALSE(first->IsVisible());
  EXPECT_EQ(fw::GetImplicitWindow(TestWindow::kRegisteredName), nullptr);

  const auto second = Get<TestWindow>();
  EXPECT_NE(second, first);
  EXPECT_EQ(script.layoutCalls, 2);
  EXPECT_TRUE(second->IsVisible());
  EXPECT_EQ(second->TextArea1().Text(), "");
  EXPECT_EQ(fw::GetImplicitWindow(TestWindow::kRegisteredName), second);
  EXPECT_EQ(fw::OpenWindows().size(), 1u);
}

TEST_F(SingleInstance, ShowBringsAMinimisedWindowBackAsItWasBefore) {
  const auto window = Get<TestWindow>();
  QWidget* top = window->Widget();
  for (const Qt::WindowStates before :
       {Qt::WindowStates(Qt::WindowNoState), Qt::WindowStates(Qt::WindowMaximized)}) {
    top->setWindowState(before | Qt::WindowMinimized);
    window->Show();
    EXPECT_EQ(top->windowState(), before);
  }
}

// --- Delegates ---

using Delegates = Framework;

TEST_F(Delegates, AWeakDelegateWhoseWindowIsGoneRaisesAndRunsNoHandler) {
  auto window = Get<TestWindow>();
  const auto weak = fw::RuntimeCreateDelegate(window, &TestWindow::PushButton1_Action,
                                              "( PushButton )", fw::Hold::Weak);
  auto strong = fw::RuntimeCreateDelegate(window, &TestWindow::PushButton1_Action, "( PushButton )",
                                          fw::Hold::Strong);
  const auto panel = Get<PanelWindow>();
  const auto sender = panel->New<fw::PushButton>();
  const std::weak_ptr<TestWindow> watch = window;
  window->Close();
  window.reset();

  weak(*sender);  // the strong delegate still holds the window
  strong(*sender);
  EXPECT_EQ(script.goCalls, 2);
  strong = {};
  EXPECT_TRUE(watch.expired());
  EXPECT_THROW(weak(*sender), fw::NilObjectException);
  EXPECT_EQ(script.goCalls, 2);
}

TEST_F(Delegates, AButtonsBindingDoesNotKeepItsWindowAlive) {
  std::weak_ptr<TestWindow> watch;
  {
    const auto window = Get<TestWindow>();
    watch = window;
    window->Close();
  }
  EXPECT_TRUE(watch.expired());
}

// --- Event handlers ---

using Handlers = Framework;

TEST_F(Handlers, AnExceptionInAHandlerIsShownAndTheApplicationGoesOn) {
  const auto window = Get<TestWindow>();
  window->TextArea1().SetText("kept");
  script.go = [](TestWindow&, fw::PushButton&) {
    throw fw::RuntimeException("The key is too short.");
  };
  QTest::mouseClick(window->PushButton1().Widget(), Qt::LeftButton);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"The key is too short."});
  EXPECT_EQ(fw::GetImplicitWindow(TestWindow::kRegisteredName), window);
  EXPECT_TRUE(window->IsVisible());
  EXPECT_EQ(window->TextArea1().Text(), "kept");

  // The button still works, and whatever is thrown becomes a message.
  script.go = [](TestWindow&, fw::PushButton&) { throw 42; };
  window->PushButton1().Push();
  script.go = [](TestWindow&, fw::PushButton&) { throw std::bad_alloc(); };
  window->PushButton1().Push();
  EXPECT_EQ(script.goCalls, 3);
  ASSERT_EQ(messages.Messages().size(), 3u);
  EXPECT_FALSE(messages.Messages()[1].empty());
  EXPECT_FALSE(messages.Messages()[2].empty());
  EXPECT_EQ(window->TextArea1().Text(), "kept");
}

TEST_F(Handlers, NothingEscapesTheHandlerBoundaryEvenWhenTheMessageFails) {
  const auto window = Get<TestWindow>();
  script.go = [](TestWindow&, fw::PushButton&) { throw fw::RuntimeException("First."); };
  auto recorder = fw::SetMessageSink([](const std::string&) { throw std::bad_alloc(); });
  EXPECT_NO_THROW(window->PushButton1().Push());
  fw::SetMessageSink(std::move(recorder));
  // A later failure still runs its handler and reports as usual.
  window->PushButton1().Push();
  EXPECT_EQ(script.goCalls, 2);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"First."});
}

TEST_F(Handlers, AWindowClosedWhileItsHandlerYieldsLivesUntilTheHandlerEnds) {
  QPointer<QPushButton> button;
  QPointer<QWidget> top;
  std::weak_ptr<TestWindow> watch;
  {
    const auto window = Get<TestWindow>();
    button = Real<QPushButton>(window->PushButton1());
    top = window->Widget();
    watch = window;
  }
  bool closedInside = false;
  bool registeredInside = true;
  std::string textInside;
  script.go = [&](TestWindow& window, fw::PushButton&) {
    // As if the user closed it while the handler gives the event loop a turn.
    QTimer::singleShot(0, window.Widget(), [&window] { window.Widget()->close(); });
    fw::RuntimeBackgroundTask();
    closedInside = window.IsClosed();
    registeredInside = fw::GetImplicitWindow(TestWindow::kRegisteredName) != nullptr;
    window.TextArea1().SetText("still here");
    textInside = window.TextArea1().Text();
  };
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(script.goCalls, 1);
  EXPECT_TRUE(closedInside);
  EXPECT_FALSE(registeredInside);
  EXPECT_EQ(textInside, "still here");
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_TRUE(watch.expired()) << "released once its handler returned";
  EXPECT_NE(Get<TestWindow>(), nullptr);
  CloseAllWindows();
  EXPECT_TRUE(top.isNull()) << "its widgets are deleted in the end";
}

TEST_F(Handlers, AHandlerMayCloseItsOwnWindow) {
  std::weak_ptr<TestWindow> watch;
  fw::PushButton* button = nullptr;
  {
    const auto window = Get<TestWindow>();
    watch = window;
    button = &window->PushButton1();
  }
  script.go = [](TestWindow& window, fw::PushButton& sender) {
    window.Close();
    EXPECT_TRUE(window.IsClosed());
    fw::RuntimeBackgroundTask();
    EXPECT_EQ(sender.Caption(), "Go");
    window.Show();  // a closed window stays closed
    EXPECT_FALSE(window.IsVisible());
  };
  button->Push();
  EXPECT_EQ(script.goCalls, 1);
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Handlers, ASecondClickWhileTheHandlerRunsIsIgnored) {
  const auto window = Get<TestWindow>();
  QPushButton* go = Real<QPushButton>(window->PushButton1());
  QPushButton* other = Real<QPushButton>(window->PushButton2());
  int clicks = 0;
  QObject::connect(go, &QPushButton::clicked, go, [&clicks] { ++clicks; });
  script.go = [&](TestWindow&, fw::PushButton&) {
    if (script.goCalls > 1) return;
    QTimer::singleShot(0, go, [go] { go->click(); });
    QTimer::singleShot(0, other, [other] { other->click(); });
    fw::RuntimeBackgroundTask();
  };
  QTest::mouseClick(go, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(script.goCalls, 1);
  EXPECT_EQ(script.otherCalls, 1) << "another button's handler runs";

  QTest::mouseClick(go, Qt::LeftButton);  // once the handler has returned, clicks count again
  EXPECT_EQ(script.goCalls, 2);
}

// --- Text in controls ---

using TextInControls = Framework;

TEST_F(TextInControls, ValidUtf8ShowsAsUtf8AndOtherBytesOneCharacterEach) {
  const auto window = Get<TestWindow>();
  auto& area = window->TextArea1();
  auto* shown = Real<QPlainTextEdit>(area);
  const auto show = [&](const std::string& bytes) {
    area.SetText(bytes);
    return shown->toPlainText();
  };
  EXPECT_EQ(show("A \xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80"),
            QString::fromUtf8("A \xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80"));
  EXPECT_EQ(show(fw::ChrB(0xE9)), QString(QChar(0xE9)));
  EXPECT_EQ(area.Text(), "\xC3\xA9");
  area.SetText(fw::ChrB(0xA0));  // a no-break space reads back as one, not as a space
  EXPECT_EQ(area.Text(), "\xC2\xA0");
  EXPECT_EQ(show("\xC3\xA9\xE9"), QString::fromLatin1("\xC3\xA9\xE9"));  // not all valid
  EXPECT_EQ(show("a\xC3"), QString::fromLatin1("a\xC3"));                // cut short
  EXPECT_EQ(show("\xC0\xAF"), QString::fromLatin1("\xC0\xAF"));          // overlong
  EXPECT_EQ(show("\xED\xBF\xBF"), QString::fromLatin1("\xED\xBF\xBF"));  // a surrogate

  auto& field = window->TextField1();
  field.SetText(fw::ChrB(0xFF));
  EXPECT_EQ(Real<QLineEdit>(field)->text(), QString(QChar(0xFF)));
  EXPECT_EQ(field.Text(), "\xC3\xBF");
}

TEST_F(TextInControls, ValidUtf8ComesBackByteForByte) {
  const auto window = Get<TestWindow>();
  const std::string texts[] = {
      "plain", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
      std::string("no\xC2\xA0") + "break",        // a no-break space
      std::string("\xEF\xBB\xBF") + "BOM first",  // a byte-order mark is text too
      std::string("a\xEF\xBB\xBF") + "b"};
  for (const auto& text : texts) {
    window->TextArea1().SetText(text);
    EXPECT_EQ(window->TextArea1().Text(), text);
    window->TextField1().SetText(text);
    EXPECT_EQ(window->TextField1().Text(), text);
  }
}

TEST_F(TextInControls, ATextFieldHoldsALongText) {
  const auto window = Get<TestWindow>();
  const std::string digits(40000, '7');
  window->TextField1().SetText(digits);
  EXPECT_EQ(window->TextField1().Text().size(), digits.size());
}

TEST_F(TextInControls, ALabelBreaksLinesAtCarriageReturns) {
  const auto window = Get<TestWindow>();
  auto& label = window->StaticText1();
  auto* shown = Real<QLabel>(label);
  label.SetText("one\rtwo\rthree");
  EXPECT_EQ(label.Text(), "one\rtwo\rthree");
  EXPECT_EQ(shown->text(), "one\ntwo\nthree");
  EXPECT_GE(shown->sizeHint().height(), 3 * shown->fontMetrics().lineSpacing());
}

TEST_F(TextInControls, ALabelShowsAngleBracketsAsTextNotMarkup) {
  const auto window = Get<TestWindow>();
  auto& label = window->StaticText1();
  auto* shown = Real<QLabel>(label);
  label.SetText("<b>1</b> < 2");
  QLabel plain;
  plain.setFont(shown->font());
  plain.setTextFormat(Qt::PlainText);
  plain.setText("<b>1</b> < 2");
  EXPECT_EQ(shown->sizeHint(), plain.sizeHint());
}

// Copy and Cut carry the characters Text reads: no-break spaces and line
// separators stay, paragraph breaks are line feeds.
TEST_F(TextInControls, CopiesCarryExactlyTheCharactersTheControlHolds) {
  const auto window = Get<TestWindow>();
  const std::string text = "a\u00A0b\u2028c\nd";
  const auto clipboard = [] { return QGuiApplication::clipboard()->text().toStdString(); };

  auto* area = Real<QPlainTextEdit>(window->TextArea1());
  window->TextArea1().SetText(text);
  area->selectAll();
  area->copy();
  EXPECT_EQ(clipboard(), text);
  QGuiApplication::clipboard()->clear();
  area->cut();
  EXPECT_EQ(clipboard(), text);
  EXPECT_EQ(window->TextArea1().Text(), "");

  auto* field = Real<QLineEdit>(window->TextField1());
  window->TextField1().SetText(text);
  field->selectAll();
  field->copy();
  EXPECT_EQ(clipboard(), text);
}

// --- Menus ---

using Menus = Framework;

TEST_F(Menus, ItemsCarryTheirShortcutsAndSeparators) {
  const auto bar = BuildMenuBar();
  const auto file = bar->Child("FileMenu");
  const auto edit = bar->Child("EditMenu");
  ASSERT_NE(file->Menu(), nullptr);
  EXPECT_EQ(file->Menu()->title(), "&File");
  EXPECT_EQ(file->Child("FileQuit")->Action()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(edit->Child("EditCopy")->Action()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
  EXPECT_TRUE(file->Child("AppleAbout")->Action()->shortcut().isEmpty());
  EXPECT_TRUE(edit->Child("EditClear")->Action()->shortcut().isEmpty());
  EXPECT_EQ(file->Child("AppleAbout")->Action()->text(), "About Test...");

  const auto actions = edit->Menu()->actions();
  ASSERT_EQ(actions.size(), 8);
  for (int i = 0; i < actions.size(); ++i)
    EXPECT_EQ(actions[i]->isSeparator(), i == 1 || i == 6) << i;
  EXPECT_EQ(actions[7], edit->Child("EditSelectAll")->Action());
  EXPECT_EQ(bar->Child("Nothing"), nullptr);
}

TEST_F(Menus, AMenuHandlerRunsWhenItsItemIsChosen) {
  const auto app = std::make_shared<TestApp>();
  app->SetMenuBar(BuildMenuBar());
  fw::RuntimeRegisterAppObject(app);
  std::vector<std::string> chosen;
  bool handled = true;
  app->onMenu = [&](const std::string& name) {
    chosen.push_back(name);
    if (name == "FileKeep") throw fw::RuntimeException("Kept nothing.");
    return handled;
  };
  app->AddMenuHandler("AppleAbout",
                      fw::RuntimeCreateDelegate(app, &TestApp::About, "()", fw::Hold::Weak));
  app->AddMenuHandler("FileKeep",
                      fw::RuntimeCreateDelegate(app, &TestApp::Keep, "()", fw::Hold::Weak));
  app->AddMenuHandler("EditSelectAll",
                      fw::RuntimeCreateDelegate(app, &TestApp::SelectAll, "()", fw::Hold::Weak));
  EXPECT_TRUE(app->HandleMenuCommand("AppleAbout"));
  EXPECT_FALSE(app->HandleMenuCommand("EditCopy"));

  const auto window = Get<TestWindow>();  // shows the application's menu bar
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  auto* field = Real<QLineEdit>(window->TextField1());
  field->setText("abc");
  field->setFocus();
  field->deselect();
  const auto file = app->MenuBar()->Child("FileMenu");
  const auto selectAll = app->MenuBar()->Child("EditMenu")->Child("EditSelectAll");

  file->Child("AppleAbout")->Choose();
  selectAll->Choose();  // handled: the framework does nothing more
  EXPECT_EQ(field->selectedText(), "");
  handled = false;
  selectAll->Choose();  // declined: the framework selects all
  EXPECT_EQ(field->selectedText(), "abc");

  // Chosen with its shortcut, in a window that shows the menu bar; what the
  // handler throws is reported.
  QTest::keyClick(field, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(chosen, (std::vector<std::string>{"AppleAbout", "AppleAbout", "EditSelectAll",
                                              "EditSelectAll", "FileKeep"}));
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Kept nothing."});
}

// The About command's binding holds the application object strongly; the
// runtime's exit must still let the object go (checked in a child process,
// since it ends the runtime).
TEST_F(Menus, TheApplicationObjectIsReleasedAtExitThoughItsHandlerHoldsIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        auto app = std::make_shared<TestApp>();
        const std::weak_ptr<TestApp> watch = app;
        app->SetMenuBar(BuildMenuBar());
        app->AddMenuHandler(
            "AppleAbout", fw::RuntimeCreateDelegate(app, &TestApp::About, "()", fw::Hold::Strong));
        fw::RuntimeRegisterAppObject(std::move(app));
        fw::RuntimeExit();
        std::_Exit(watch.expired() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

// Registers an application whose menu bar every window shows; gives its Edit menu.
std::shared_ptr<fw::MenuItem> EditMenuOfTheApplication() {
  const auto app = std::make_shared<TestApp>();
  app->SetMenuBar(BuildMenuBar());
  fw::RuntimeRegisterAppObject(app);
  return app->MenuBar()->Child("EditMenu");
}

TEST_F(Menus, EditItemsActOnTheFocusedTextControl) {
  const auto edit = EditMenuOfTheApplication();
  const auto choose = [&](const char* name) { edit->Child(name)->Choose(); };
  const auto enabled = [&](const char* name) { return edit->Child(name)->IsEnabled(); };

  const auto window = Get<TestWindow>();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  auto* field = Real<QLineEdit>(window->TextField1());
  auto* area = Real<QPlainTextEdit>(window->TextArea1());
  window->TextField1().SetText("secret \xE2\x82\xAC");
  field->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), field);
  field->deselect();
  EXPECT_FALSE(enabled("EditCopy"));
  EXPECT_TRUE(enabled("EditSelectAll"));
  choose("EditSelectAll");
  EXPECT_EQ(field->selectedText(), QString::fromUtf8("secret \xE2\x82\xAC"));
  EXPECT_TRUE(enabled("EditCopy"));
  choose("EditCopy");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("secret \xE2\x82\xAC"));

  area->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), area);
  choose("EditPaste");
  EXPECT_EQ(window->TextArea1().Text(), "secret \xE2\x82\xAC");
  choose("EditSelectAll");
  choose("EditCut");
  EXPECT_EQ(window->TextArea1().Text(), "");
  EXPECT_TRUE(enabled("EditUndo"));
  choose("EditUndo");
  EXPECT_EQ(window->TextArea1().Text(), "secret \xE2\x82\xAC");

  field->setFocus();
  choose("EditSelectAll");
  choose("EditClear");
  EXPECT_EQ(window->TextField1().Text(), "");

  // A read-only field may be copied from but not changed.
  auto* fixed = Real<QLineEdit>(window->TextField2());
  fixed->setFocus();
  choose("EditSelectAll");
  EXPECT_FALSE(enabled("EditCut"));
  choose("EditCut");
  EXPECT_EQ(window->TextField2().Text(), "fixed");
  EXPECT_TRUE(messages.Messages().empty());
}

// Opened from the keyboard, the menu bar takes the focus and gives it back when
// its menu closes. Each Edit item is enabled, and acts, as for the selection the
// field had before.
TEST_F(Menus, EditItemsActOnTheSelectionAcrossTheMenuBarsFocus) {
  const auto edit = EditMenuOfTheApplication();
  const auto window = Get<TestWindow>();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
  QMenuBar* bar = qobject_cast<QMainWindow*>(window->Widget())->menuBar();
  auto* field = Real<QLineEdit>(window->TextField1());

  struct Case {
    const char* item;
    QString text, clipboard;
  };
  const Case cases[] = {
      {"EditUndo", "1234", "999"},   {"EditCut", "15", "234"},   {"EditCopy", "12345", "234"},
      {"EditPaste", "19995", "999"}, {"EditClear", "15", "999"}, {"EditSelectAll", "12345", "999"},
  };
  for (const auto& [item, text, clipboard] : cases) {
    SCOPED_TRACE(item);
    field->setText("1234");
    field->insert("5");  // something to undo
    field->setSelection(1, 3);
    QGuiApplication::clipboard()->setText("999");
    field->setFocus();
    bar->setFocus(Qt::MenuBarFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), bar);
    EXPECT_EQ(field->selectedText(), "234");
    EXPECT_TRUE(edit->Child(item)->IsEnabled());

    field->setFocus(Qt::MenuBarFocusReason);
    edit->Child(item)->Choose();
    EXPECT_EQ(field->text(), text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), clipboard);
  }
  EXPECT_EQ(field->selectedText(), "12345");
  EXPECT_TRUE(messages.Messages().empty());
}

// Every window shows its own bar over the one set of menus. An Edit item acts
// inside the window it is chosen in, the active one: never on another window's
// field, whichever window comes back to its bar, nor on a control that is gone.
TEST_F(Menus, EditItemsNeverReachIntoAnotherWindow) {
  const auto edit = EditMenuOfTheApplication();
  const auto one = Get<TestWindow>();
  const auto two = Get<PanelWindow>();  // also shows the application's bar
  const auto activate = [](const fw::Window& window) {
    window.Widget()->activateWindow();
    const bool active = QTest::qWaitForWindowActive(window.Widget());
    QCoreApplication::sendPostedEvents();  // the widgets' own answers to the activation
    return active;
  };
  const auto barOf = [](const fw::Window& window) {
    return qobject_cast<QMainWindow*>(window.Widget())->menuBar();
  };
  // As Alt pressed alone does.
  const auto barTakesTheFocusFrom = [&](const fw::Window& window, QWidget* control) {
    control->setFocus();
    barOf(window)->setFocus(Qt::MenuBarFocusReason);
  };
  auto* mine = Real<QLineEdit>(one->TextField1());
  auto* theirs = Real<QLineEdit>(two->ControlAs<fw::TextField>("TextField1"));
  const auto expectTheirsUntouched = [&] {
    EXPECT_EQ(theirs->text(), "222");
    EXPECT_EQ(theirs->selectedText(), "222");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "clip");
  };
  const auto expectNothingToActOn = [&] {
    for (const auto& item : edit->Children()) {
      SCOPED_TRACE(item->Name());
      if (item->Text() == "-") continue;
      EXPECT_FALSE(item->IsEnabled());
      item->Choose();
      expectTheirsUntouched();
    }
  };

  ASSERT_TRUE(activate(*one));
  mine->setText("111");  // nothing selected
  barTakesTheFocusFrom(*one, mine);
  ASSERT_TRUE(activate(*two));
  theirs->setText("222");
  theirs->setFocus();
  theirs->selectAll();
  QGuiApplication::clipboard()->setText("clip");
  ASSERT_TRUE(activate(*one));
  for (const char* item : {"EditCut", "EditCopy", "EditClear"}) {
    SCOPED_TRACE(item);
    EXPECT_FALSE(edit->Child(item)->IsEnabled());
    edit->Child(item)->Choose();
    expectTheirsUntouched();
  }
  edit->Child("EditPaste")->Choose();
  EXPECT_EQ(mine->text(), "111clip");
  expectTheirsUntouched();

  // This window's bar took the focus from a control that is gone by the time
  // the window comes back; the other window's bar held it too, and gave it back.
  barTakesTheFocusFrom(*one, mine);
  delete mine;
  ASSERT_TRUE(activate(*two));
  barTakesTheFocusFrom(*two, theirs);
  theirs->setFocus(Qt::MenuBarFocusReason);  // as Escape does
  ASSERT_TRUE(activate(*one));
  expectNothingToActOn();

  // Nor a control the bar took the focus from before, when it takes it from none.
  auto* area = Real<QPlainTextEdit>(one->TextArea1());
  barTakesTheFocusFrom(*one, area);
  area->setFocus();
  area->clearFocus();
  barOf(*one)->setFocus(Qt::MenuBarFocusReason);
  expectNothingToActOn();
  EXPECT_EQ(one->TextArea1().Text(), "");

  // This window's Edit menu, opened while the other window is active (a click
  // with no window manager to activate the window), offers nothing.
  ASSERT_TRUE(activate(*two));
  barOf(*one)->setActiveAction(edit->Menu()->menuAction());
  ASSERT_TRUE(edit->Menu()->isVisible());
  for (const auto& item : edit->Children())
    EXPECT_EQ(item->Action()->isEnabled(), item->Text() == "-") << item->Name();
  edit->Menu()->close();
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
