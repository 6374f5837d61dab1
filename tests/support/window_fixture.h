// A fresh headless window and instrument for each test, and a way to run the
// instrument from ON to OFF with a script of what the user does meanwhile.
#pragma once
#include <functional>

#include <gtest/gtest.h>

#include "host/form/Pcmain.h"
#include "host/headless/headless_driver.h"
#include "instrument/hooks.h"
#include "instrument/state.h"
#include "support/frame_check.h"

// Message rounds of one power-on: the splash pumps once per pass.
constexpr long SplashPasses = 80;

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ResetInstrumentState();
        Application->Reset();
        form = Application->CreateForm<TForm1>();
        headless::Reset();
    }
    void TearDown() override
    {
        headless::Reset();
        Application->Reset();
    }

    // Handles whatever the test queued, as the idle window would.
    void Idle() { Application->ProcessMessages(); }

    // Presses ON and returns when the instrument has stopped. The script is
    // called at every message round of the running instrument with its
    // number: rounds 1..80 are the splash passes, round 81 is the first pass
    // of the main cycle. A script that never presses OFF fails the test.
    // Returns the number of rounds.
    long RunInstrument(std::function<void(long round)> script)
    {
        long start = 0;
        bool runaway = false;
        headless::OnProcessMessages([&] {
            long round = headless::MessageRounds() - start;
            if (round > 100000) {
                runaway = true;
                state.powerOffRequest = 1;
                Application->Terminate();
                return;
            }
            script(round);
        });
        headless::Click(form->Button1);
        start = headless::MessageRounds() + 1; // the round that delivers ON
        Idle();
        long rounds = headless::MessageRounds() - start;
        headless::OnProcessMessages(nullptr);
        EXPECT_FALSE(runaway) << "the instrument never stopped";
        return rounds;
    }

    TForm1 *form = nullptr;
};
