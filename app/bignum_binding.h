// Start-up's binding of the big-number component: its classes are made known
// to the runtime, then every entry point is looked up by its declaration text.
#pragma once

namespace app {

// Registers the class records of the component's number and exception classes.
void RegisterComponentClasses();
// The runtime learns the component's exported entry points.
void RuntimeInitExternalClasses();
// Binds every big-number call of the system to its entry point.
void InitPluginEntrypoints();

}  // namespace app
