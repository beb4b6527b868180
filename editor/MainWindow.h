#pragma once
// The editor's main window: builds the widgets, binds each to its plain control of the
// Editor, shows what the Editor's view is asked to show, and drives the Editor from its two
// 20 ms timers and from the plot's paints, the window's exposes and resizes.
#include <QTimer>
#include <QWidget>
#include <functional>

#include "editor/Editor.h"
#include "editor/WindowLayout.h"
#include "link/Clock.h"

namespace sonavel {

class MainWindow : public QWidget, private EditorView {
    Q_OBJECT
public:
    // Shows a message to the user; tests replace it to capture the message.
    using MessageBoxFunction = std::function<void(MessageIcon icon, const QString& title, const QString& text)>;

    MainWindow(SerialPort& port, Sleeper& sleeper, QWidget* parent = nullptr);
    ~MainWindow() override;

    Editor& editor() { return editor_; }
    const WindowWidgets& widgets() const { return widgets_; }
    QTimer& timer1() { return timer1_; }
    QTimer& timer2() { return timer2_; }
    void SetMessageBox(MessageBoxFunction show) { messageBox_ = std::move(show); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BindControls();
    void PumpEvents();
    void ShowPlot(const std::vector<PlotSegment>& segments) override;
    void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override;
    std::string ChooseFolder(const std::string& title, const std::string& startFolder) override;
    void ShowBusy(bool busy) override;

    SteadyClock clock_;
    QTimer timer1_;
    QTimer timer2_;
    WindowWidgets widgets_;
    MessageBoxFunction messageBox_;
    Editor editor_;
};

}  // namespace sonavel
