#pragma once
// What the editor's handlers show beyond the controls themselves: the plot, message boxes,
// the folder chooser and the busy cursor.
#include <string>
#include <vector>

#include "response/PlotDrawing.h"

namespace sonavel {

// The icon a message box shows.
enum class MessageIcon { None, Warning, Stop };

class EditorView {
public:
    virtual ~EditorView() = default;
    // Shows a new drawing of the plot at once.
    virtual void ShowPlot(const std::vector<PlotSegment>& segments) = 0;
    // A message box; a reason on further lines of `text` shows below its first line.
    virtual void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) = 0;
    // The folder the user picked, starting at `startFolder`; empty when the user cancels.
    virtual std::string ChooseFolder(const std::string& title, const std::string& startFolder) = 0;
    virtual void ShowBusy(bool busy) = 0;
};

}  // namespace sonavel
