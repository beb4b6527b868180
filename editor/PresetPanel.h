#pragma once
// The preset panel over the channel panels: the name panel of "Save" (title, name box,
// "Enter" and "Exit") or the status display of a read (title line and "Exit").
#include "editor/EditorControls.h"

namespace sonavel {

class PresetPanel {
public:
    explicit PresetPanel(EditorControls& controls) : c_(controls) {}
    void OpenNamePanel();
    void OpenStatusPanel();
    void ShowTitle(const std::string& text) { c_.presetTitle.SetText(text); }
    // Hides the panel with all it holds and empties the title line.
    void Close();

private:
    EditorControls& c_;
};

}  // namespace sonavel
