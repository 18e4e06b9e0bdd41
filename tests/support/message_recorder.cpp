#include "support/message_recorder.h"

#include "app/framework/window.h"

MessageRecorder::MessageRecorder()
    : previous_(
          fw::SetMessageSink([this](const std::string& text) { messages_.push_back(text); })) {}

MessageRecorder::~MessageRecorder() {
  fw::SetMessageSink(std::move(previous_));
}

void CloseAllWindows() {
  fw::RuntimeFinalize();
}
