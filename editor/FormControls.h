#pragma once
// The window's controls as plain values, with the event rules the handlers rely on:
// - an arrow pair's value or a check box's tick set from code or by the user runs its change
//   handler once, and only when it changes;
// - a list position set from code or by the user runs the click handler every time, even
//   when the position stays (-1 means no selection);
// - a button's click runs only while the button is enabled.
// The window binds each control to its widget: Bind() gives the function that makes the
// widget show the control, and the widget's user input comes back through the setters.
#include <functional>
#include <string>
#include <vector>

namespace sonavel {

class FormControl {
public:
    FormControl() = default;
    FormControl(const FormControl&) = delete;
    FormControl& operator=(const FormControl&) = delete;
    virtual ~FormControl() = default;

    // The widget is brought in line after every change of what it shows.
    void Bind(std::function<void()> show) { show_ = std::move(show); }
    bool enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool visible() const { return visible_; }
    void SetVisible(bool visible);

protected:
    void Show() const;

private:
    std::function<void()> show_;
    bool enabled_ = true;
    bool visible_ = true;
};

// A control that runs a handler.
class ActingControl : public FormControl {
public:
    void OnEvent(std::function<void()> handler) { handler_ = std::move(handler); }

protected:
    void Raise() const;

private:
    std::function<void()> handler_;
};

// A vertical arrow pair: the upper arrow lowers the value.
class ArrowValue : public ActingControl {
public:
    int value() const { return value_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Bounds change without raising the change handler; the value is kept within them.
    void SetRange(int minimum, int maximum);
    // Clamps to the bounds; a change shows the value and runs the change handler.
    void SetValue(int value);

private:
    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
};

class CheckValue : public ActingControl {
public:
    bool checked() const { return checked_; }
    // A change shows the tick and runs the click handler.
    void SetChecked(bool checked);
    // Shows the tick without running the handler.
    void SetCheckedQuietly(bool checked);

private:
    bool checked_ = false;
};

class ListValue : public ActingControl {
public:
    const std::vector<std::string>& entries() const { return entries_; }
    void SetEntries(std::vector<std::string> entries);
    int position() const { return position_; }
    // Selects a position (-1 for none) and runs the click handler.
    void SetPosition(int position);

private:
    std::vector<std::string> entries_;
    int position_ = -1;
};

class ButtonValue : public ActingControl {
public:
    // Runs the click handler while the button is enabled.
    void Click() const;
    // The connect button is lit while the link is on.
    bool lit() const { return lit_; }
    void SetLit(bool lit);

private:
    bool lit_ = false;
};

// A text box or a label. Clicks and typed characters (13 = Enter) reach their handlers.
class TextValue : public FormControl {
public:
    const std::string& text() const { return text_; }
    void SetText(const std::string& text);
    // What the user typed; the box shows it already.
    void EnterText(const std::string& text) { text_ = text; }
    // A frequency box being typed into is highlighted.
    bool highlighted() const { return highlighted_; }
    void SetHighlighted(bool highlighted);

    void OnClick(std::function<void()> handler) { click_ = std::move(handler); }
    void OnKey(std::function<void(int characterCode)> handler) { key_ = std::move(handler); }
    void Click() const;
    void Key(int characterCode) const;

private:
    std::string text_;
    bool highlighted_ = false;
    std::function<void()> click_;
    std::function<void(int)> key_;
};

// A lamp: lit or out.
class LampValue : public FormControl {
public:
    bool lit() const { return lit_; }
    void SetLit(bool lit);

private:
    bool lit_ = false;
};

}  // namespace sonavel

namespace sonavel {

// The names of one folder's files that match a pattern, as the file system holds them (bytes).
class FileListValue : public FormControl {
public:
    // An empty folder is the working folder.
    FileListValue(std::string folder, std::string pattern);
    const std::string& folder() const { return folder_; }
    void SetFolder(const std::string& folder);
    // Lists the folder again, keeping the selected name selected when it is still there.
    void Refresh();
    const std::vector<std::string>& names() const { return names_; }
    // The selected name, empty when none is selected.
    std::string selected() const;
    void Select(int row);  // the user's choice, -1 for none

private:
    std::string folder_;
    std::string pattern_;
    std::vector<std::string> names_;
    int row_ = -1;
};

}  // namespace sonavel
