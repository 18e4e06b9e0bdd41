// The runtime: start and exit, the start-up call-back, the event loop, the
// unhandled-exception routine, message boxes and plug-in entry points.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/framework/delegate.h"

namespace fw {

class Application;

void RuntimeInit(int& argc, char** argv);
// Ends the runtime; the result is the process's exit status: 0, or 1 when an
// exception escaped start-up or the event loop.
int RuntimeExit();

// Initialises the framework and runs the start-up routine before returning;
// an exception from the routine passes to the caller.
void RunFrameworkInitialization(const Delegate<void>& startup);
// Runs the event loop until the application quits.
void RuntimeRun();
// One turn of the event loop: waiting events are handled, windows repainted.
void RuntimeBackgroundTask();

// Shows what went wrong in words a user understands. An exception reaching it
// from an event handler leaves the application running as it was; one that
// escaped start-up or the loop makes the exit status non-zero.
void UnhandledException(std::exception_ptr error);

void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> GetAppObject();

// The framework's quit action: closes every window, then ends the event loop.
void QuitMenuAction();
// Closes every open window and deletes its widgets at once.
void RuntimeFinalize();

// Shows text alone in a modal message box, through a sink that tests may replace.
void MsgBox(const std::string& text);
using MessageSink = std::function<void(const std::string&)>;
// Installs sink and returns the one it replaces.
MessageSink SetMessageSink(MessageSink sink);

// Plug-in entry points, looked up by their declaration text.
using PluginEntrypoint = void (*)();
struct PluginExport {
  std::string_view declaration;
  PluginEntrypoint entry;
};
void RuntimeInitExternalClasses(std::vector<PluginExport> exports);
// nullptr when no registered plug-in offers the declaration.
PluginEntrypoint RuntimeLookupPluginEntrypoint(std::string_view declaration);

}  // namespace fw
