#pragma once
// The editor without widgets on an in-memory port and virtual time. The tests operate the
// plain controls as the user's widgets do and drive both timers; each wait of a transfer is
// one 20 ms Timer2 tick, then queued answers arrive.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/Editor.h"
#include "link/Messages.h"
#include "tests/support/Hex.h"
#include "tests/support/MemoryPort.h"
#include "tests/support/VirtualTime.h"

namespace sonavel {

struct RecordingEditorView : EditorView {
    struct Message {
        MessageIcon icon;
        std::string title, text;
    };
    void ShowPlot(const std::vector<PlotSegment>&) override {
        ++plotsShown;
        if (onPlot) onPlot();
    }
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override {
        messages.push_back({icon, title, text});
        if (onMessage) onMessage();
    }
    std::string ChooseFolder(const std::string& title, const std::string& startFolder) override {
        folderRequests.push_back(title + "|" + startFolder);
        return chosenFolder;
    }
    void ShowBusy(bool shown) override { busy = shown; }

    int plotsShown = 0;
    std::function<void()> onPlot;
    std::vector<Message> messages;
    std::function<void()> onMessage;
    std::vector<std::string> folderRequests;
    std::string chosenFolder;
    bool busy = false;
};

// A unit at address 1 holding `settings`: it answers the presence query and the settings request.
inline MemoryPort::Responder UnitHolding(const ParameterStore& settings) {
    return [settings](const Bytes& written) -> Bytes {
        if (written[written.size() - 3] != 1) return {};
        if (written[5] == kCmdPresenceQuery) return Hex("01 20 03 40 09 01 01 05 60");
        if (written[5] != kCmdSettingsRequest) return {};
        Bytes dump = BuildMessage(kCmdLimiter, std::vector<int>(kSettingsDumpLength - kEnvelopeBytes, 0), 1);
        WriteSettingsBlock(settings, dump);
        return dump;
    };
}

class HandlerTest : public testing::Test {
protected:
    HandlerTest() : port({1, 3}), editor(port, time, time, [this] { Pump(); }, view) {}
    void Pump() {
        if (duringWait) std::exchange(duringWait, nullptr)();
        time.nowMs += 20;
        editor.TickWaits();
        port.DeliverPending();
        if (afterWait) afterWait();
    }
    void Ticks(int count) {
        for (int tick = 0; tick < count; ++tick) editor.Tick();
    }
    void RunFirstRefresh() { Ticks(21); }  // the 21st Timer1 tick refreshes
    // The upper arrow raises the parameter.
    static void ClickUp(ArrowValue& arrows) { arrows.SetValue(arrows.value() - 1); }
    ChannelControls& Channel(int channel) { return editor.controls().channel(channel); }
    EditorControls& Controls() { return editor.controls(); }
    const ParameterStore& Store() { return editor.store(); }
    const std::vector<Bytes>& Sent() const { return port.Written(); }

    MemoryPort port;
    VirtualTime time;
    RecordingEditorView view;
    Editor editor;
    std::function<void()> duringWait;  // run once, at the next wait
    std::function<void()> afterWait;   // run after every wait
};

// After the first refresh with the link on and nothing sent yet.
class EditingTest : public HandlerTest {
protected:
    void SetUp() override {
        RunFirstRefresh();
        Controls().connect.Click();
        port.ClearWritten();
        time.pauses.clear();
    }
};

}  // namespace sonavel
