#include <gtest/gtest.h>

#include <string>

#include "instrument/hooks.h"
#include "support/frame_check.h"

namespace {

std::string heard;
void A(HookId) { heard += "a"; }
void B(HookId) { heard += "b"; }
void C(HookId) { heard += "c"; }
void D(HookId) { heard += "d"; }
void E(HookId) { heard += "e"; }
HookToken selfToken;
void EndsItself(HookId)
{
    heard += "s";
    UnsubscribeHook(selfToken);
}

} // namespace

// Listeners hear a hook in the order they subscribed; ending subscriptions
// in any order leaves the others in theirs, and a stale or empty token ends
// nothing. The counting listener of the fixture takes the first place.
TEST(Hooks, ListenersInAnySubscribeAndUnsubscribeOrder)
{
    ResetInstrumentState();
    struct Step {
        const char *what; // "+a" subscribes A, "-a" ends A's subscription
        const char *heard;
    };
    const Step steps[] = {
        {"+a", "a"},  {"+b", "ab"}, {"+c", "abc"}, {"-b", "ac"}, {"+b", "acb"},
        {"-a", "cb"}, {"-a", "cb"}, {"-b", "c"},   {"+a", "ca"}, {"-c", "a"},
    };
    HookToken tokens[3] = {};
    HookListener listeners[3] = {A, B, C};
    for (const Step &step : steps) {
        const int which = step.what[1] - 'a';
        HookToken &token = tokens[which];
        if (step.what[0] == '+') {
            token = SubscribeHook(HookSaveHobbs, listeners[which]);
            EXPECT_NE(token, NoHookToken) << step.what;
        } else {
            UnsubscribeHook(token); // the second "-a" finds the token spent
        }
        heard.clear();
        SaveHobbs();
        EXPECT_EQ(heard, step.heard) << "after " << step.what;
    }
    heard.clear();
    SaveSettings();
    EXPECT_EQ(heard, "") << "each hook has its own list";
    EXPECT_EQ(hookCalls.saveHobbs, 10u);
    UnsubscribeHook(NoHookToken);
    EXPECT_EQ(HookListenerCount(HookSaveHobbs), 2);

    // A listener that ends its own subscription is still heard this time.
    selfToken = SubscribeHook(HookSaveHobbs, EndsItself);
    heard.clear();
    SaveHobbs();
    SaveHobbs();
    EXPECT_EQ(heard, "asa");
}

TEST(Hooks, AFullListRefusesAnotherListenerUntilOneLeaves)
{
    ResetInstrumentState(); // the counting listener is the first of four
    HookToken tokens[HookListenerCapacity - 1];
    for (HookToken &token : tokens)
        token = SubscribeHook(HookBacklightOn, A);
    EXPECT_EQ(SubscribeHook(HookBacklightOn, B), NoHookToken);
    EXPECT_NE(SubscribeHook(HookBacklightOff, B), NoHookToken) << "another hook still has room";
    EXPECT_EQ(SubscribeHook(HookCount, B), NoHookToken);
    EXPECT_EQ(SubscribeHook(HookBacklightOn, nullptr), NoHookToken);
    UnsubscribeHook(tokens[1]);
    EXPECT_NE(SubscribeHook(HookBacklightOn, B), NoHookToken);
    heard.clear();
    BacklightOn();
    EXPECT_EQ(heard, "aab");
}

// A full list loses any one place, the first and the last too: the others
// are still heard in their order and a newcomer takes the freed place at
// the end, after which the list is full again.
TEST(Hooks, EndingAnyPlaceOfAFullListFreesOnePlaceAtTheEnd)
{
    const struct {
        int ended;
        const char *heard;
    } cases[] = {{0, "bcd"}, {1, "acd"}, {2, "abd"}, {3, "abc"}};
    static_assert(HookListenerCapacity == 4, "one listener per place");
    for (const auto &c : cases) {
        ResetInstrumentState();
        UnsubscribeAllHooks(); // the counting listener would take the first place
        HookToken tokens[HookListenerCapacity];
        const HookListener listeners[HookListenerCapacity] = {A, B, C, D};
        for (int i = 0; i < HookListenerCapacity; ++i)
            tokens[i] = SubscribeHook(HookAlarmOutputOn, listeners[i]);
        UnsubscribeHook(tokens[c.ended]);
        EXPECT_EQ(HookListenerCount(HookAlarmOutputOn), HookListenerCapacity - 1) << c.ended;
        heard.clear();
        AlarmOutputOn();
        EXPECT_EQ(heard, c.heard) << c.ended;
        EXPECT_NE(SubscribeHook(HookAlarmOutputOn, E), NoHookToken) << c.ended;
        EXPECT_EQ(SubscribeHook(HookAlarmOutputOn, E), NoHookToken) << c.ended;
        heard.clear();
        AlarmOutputOn();
        EXPECT_EQ(heard, std::string(c.heard) + "e") << c.ended;
    }
}

// The first and the last hook have their names; from HookCount on there is none.
TEST(Hooks, NamesEndWithTheLastHook)
{
    const struct {
        int hook;
        const char *name;
    } cases[] = {{HookSaveSettings, "SaveSettings"},
                 {HookAlarmOutputOff, "AlarmOutputOff"},
                 {HookCount, ""},
                 {HookCount + 1, ""},
                 {255, ""}};
    for (const auto &c : cases)
        EXPECT_STREQ(HookName((HookId)c.hook), c.name) << c.hook;
}
