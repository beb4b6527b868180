#include "editor/FormControls.h"

#include <algorithm>
#include <filesystem>

#include "presets/FolderListing.h"

namespace sonavel {

void FormControl::Show() const {
    if (show_) show_();
}

void FormControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Show();
}

void FormControl::SetVisible(bool visible) {
    visible_ = visible;
    Show();
}

void ActingControl::Raise() const {
    if (handler_) handler_();
}

void ArrowValue::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    value_ = std::clamp(value_, std::min(minimum, maximum), std::max(minimum, maximum));
    Show();
}

void ArrowValue::SetValue(int value) {
    value = std::clamp(value, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
    if (value == value_) return;
    value_ = value;
    Show();
    Raise();
}

void CheckValue::SetChecked(bool checked) {
    if (checked == checked_) return;
    SetCheckedQuietly(checked);
    Raise();
}

void CheckValue::SetCheckedQuietly(bool checked) {
    checked_ = checked;
    Show();
}

void ListValue::SetEntries(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    position_ = -1;
    Show();
}

void ListValue::SetPosition(int position) {
    position_ = position >= 0 && position < static_cast<int>(entries_.size()) ? position : -1;
    Show();
    Raise();
}

void ButtonValue::Click() const {
    if (enabled()) Raise();
}

void ButtonValue::SetLit(bool lit) {
    lit_ = lit;
    Show();
}

void TextValue::SetText(const std::string& text) {
    text_ = text;
    Show();
}

void TextValue::SetHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    Show();
}

void TextValue::Click() const {
    if (click_) click_();
}

void TextValue::Key(int characterCode) const {
    if (key_) key_(characterCode);
}

void LampValue::SetLit(bool lit) {
    lit_ = lit;
    Show();
}

}  // namespace sonavel

namespace sonavel {

FileListValue::FileListValue(std::string folder, std::string pattern)
    : folder_(folder.empty() ? std::filesystem::current_path().string() : std::move(folder)),
      pattern_(std::move(pattern)) {
    Refresh();
}

void FileListValue::SetFolder(const std::string& folder) {
    folder_ = folder;
    row_ = -1;
    Refresh();
}

void FileListValue::Refresh() {
    const std::string kept = selected();
    names_ = ListFiles(folder_, pattern_);
    const auto found = std::find(names_.begin(), names_.end(), kept);
    row_ = found == names_.end() ? -1 : static_cast<int>(found - names_.begin());
    Show();
}

std::string FileListValue::selected() const { return row_ < 0 ? std::string() : names_[row_]; }

void FileListValue::Select(int row) { row_ = row >= 0 && row < static_cast<int>(names_.size()) ? row : -1; }

}  // namespace sonavel
