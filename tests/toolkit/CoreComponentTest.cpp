#include "toolkit/base/Classes.h"
#include "toolkit/runtime/Timer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records its own destruction and the removal notifications it receives.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::vector<std::string>& log, std::string name)
        : TComponent(owner), log_(log), name_(std::move(name)) {}
    ~Probe() override {
        Destroying();
        log_.push_back("destroy " + name_);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == watched) {
            log_.push_back(name_ + " saw removal");
            watched = nullptr;
        }
    }
    void Loaded() override {
        TComponent::Loaded();
        log_.push_back("loaded " + name_);
    }
    TComponent* watched = nullptr;

private:
    std::vector<std::string>& log_;
    std::string name_;
};

} // namespace

TEST(ComponentOwnership, OwnedComponentsDieWithTheirOwnerLastInsertedFirst) {
    std::vector<std::string> log;
    auto* owner = new Probe(nullptr, log, "owner");
    new Probe(owner, log, "a");
    new Probe(owner, log, "b");
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;
    EXPECT_EQ(log, (std::vector<std::string>{"destroy owner", "destroy b", "destroy a"}));
}

TEST(ComponentOwnership, DestroyingAnOwnedComponentRemovesItFromItsOwner) {
    std::vector<std::string> log;
    Probe owner(nullptr, log, "owner");
    auto* child = new Probe(&owner, log, "child");
    child->SetName("Child");
    EXPECT_EQ(owner.FindComponent("Child"), child);
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(owner.FindComponent("Child"), nullptr);
}

TEST(FreeNotification, AnUnownedWatcherHearsOfTheRemovalAndDropsItsReference) {
    std::vector<std::string> log;
    Probe watcher(nullptr, log, "watcher");
    auto* watched = new Probe(nullptr, log, "list");
    watcher.watched = watched;
    watched->FreeNotification(&watcher);
    delete watched;
    EXPECT_EQ(watcher.watched, nullptr);
    EXPECT_EQ(log.front(), "watcher saw removal");
}

TEST(FreeNotification, AWatcherThatDiesFirstIsNotCalledLater) {
    std::vector<std::string> log;
    auto* watched = new Probe(nullptr, log, "list");
    {
        Probe watcher(nullptr, log, "watcher");
        watcher.watched = watched;
        watched->FreeNotification(&watcher);
    }
    log.clear();
    delete watched;
    EXPECT_EQ(log, (std::vector<std::string>{"destroy list"}));
}

TEST(FreeNotification, AnOwnedWatcherHearsOfASiblingDestroyedBeforeIt) {
    std::vector<std::string> log;
    auto* owner = new Probe(nullptr, log, "owner");
    auto* watcher = new Probe(owner, log, "watcher");
    auto* watched = new Probe(owner, log, "list");
    watcher->watched = watched;
    watched->FreeNotification(watcher);
    delete owner;
    EXPECT_EQ(log, (std::vector<std::string>{"destroy owner", "watcher saw removal", "destroy list",
                                             "destroy watcher"}));
}

TEST(ComponentLoading, LoadedRunsOnEveryComponentOwnerLastAndClearsTheFlags) {
    std::vector<std::string> log;
    Probe form(nullptr, log, "form");
    Probe child(&form, log, "child");
    form.BeginLoading();
    EXPECT_TRUE(child.InState(csLoading));
    EXPECT_TRUE(child.InState(csReading));
    form.EndLoading();
    EXPECT_FALSE(child.InState(csLoading));
    EXPECT_FALSE(form.InState(csReading));
    EXPECT_EQ(log, (std::vector<std::string>{"loaded child", "loaded form"}));
}

TEST(ComponentLoading, AComponentCreatedWhileItsOwnerLoadsLoadsToo) {
    std::vector<std::string> log;
    Probe form(nullptr, log, "form");
    form.BeginLoading();
    Probe late(&form, log, "late");
    EXPECT_TRUE(late.InState(csLoading));
    form.EndLoading();
    EXPECT_FALSE(late.InState(csLoading));
    EXPECT_EQ(log, (std::vector<std::string>{"loaded late", "loaded form"}));
}
