#pragma once
// The editor without widgets on an in-memory port and virtual time; each wait of a transfer
// is one 20 ms Timer2 tick, then queued answers arrive.
#include <gtest/gtest.h>

#include <functional>

#include "editor/Editor.h"
#include "link/Messages.h"
#include "tests/support/Hex.h"
#include "tests/support/MemoryPort.h"
#include "tests/support/VirtualTime.h"

namespace sonavel {

struct RecordingEditorView : EditorView {
    void ShowPlot(const std::vector<PlotSegment>&) override {}
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override {
        messages.push_back({icon, title + "|" + text});
        busyAtMessage = busy;
    }
    std::string ChooseFolder(const std::string& title, const std::string& startFolder) override {
        folderAsked = title + "|" + startFolder;
        return chosenFolder;
    }
    void ShowBusy(bool shown) override { busy = shown; }

    std::vector<std::pair<MessageIcon, std::string>> messages;  // {icon, "title|text"}
    std::string folderAsked, chosenFolder;
    bool busy = false, busyAtMessage = false;
};

class HandlerTest : public testing::Test {
protected:
    HandlerTest() : port({1, 3}), editor(port, time, time, [this] { Pump(); }, view) {}
    void Pump() {
        if (onWait) onWait();
        time.nowMs += 20;
        editor.TickWaits();
        port.DeliverPending();
    }
    void Ticks(int count) {
        for (int tick = 0; tick < count; ++tick) editor.Tick();
    }
    static void ClickUp(ArrowValue& arrows) { arrows.SetValue(arrows.value() - 1); }  // the upper arrow
    ChannelControls& Channel(int channel) { return editor.controls().channel(channel); }
    EditorControls& Controls() { return editor.controls(); }
    const ParameterStore& Store() { return editor.store(); }
    const std::vector<Bytes>& Sent() const { return port.Written(); }

    MemoryPort port;
    VirtualTime time;
    RecordingEditorView view;
    Editor editor;
    std::function<void()> onWait;  // what happens in each wait
};

// After the first refresh (the 21st Timer1 tick) with the link on and nothing sent yet.
class EditingTest : public HandlerTest {
protected:
    void SetUp() override {
        Ticks(21);
        Controls().connect.Click();
        port.ClearWritten();
        time.pauses.clear();
    }
};

}  // namespace sonavel
