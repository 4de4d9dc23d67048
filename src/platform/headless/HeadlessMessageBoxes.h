// Message boxes answered by the test: every box is recorded (text, caption, style), takes
// the keyboard focus away from the active window while it is up, and is answered from a
// queue the test fills; with the queue empty the box's first button answers.
#pragma once

#include "platform/headless/HeadlessWindows.h"

#include <deque>
#include <string>
#include <vector>

namespace platform::headless {

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

class HeadlessMessageBoxes {
public:
    explicit HeadlessMessageBoxes(HeadlessWindowSystem& windows) : windows_(windows) {}

    // Shows a box: records it and returns the next scripted answer (IDOK = 1, IDYES = 6, ...).
    int Show(const std::string& text, const std::string& caption, unsigned flags);

    void QueueAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<RecordedMessageBox>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

private:
    HeadlessWindowSystem& windows_;
    std::deque<int> answers_;
    std::vector<RecordedMessageBox> shown_;
};

} // namespace platform::headless
