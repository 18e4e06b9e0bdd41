// The application shell: start-up and shutdown, the menu bar, the launcher, the
// About box and the pictures.
#include "app/app.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>

#include "app/aboutwindow.h"
#include "app/framework/classes.h"
#include "app/menubar1.h"
#include "app/pictures.h"
#include "app/startup.h"
#include "app/window1.h"
#include "crypt/windowde.h"
#include "crypt/windowen.h"
#include "keygen/windowgk.h"
#include "support/message_recorder.h"

namespace {

namespace fs = std::filesystem;

// The application's own pictures, as drawn for it.
const fs::path kPictures = fs::path(__FILE__).parent_path().parent_path() / "resources";

// An application laid out as the build and an install lay it out, in a folder of
// its own: root/bin/kelvane, with root/Resources/ made on request.
class Bundle {
 public:
  Bundle() {
    std::string name = (fs::temp_directory_path() / "kelvane-app-XXXXXX").string();
    root_ = mkdtemp(name.data());
    fs::create_directory(root_ / "bin");
    fw::SetApplicationFile(root_ / "bin" / "kelvane");
  }
  ~Bundle() {
    fw::SetApplicationFile({});
    fs::remove_all(root_);
  }
  Bundle(const Bundle&) = delete;
  Bundle& operator=(const Bundle&) = delete;

  fs::path Resources() const {
    fs::create_directories(root_ / "Resources");
    return root_ / "Resources";
  }
  void Put(const std::string& picture) const {
    fs::copy_file(kPictures / picture, Resources() / picture, fs::copy_options::overwrite_existing);
  }
  void PutUnreadable(const std::string& picture) const {
    std::ofstream(Resources() / picture) << "not a picture";
  }

 private:
  fs::path root_;
};

int OpenCount(std::string_view registeredName) {
  int count = 0;
  for (const auto& window : fw::OpenWindows()) count += window->RegisteredName() == registeredName;
  return count;
}

template <class W>
std::shared_ptr<W> OpenInstance() {
  return std::dynamic_pointer_cast<W>(fw::GetImplicitWindow(W::kRegisteredName));
}

QMenuBar* ShownMenuBar(const fw::Window& window) {
  return static_cast<QMainWindow*>(window.Widget())->menuBar();
}

// Every test starts with no window open and with no resources folder, so no
// picture is read unless the test puts it in place.
class ShellTest : public testing::Test {
 protected:
  // As shutdown does: every window closed, then the shared menu bar released.
  void TearDown() override { app::Finalize(); }

  Bundle bundle_;
  MessageRecorder messages_;
};

// --- Start-up and the menu bar ---

// The class records: the framework's classes, then the component's, then the
// application's, each window with as many operations as it has controls and
// handlers around its three building steps.
TEST(ClassRecords, EveryClassIsRegisteredOnceInOrder) {
  app::Initialize();
  app::Initialize();  // a record that is built is not built again
  std::vector<std::string> names;
  for (const auto& record : fw::RegisteredClasses()) names.push_back(record.name);
  const auto at = [&](const std::string& name) {
    return std::find(names.begin(), names.end(), name) - names.begin();
  };
  EXPECT_LT(at("Window"), at("BigInteger"));
  const std::vector<std::string> inOrder{"BigInteger",
                                         "BigFloat",
                                         "BigComplex",
                                         "ComplexVector",
                                         "fpBadInputException",
                                         "fpDivideByZeroException",
                                         "fpNilObjectException",
                                         "fpNegativeNumberException",
                                         "fpNegativeOrZeroException",
                                         "fpBadEntryNumberException",
                                         "fpOverflowOrNegativeException",
                                         "fpPrecisionNotMetException",
                                         "App",
                                         "Window1",
                                         "MenuBar1",
                                         "AboutWindow",
                                         "WindowGK",
                                         "WindowEn",
                                         "WindowDe"};
  ASSERT_LT(static_cast<std::size_t>(at("BigInteger")), names.size());
  EXPECT_EQ(std::vector<std::string>(names.begin() + at("BigInteger"), names.end()), inOrder);

  const std::map<std::string, std::pair<std::string, std::size_t>> windows{
      {"Window1", {"Window1.Window1", 24}},
      {"AboutWindow", {"AboutWindow.AboutWindow", 6}},
      {"WindowGK", {"WindowGK.WindowGK", 23}},
      {"WindowEn", {"WindowEn.WindowEn", 13}},
      {"WindowDe", {"WindowDe.WindowDe", 13}}};
  for (const auto& record : fw::RegisteredClasses()) {
    const auto window = windows.find(record.name);
    if (window == windows.end()) continue;
    SCOPED_TRACE(record.name);
    EXPECT_EQ(record.base, "Window");
    EXPECT_EQ(record.registeredName, window->second.first);
    ASSERT_EQ(record.operations.size(), window->second.second);
    EXPECT_EQ(record.operations[0].name, "Layout");
    EXPECT_EQ(record.operations[2].name, "CreateControls0");
    EXPECT_EQ(record.operations[2].attributes.back().first, "Hidden");
  }
}

TEST_F(ShellTest, StartUpOpensOnlyTheLauncherWhichSharesTheApplicationsMenuBar) {
  app::Startup();

  const auto launcher = app::Window1();
  ASSERT_EQ(fw::OpenWindows().size(), 1u);
  EXPECT_EQ(fw::OpenWindows().front(), launcher);
  EXPECT_TRUE(launcher->IsVisible());
  EXPECT_EQ(launcher->Widget()->windowTitle(), "Kelvane");
  EXPECT_EQ(launcher->Content()->size(), QSize(523, 212));

  EXPECT_EQ(app::App()->MenuBar(), app::MenuBar1());
  EXPECT_EQ(launcher->MenuBar(), app::MenuBar1());
  EXPECT_EQ(launcher->FileQuit(), app::MenuBar1()->Child("FileMenu")->Child("FileQuit"));
  QStringList titles;
  for (const QAction* title : ShownMenuBar(*launcher)->actions()) titles << title->text();
  EXPECT_EQ(titles, QStringList({"&File", "&Edit"}));
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(ShellTest, MenuBarHoldsTheFileAndEditItemsInOrder) {
  struct Row {
    std::string name, text, shortcut;
  };
  const std::vector<Row> file = {{"AppleAbout", "About Kelvane...", ""},
                                 {"FileQuit", "&Quit", "Cmd+Q"}};
  const std::vector<Row> edit = {
      {"EditUndo", "&Undo", "Cmd+Z"},   {"UntitledMenu1", "-", ""},
      {"EditCut", "Cu&t", "Cmd+X"},     {"EditCopy", "&Copy", "Cmd+C"},
      {"EditPaste", "&Paste", "Cmd+V"}, {"EditClear", "&Delete", ""},
      {"UntitledMenu0", "-", ""},       {"EditSelectAll", "Select &All", "Cmd+A"}};
  auto expectItems = [](const fw::MenuItem& menu, const std::vector<Row>& rows) {
    ASSERT_EQ(menu.Children().size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const auto& item = *menu.Children()[i];
      SCOPED_TRACE(rows[i].name);
      EXPECT_EQ(item.Name(), rows[i].name);
      EXPECT_EQ(item.Text(), rows[i].text);
      EXPECT_EQ(item.KeyboardShortcut(), rows[i].shortcut);
      EXPECT_TRUE(item.AutoEnable());
      EXPECT_EQ(item.Action()->isSeparator(), rows[i].text == "-");
    }
  };

  const auto bar = app::MenuBar1();
  ASSERT_EQ(bar->Children().size(), 2u);
  const auto& fileMenu = *bar->Children()[0];
  const auto& editMenu = *bar->Children()[1];
  EXPECT_EQ(fileMenu.Text(), "&File");
  EXPECT_EQ(editMenu.Text(), "&Edit");
  expectItems(fileMenu, file);
  expectItems(editMenu, edit);
  EXPECT_TRUE(std::dynamic_pointer_cast<fw::AppleMenuItem>(fileMenu.Child("AppleAbout")));
  EXPECT_TRUE(std::dynamic_pointer_cast<fw::QuitMenuItem>(fileMenu.Child("FileQuit")));
  // Cmd is the command key, which is Ctrl here.
  EXPECT_EQ(fileMenu.Child("FileQuit")->Action()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_TRUE(fileMenu.Child("AppleAbout")->Action()->shortcut().isEmpty());
}

TEST_F(ShellTest, MenuBarIsBuiltOnceUntilReleased) {
  const auto bar = app::MenuBar1();
  EXPECT_EQ(app::MenuBar1(), bar);
  app::ReleaseMenuBar1();
  const auto rebuilt = app::MenuBar1();
  EXPECT_NE(rebuilt, bar);
  EXPECT_EQ(rebuilt->Children().size(), 2u);
}

// --- The About command and box ---

TEST_F(ShellTest, AboutCommandShowsOneBoxAndBuildsANewOneAfterItIsClosed) {
  app::Startup();
  app::MenuBar1()->Child("FileMenu")->Child("AppleAbout")->Choose();
  const auto box = OpenInstance<class app::AboutWindow>();
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->IsVisible());

  box->Hide();
  EXPECT_TRUE(app::App()->AppleAbout_Action());
  EXPECT_EQ(OpenCount(app::AboutWindow::kRegisteredName), 1);
  EXPECT_EQ(OpenInstance<class app::AboutWindow>(), box);
  EXPECT_TRUE(box->IsVisible());

  box->Close();
  EXPECT_TRUE(app::App()->HandleMenuCommand("AppleAbout"));
  const auto next = OpenInstance<class app::AboutWindow>();
  ASSERT_TRUE(next);
  EXPECT_NE(next, box);
  EXPECT_TRUE(next->IsVisible());
  EXPECT_EQ(OpenCount(app::AboutWindow::kRegisteredName), 1);
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(ShellTest, AboutBoxShowsThreeBoldBlueLinesInsideItsPanel) {
  const auto box = app::AboutWindow();
  EXPECT_EQ(box->Widget()->windowTitle(), "Untitled");
  EXPECT_EQ(box->Content()->size(), QSize(408, 268));

  const std::string text = box->Label1().Text();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_TRUE(std::regex_match(text, std::regex("Kelvane 1\\.1\r.*\xC2\xA9 [0-9]{4}.*\r[^\r]+")))
      << text;
  const auto* label = static_cast<QLabel*>(box->Label1().Widget());
  EXPECT_EQ(label->text().split('\n').size(), 3);
  EXPECT_EQ(label->parentWidget(), box->RoundRectangle1().Widget());
  EXPECT_EQ(label->geometry(), QRect(15, 21, 272, 62));
  EXPECT_TRUE(label->font().bold());
  EXPECT_TRUE(label->font().pointSizeF() == 14 || label->font().pixelSize() == 14);
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0x0D, 0x30, 0xFF));

  EXPECT_EQ(box->RoundRectangle1().Widget()->geometry(), QRect(74, 158, 302, 90));
  EXPECT_EQ(box->CanvasKVN().Widget()->geometry(), QRect(144, 18, 128, 128));
  EXPECT_EQ(box->CanvasKVN().Backdrop(), nullptr);  // no resources folder
  EXPECT_EQ(box->MenuBar(), nullptr);
}

// --- The launcher's buttons ---

// Pushing the button opens the tool once; pushing it again shows the same window
// with what was typed into it; once closed, the tool opens afresh.
template <class W, class Field>
void ExpectButtonOpensItsTool(fw::PushButton& button, Field& (W::*field)() const) {
  SCOPED_TRACE(std::string(W::kRegisteredName));
  button.Push();
  const auto tool = OpenInstance<W>();
  ASSERT_TRUE(tool);
  EXPECT_TRUE(tool->IsVisible());
  ((*tool).*field)().SetText("typed by hand");
  tool->Hide();

  button.Push();
  EXPECT_EQ(OpenInstance<W>(), tool);
  EXPECT_EQ(OpenCount(W::kRegisteredName), 1);
  EXPECT_TRUE(tool->IsVisible());
  EXPECT_EQ(((*tool).*field)().Text(), "typed by hand");

  tool->Close();
  button.Push();
  const auto fresh = OpenInstance<W>();
  ASSERT_TRUE(fresh);
  EXPECT_NE(fresh, tool);
  EXPECT_EQ(((*fresh).*field)().Text(), "");
}

TEST_F(ShellTest, EachButtonOpensItsToolOnce) {
  const auto launcher = app::Window1();
  ExpectButtonOpensItsTool(launcher->PushButton1(), &keygen::WindowGK::TextFieldEstLen);
  ExpectButtonOpensItsTool(launcher->PushButton2(), &cipher::WindowEn::TextAreact);
  ExpectButtonOpensItsTool(launcher->PushButton3(), &cipher::WindowDe::TextAreaet);
  EXPECT_EQ(fw::OpenWindows().size(), 4u);
  EXPECT_TRUE(messages_.Messages().empty());
}

// --- The pictures ---

TEST_F(ShellTest, UnreadablePictureLeavesOnlyItsCanvasBlank) {
  bundle_.Put("GenKeys.png");
  bundle_.Put("Encode.png");
  bundle_.PutUnreadable("Decode.png");

  const auto launcher = app::Window1();
  ASSERT_TRUE(launcher->Canvas1().Backdrop());
  EXPECT_EQ(launcher->Canvas1().Backdrop()->Width(), 128);
  EXPECT_EQ(launcher->Canvas1().Backdrop()->Height(), 128);
  EXPECT_TRUE(launcher->Canvas2().Backdrop());
  EXPECT_EQ(launcher->Canvas3().Backdrop(), nullptr);
  EXPECT_TRUE(static_cast<QLabel*>(launcher->Canvas3().Widget())->pixmap().isNull());

  launcher->PushButton3().Push();
  EXPECT_TRUE(OpenInstance<class cipher::WindowDe>());
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(ShellTest, ProductPictureIsReadAtTheFirstAboutBoxAfterItIsInPlaceAndKept) {
  bundle_.Resources();
  auto box = app::AboutWindow();
  EXPECT_EQ(box->CanvasKVN().Backdrop(), nullptr);

  bundle_.Put("Kelvane.png");
  EXPECT_EQ(app::AboutWindow()->CanvasKVN().Backdrop(), nullptr);  // the open box is not rebuilt
  box->Close();
  box = app::AboutWindow();
  const auto picture = box->CanvasKVN().Backdrop();
  ASSERT_TRUE(picture);
  EXPECT_FALSE(static_cast<QLabel*>(box->CanvasKVN().Widget())->pixmap().isNull());

  fs::remove(bundle_.Resources() / "Kelvane.png");
  box->Close();
  EXPECT_EQ(app::AboutWindow()->CanvasKVN().Backdrop(), picture);
}

TEST_F(ShellTest, ResourcesLookupNeedsTwoFoldersAboveTheApplication) {
  fw::SetApplicationFile("/kelvane");
  EXPECT_THROW(app::GetApplicationBundleResources(), fw::NilObjectException);
  fw::SetApplicationFile("/opt/bin/kelvane");
  EXPECT_EQ(app::GetApplicationBundleResources()->Path(), fs::path("/opt/Resources"));
}

// --- The whole life of the process, each run in a process of its own ---

// Runs main's steps with the application's file at applicationFile; inLoop runs
// once the event loop does. Reports what it saw on stderr and exits with the
// runtime's exit status.
[[noreturn]] void RunApplication(const fs::path& applicationFile, std::function<void()> inLoop) {
  fw::SetApplicationFile(applicationFile);
  bool loopRan = false;
  QTimer::singleShot(0, [&] {
    loopRan = true;
    inLoop();
  });
  QTimer::singleShot(std::chrono::seconds(20), [] {
    std::fputs("the event loop did not end\n", stderr);
    std::_Exit(3);
  });
  std::size_t messages = 0;
  {
    MessageRecorder recorder;
    app::Initialize();
    app::Main();
    app::Finalize();
    messages = recorder.Messages().size();
  }
  std::fprintf(stderr, "messages: %zu, loop ran: %s\n", messages, loopRan ? "yes" : "no");
  std::exit(fw::RuntimeExit());
}

const fs::path kNoResources = "/nonexistent-kelvane/bin/kelvane";

class ApplicationLifeDeathTest : public testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// Ctrl+Q, as the user presses it in the launcher.
void PressCommandQ() {
  QWidget* launcher = app::Window1()->Widget();
  if (!QTest::qWaitForWindowActive(launcher)) std::fputs("the launcher is not active\n", stderr);
  QTest::keyClick(launcher, Qt::Key_Q, Qt::ControlModifier);
}

TEST_F(ApplicationLifeDeathTest, CommandQQuitsWithStatusZero) {
  EXPECT_EXIT(RunApplication(kNoResources, PressCommandQ), testing::ExitedWithCode(0),
              "messages: 0, loop ran: yes");
}

TEST_F(ApplicationLifeDeathTest, ClosingTheLastWindowQuits) {
  EXPECT_EXIT(RunApplication(kNoResources, [] { app::Window1()->Close(); }),
              testing::ExitedWithCode(0), "messages: 0, loop ran: yes");
}

// The launcher cannot be built when the application's folder has no parent.
TEST_F(ApplicationLifeDeathTest, FailedStartUpIsReportedOnceAndSkipsTheLoop) {
  EXPECT_EXIT(RunApplication("/kelvane", [] { QCoreApplication::quit(); }),
              testing::ExitedWithCode(1), "messages: 1, loop ran: no");
}

}  // namespace
