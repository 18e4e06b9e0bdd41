#include "app/framework/runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <map>
#include <new>

#include "app/framework/classes.h"
#include "app/framework/menu.h"
#include "app/framework/qtbridge.h"
#include "app/framework/window.h"

namespace fw {
namespace {

struct Runtime {
  std::unique_ptr<QApplication> qapp;
  std::shared_ptr<Application> app;
  std::map<std::string, PluginEntrypoint, std::less<>> plugins;
  bool failed = false;
};

Runtime& State() {
  static Runtime runtime;
  return runtime;
}

void ShowMessageBox(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString(), qt::FromBytes(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

MessageSink& Sink() {
  static MessageSink sink = ShowMessageBox;
  return sink;
}

std::string Describe(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return "There is not enough memory to finish this command.";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "An unexpected error stopped this command.";
  }
}

}  // namespace

void RuntimeInit(int& argc, char** argv) {
  State().qapp = std::make_unique<QApplication>(argc, argv);
  RegisterFrameworkClasses();
}

int RuntimeExit() {
  auto& state = State();
  RuntimeFinalize();
  if (state.app) state.app->RemoveMenuHandlers();
  state.app.reset();
  state.qapp.reset();
  return state.failed ? 1 : 0;
}

void RunFrameworkInitialization(const Delegate<void>& startup) {
  startup();
}

void RuntimeRun() {
  QApplication::exec();
}

void RuntimeBackgroundTask() {
  QCoreApplication::processEvents();
}

void UnhandledException(std::exception_ptr error) {
  if (!qt::InsideDispatch()) State().failed = true;
  MsgBox(Describe(error));
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
  State().app = std::move(app);
}

std::shared_ptr<Application> GetAppObject() {
  return State().app;
}

namespace {
void CloseEveryWindow() {
  for (const auto& window : OpenWindows()) window->Close();
}
}  // namespace

void QuitMenuAction() {
  // Closing every window first, hidden ones too, tells a running handler that
  // its window is gone, so it stops at its next turn of the event loop.
  CloseEveryWindow();
  QCoreApplication::quit();
}

void RuntimeFinalize() {
  CloseEveryWindow();
  // Closed windows hand their widgets to Qt to delete; do it now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void MsgBox(const std::string& text) {
  Sink()(text);
}

MessageSink SetMessageSink(MessageSink sink) {
  return std::exchange(Sink(), std::move(sink));
}

void RuntimeInitExternalClasses(std::vector<PluginExport> exports) {
  for (const auto& [declaration, entry] : exports)
    State().plugins.emplace(std::string(declaration), entry);
}

PluginEntrypoint RuntimeLookupPluginEntrypoint(std::string_view declaration) {
  const auto& plugins = State().plugins;
  const auto found = plugins.find(declaration);
  return found == plugins.end() ? nullptr : found->second;
}

}  // namespace fw
