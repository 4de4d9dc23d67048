#include "platform/headless/HeadlessMessageBoxes.h"

namespace platform::headless {

namespace {
// The first button of a box style (OK, Abort, Yes, Retry).
int FirstButton(unsigned flags) {
    switch (flags & 0xF) {
    case 2:
        return 3;
    case 3:
    case 4:
        return 6;
    case 5:
        return 4;
    default:
        return 1;
    }
}
} // namespace

int HeadlessMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned flags) {
    shown_.push_back(RecordedMessageBox{text, caption, flags});
    // The box is a window of its own: the window that had the focus loses it meanwhile.
    windows_.SwitchToOtherApplication();
    if (answers_.empty()) {
        return FirstButton(flags);
    }
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace platform::headless
