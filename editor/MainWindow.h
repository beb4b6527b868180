#pragma once
// The editor's main window: the plot, both channel panels, the preset controls and the link
// strip, with the handlers of every control. The handlers are public so that tests (and the
// transfers) can run them exactly as the controls do.
//
// The class is split over files by concern: MainWindow.cpp (start-up and wiring),
// LinkControls.cpp (connection, timers, presence), EqualizerHandlers.cpp (band and
// crossover controls), TypedFrequency.cpp (typing a frequency), LevelHandlers.cpp (gain,
// delay, compressor, mute, invert, switches), ControlRefresh.cpp (the two refreshes),
// PresetCommands.cpp (preset files and the name panel) and UnitTransfers.cpp (whole
// settings read from and written to the unit). The line's rules live in the LinkSession;
// the window drives it from its timers and shows what it reports.
#include <QHash>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "link/Clock.h"
#include "link/LinkSession.h"
#include "link/SerialPort.h"
#include "link/Sleeper.h"
#include "model/ParameterStore.h"
#include "presets/PresetRecord.h"
#include "response/ResponsePlot.h"

class QCheckBox;

namespace sonavel {

class ArrowPair;
class ListBox;
class TextBox;
class PlotWidget;

// Window-level state shared by the handlers.
struct EditorState {
    int CurrentChannel = 1;  // channel of the control last operated
    int CurrentBand = 1;     // band of the equalizer or crossover control last operated
    bool EditEnabled = false;  // equalizer and crossover changes are user edits
    bool RedrawPending = false;  // a paint or resize asked for a redraw
    int RedrawTicks = 0;         // Timer1 ticks since then, 0..30
    int RefreshRequest = 0;      // 1: the next refresh tick runs UpDateEQDis
    int RefreshTicks = 0;        // Timer1 ticks towards the refresh tick
    int PresetPanelMode = 0;     // 1 after "Load", 2 while the name panel of "Save" is open
};

// The icon a message box shows.
enum class MessageIcon { None, Warning, Stop };

class MainWindow : public QWidget, private LinkView {
    Q_OBJECT
public:
    // Shows a message to the user; tests replace it to capture the message.
    using MessageBoxFunction = std::function<void(MessageIcon icon, const QString& title, const QString& text)>;
    // Asks the user for a folder, starting at the given one; empty when the user cancels.
    using FolderChooser = std::function<QString(const QString& title, const QString& startFolder)>;
    // Processes pending events once, waiting for at least one; the transfers wait with it.
    // Without one set, the window processes its own events (Timer2 and the port included).
    using EventPump = std::function<void()>;

    MainWindow(SerialPort& port, Sleeper& sleeper, QWidget* parent = nullptr);
    ~MainWindow() override;

    ParameterStore& store() { return store_; }
    const LinkState& link() const { return session_.State(); }
    LinkSession& session() { return session_; }
    EditorState& state() { return state_; }
    ResponsePlot& plot() { return plot_; }
    QTimer& timer1() { return timer1_; }
    QTimer& timer2() { return timer2_; }
    PresetRecord& presetRecord() { return presetRecord_; }
    void SetMessageBox(MessageBoxFunction show) { messageBox_ = std::move(show); }
    void SetFolderChooser(FolderChooser choose) { folderChooser_ = std::move(choose); }
    void SetEventPump(EventPump pump) { eventPump_ = std::move(pump); }

    // A control by its name ("VScroll3_2", "Combo5", "Picture1"); nullptr when there is none.
    template <class T = QWidget>
    T* control(const QString& name) const {
        return qobject_cast<T*>(controls_.value(name));
    }

    // Link strip, timers and presence.
    void Command12_Click();  // Connect / DisConnect
    void Combo5_Click();     // port chosen
    void Combo7_Click();     // device address chosen
    void Command8_Click();   // "Update"
    void Command10_Click();  // "Exit": closes the preset panel
    void Timer1_Timer();
    void Timer2_Timer();

    // Whole settings to and from the unit's preset slots (buttons created hidden).
    void Command2_Click();  // "Recall From DSP": the slot chosen in Combo9 into the store
    void Command1_Click();  // "Load to DSP": the store into the slot chosen in Combo8

    // Preset files and the name panel.
    void Command7_Click();  // "Browse"
    void Command4_Click();  // "Load"
    void Command6_Click();  // "Save": opens the name panel
    void Command9_Click();  // "Enter": saves under the typed name

    // The plot.
    void Picture1_Paint();
    void Form_Resize();
    void DoEQFFTDraw(int channel, int band);

    // Equalizer and crossover controls; index is band - 1.
    void FrequencyArrow_Change(int channel, int index);
    void GainArrow_Change(int channel, int index);
    void QArrow_Change(int channel, int index);
    void TypeList_Click(int channel, int index);
    void OffBox_Click(int channel, int index);
    void CrossoverList_Click(int channel, int index);  // 0: band 6, 1: band 7
    void FrequencyBox_Click(int channel, int index);
    void FrequencyBox_KeyPress(int channel, int index, int characterCode);

    // Level controls; index is channel - 1 unless said otherwise.
    void InputGain_Change(int index);
    void OutputGain_Change(int index);
    void Delay_Change(int index);
    void Compressor_Change(int channel, int control);  // 0 threshold, 1 attack, 2 release, 3 ratio
    void Mute_Click(int index);
    void Invert_Click(int channel);
    void FunctionSwitch_Click(int index);  // 0, 1: function 6 of channel 1, 2; 2, 3: function 3

    // Refreshes after a bulk change of the store.
    void UpDateDraw();
    void UpDateEQDis();

    // The controls of one channel (1 or 2) by role.
    TextBox* FrequencyBox(int channel, int index) const;
    ArrowPair* FrequencyArrow(int channel, int index) const;
    TextBox* GainBox(int channel, int index) const;
    ArrowPair* GainArrow(int channel, int index) const;
    TextBox* QBox(int channel, int index) const;
    ArrowPair* QArrow(int channel, int index) const;
    ListBox* TypeList(int channel, int index) const;
    QCheckBox* OffBox(int channel, int index) const;
    ListBox* CrossoverList(int channel, int index) const;
    ArrowPair* CompressorArrow(int channel, int control) const;
    TextBox* CompressorBox(int channel, int control) const;
    PlotWidget* Picture1() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormLoad();
    void ConnectHandlers();
    void ShowLinkOn();
    void ShowLinkOff();
    void SendBand(int channel, int band);
    void ShowPlot();
    void ShowMessage(const QString& title, const QString& text, MessageIcon icon = MessageIcon::Warning);
    void PumpEvents();
    // What the line reports, shown in the link strip and the preset panel.
    void ShowPresenceLamp(bool lit) override;
    void ShowLineLost(const std::string& reason) override;
    void ReadStarted(bool slotRecall) override;
    void ReadEnded(bool slotRecall) override;
    void OpenStatusPanel() override;
    void ShowStatus(const std::string& text) override;
    void ClosePanel() override;
    void ApplyToControls() override;
    void UncheckMuteBoxes() override;
    Status LoadSelectedPreset();
    Status SavePreset(const QString& name);
    void RefreshBand(int channel, int band);
    void ShowFrequencyText(int channel, int band);
    void ShowGainText(int channel, int band);
    void ShowQText(int channel, int band);
    void StoreGainLevelFromArrows(int number);
    void StoreDelayFromArrows(int index);

    ParameterStore store_;
    EditorState state_;
    SerialPort& port_;
    SteadyClock clock_;
    LinkSession session_;
    ResponsePlot plot_;
    unsigned long shownDrawing_ = 0;
    QHash<QString, QWidget*> controls_;
    QTimer timer1_;
    QTimer timer2_;
    MessageBoxFunction messageBox_;
    FolderChooser folderChooser_;
    EventPump eventPump_;
    PresetRecord presetRecord_;  // the preset last loaded or saved, unused bytes included
};

}  // namespace sonavel
