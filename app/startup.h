// The application's life from start to exit, in the steps main takes them:
// Initialize, Main (start-up, then the event loop), Finalize.
#pragma once

namespace app {

// Registers every class of the component and of the application with the runtime.
void Initialize();
// Runs start-up through the framework, then the event loop until the application
// quits. An exception that escapes either goes to the unhandled-exception
// routine; after one in start-up the loop does not run.
void Main();
// Closes every window and releases what the framework holds, then releases the
// shared menu bar last of all.
void Finalize();

// The start-up routine the framework calls back, in this order:
void Startup();
void InitFileTypes();               // registers document types: the application has none
void NewAppInstance();              // the application object, with the menu bar, registered
void ApplicationAddMenuHandlers();  // the About command bound to the item "AppleAbout"
void MakeDefaultView();             // opens the launcher

}  // namespace app
