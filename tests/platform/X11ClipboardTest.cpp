// Text copied by one program is pasted by another through the CLIPBOARD selection.
#include "platform/X11Fixture.h"
#include "platform/x11/PollLoop.h"

#include <atomic>
#include <thread>

namespace x11test {
namespace {

class X11ClipboardTest : public X11Test {
protected:
    std::unique_ptr<X11WindowSystem> OtherClient() {
        std::string error;
        auto other = X11WindowSystem::Open(server_->Display().c_str(), error, {});
        EXPECT_NE(other, nullptr) << error;
        return other;
    }
};

TEST_F(X11ClipboardTest, OwnTextComesBackAtOnce) {
    system_->SetClipboardText("Vesperon \xe2\x82\xac");
    EXPECT_EQ(system_->ClipboardText(), "Vesperon \xe2\x82\xac");
}

TEST_F(X11ClipboardTest, AnotherClientPastesTheCopiedText) {
    system_->SetClipboardText("12:30 \xc3\xa9t\xc3\xa9");
    auto other = OtherClient();
    ASSERT_NE(other, nullptr);
    // The owner answers from its own loop while the other client waits.
    std::atomic<bool> done{false};
    std::thread owner([&] {
        while (!done) {
            system_->WaitAndDispatch(MonotonicNowMs() + 20);
        }
    });
    const std::string pasted = other->ClipboardText();
    done = true;
    owner.join();
    EXPECT_EQ(pasted, "12:30 \xc3\xa9t\xc3\xa9");
}

TEST_F(X11ClipboardTest, OwnerThatNeverAnswersCostsOnlyTheTimeout) {
    system_->SetClipboardText("never served");
    auto other = OtherClient();
    ASSERT_NE(other, nullptr);
    const std::int64_t start = MonotonicNowMs();
    EXPECT_EQ(other->ClipboardText(), "");
    EXPECT_LT(MonotonicNowMs() - start, 3000);
}

TEST_F(X11ClipboardTest, EmptyClipboardIsEmptyText) {
    EXPECT_EQ(system_->ClipboardText(), "");
}

} // namespace
} // namespace x11test
