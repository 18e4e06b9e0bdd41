// Records what MsgBox shows instead of showing a box, for as long as it lives.
#pragma once

#include <string>
#include <vector>

#include "app/framework/runtime.h"

class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
  fw::MessageSink previous_;
};

// Closes every open window and lets Qt delete them: a clean slate between tests.
void CloseAllWindows();
